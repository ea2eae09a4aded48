#pragma once

#include "output/progress.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class QProgressDialog;

// The progress of a long run of pages or sheets. Its dialog appears only when
// the run will take more than half a second, keeps the program's windows
// painting between steps, blocks the window it belongs to and offers to stop.
// The window shows the busy pointer meanwhile.
class WorkProgress final
{
public:
    WorkProgress(QWidget *window, const QString &label);
    ~WorkProgress();
    WorkProgress(const WorkProgress &) = delete;
    WorkProgress &operator=(const WorkProgress &) = delete;

    // For the writers; valid as long as this object.
    ProgressCallback callback();
    bool wasCancelled() const { return m_cancelled; }
    // From now on the run cannot be stopped, and the label says so.
    void forbidCancel(const QString &label);

private:
    bool step(int done, int total);

    QPointer<QWidget> m_window;
    std::unique_ptr<QProgressDialog> m_dialog;
    bool m_cancelled = false;
    bool m_cancelForbidden = false;
};
