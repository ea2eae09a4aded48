#pragma once

#include "chrome/featurewindow.h"

#include "scanbatch.h"

#include <QFutureWatcher>
#include <QStringList>

class AppContext;
class HCommand;
class MarkedPageView;
class QLabel;
class QListWidget;
class QProgressBar;
class QScrollArea;
class RoomCorrector;

// 拍照批改: photos of scannable sheets read one after another on the thread pool, each
// page shown straightened with what was read over it. Before anything is stored the parent
// checks the readings beside the photo: every room can be chosen, the unsure ones are visited
// in order, and what the parent types is taken as sure. 保存 stores every sheet as a test:
// marked where no answer is left unsure, unfinished otherwise, which the records window then
// takes up. Leaving stores too: nothing read or typed is lost.
class PhotoMarkingWindow final : public FeatureWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PhotoMarkingWindow)

public:
    enum Button { Close, Save, Next };

    PhotoMarkingWindow(AppContext &context, const QStringList &photos, QWidget *parent = nullptr);
    ~PhotoMarkingWindow() override;

    bool isRead() const { return m_next >= m_photos.size() && !m_reading.isRunning(); }
    bool isStored() const { return m_stored; }
    QListWidget *pageList() const { return m_pages; }
    MarkedPageView *pageView() const { return m_view; }
    RoomCorrector *corrector() const { return m_corrector; }
    QLabel *resultLine() const { return m_result; }
    HCommand *button(Button which) const { return m_buttons.at(which); }

    // Stores what was read and typed; nothing once stored.
    void save();

signals:
    void allRead();
    void saved();

protected:
    // Closing in the middle keeps what was read: the photo being read is finished first.
    bool mayLeave() override;

private:
    struct Found
    {
        QString path;
        std::optional<FoundPage> page;
        QString problem;
    };
    void readNext();
    void photoRead();
    void showPage(int row);
    void choose(int row, int position);
    void take(const ReadAnswer &answer);
    // To the next room left unsure after the chosen one, over every page, or the one before.
    void step(bool backwards);
    void refreshPageItem(int row);

    AppContext &m_context;
    QStringList m_photos;
    qsizetype m_next = 0;
    QFutureWatcher<Found> m_reading;
    ScanBatch m_batch;
    QList<ScanBatch::Page> m_read;
    bool m_stored = false;
    bool m_leaveWhenRead = false;
    int m_row = -1; // the page shown
    QList<int> m_markPositions; // the question of each mark on the page shown

    QLabel *m_heading = nullptr;
    QProgressBar *m_progress = nullptr;
    QListWidget *m_pages = nullptr;
    QScrollArea *m_scroll = nullptr;
    MarkedPageView *m_view = nullptr;
    RoomCorrector *m_corrector = nullptr;
    QLabel *m_result = nullptr;
    QList<HCommand *> m_buttons;
};
