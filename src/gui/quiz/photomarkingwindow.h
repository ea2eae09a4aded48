#pragma once

#include "chrome/featurewindow.h"

#include "scanbatch.h"

#include <QStringList>

class AppContext;
class HCommand;
class MarkedPageView;
class QLabel;
class QListWidget;
class QProgressBar;
class QThread;

// 拍照批改: photos of scannable sheets read one after another on a thread of their own, each
// page shown straightened with what was read over it, and every sheet stored as a test once
// all photos are read: marked where every answer was sure, unfinished where the parent must
// type some, which the records window then takes up.
class PhotoMarkingWindow final : public FeatureWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PhotoMarkingWindow)

public:
    PhotoMarkingWindow(AppContext &context, const QStringList &photos, QWidget *parent = nullptr);
    ~PhotoMarkingWindow() override;

    bool isDone() const { return m_next >= m_photos.size() && !m_thread; }
    QListWidget *pageList() const { return m_pages; }
    MarkedPageView *pageView() const { return m_view; }
    QLabel *resultLine() const { return m_result; }

signals:
    void done();

protected:
    // Closing in the middle keeps what was read: the photo being read is finished first.
    bool mayLeave() override;

private:
    void readNext();
    void showPage(int row);
    void storeSheets();

    AppContext &m_context;
    QStringList m_photos;
    qsizetype m_next = 0;
    QThread *m_thread = nullptr;
    ScanBatch m_batch;
    QList<ScanBatch::Page> m_read;
    bool m_stored = false;
    bool m_leaveWhenRead = false;

    QLabel *m_heading = nullptr;
    QProgressBar *m_progress = nullptr;
    QListWidget *m_pages = nullptr;
    MarkedPageView *m_view = nullptr;
    QLabel *m_result = nullptr;
};
