#include "workprogress.h"

#include <QProgressDialog>

using namespace Qt::Literals::StringLiterals;

WorkProgress::WorkProgress(QWidget *window, const QString &label)
    : m_window(window)
    , m_dialog(std::make_unique<QProgressDialog>(label, u"取消"_s, 0, 1, window))
{
    // Busy over the window only: the dialog's button keeps the ordinary pointer.
    if (m_window)
        m_window->setCursor(Qt::WaitCursor);
    m_dialog->setWindowTitle(u"【晨曦算苑】提示："_s);
    // Modal, so that setValue lets the windows paint; to its window only, so
    // that nothing else waits for it.
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(500);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
}

WorkProgress::~WorkProgress()
{
    if (m_window)
        m_window->unsetCursor();
}

ProgressCallback WorkProgress::callback()
{
    return [this](int done, int total) { return step(done, total); };
}

void WorkProgress::forbidCancel(const QString &label)
{
    m_cancelForbidden = true;
    m_dialog->setCancelButton(nullptr);
    m_dialog->setLabelText(label);
}

bool WorkProgress::step(int done, int total)
{
    if (m_dialog->maximum() != total)
        m_dialog->setMaximum(total);
    m_dialog->setValue(done);
    m_cancelled = m_cancelled || (!m_cancelForbidden && m_dialog->wasCanceled());
    return !m_cancelled;
}
