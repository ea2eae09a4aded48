#include "photomarkingwindow.h"

#include "markedpageview.h"
#include "quizlayout.h"
#include "chrome/hcommand.h"
#include "chrome/palette.h"

#include "pageframe.h"

#include "program/appcontext.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QScrollArea>
#include <QThread>

using namespace Qt::Literals::StringLiterals;
using namespace quizlayout::photos;

namespace {

// "对 18  错 2  没认清 3" of the questions on a page.
QString verdictCounts(const ScanBatch::Page &page)
{
    int counts[3] = {};
    for (const ScanRoom &room : page.sheet.rooms) {
        if (room.page == page.found->code.page)
            ++counts[int(verdictOf(room, page.answers.value(room.position)))];
    }
    return u"对 %1  错 %2  没认清 %3"_s.arg(counts[int(Verdict::Right)])
        .arg(counts[int(Verdict::Wrong)])
        .arg(counts[int(Verdict::Unsure)]);
}

} // namespace

PhotoMarkingWindow::PhotoMarkingWindow(
    AppContext &context, const QStringList &photos, QWidget *parent)
    : FeatureWindow(u"【晨曦算苑】--> 〖拍照批改〗"_s, kWindow, parent)
    , m_context(context)
    , m_photos(photos)
    , m_batch(context.database(), context.settings())
{
    addBand(kBand);
    m_heading = addLabel(QString(), kHeading, 12);
    m_progress = new QProgressBar(this);
    m_progress->setGeometry(kProgressBar);
    m_progress->setRange(0, int(photos.size()));
    auto *close = new HCommand(52, 0, this);
    placeInButtonRow(close, 0);
    auto *glyph = makeCloseGlyph(1, u"关闭"_s);
    for (HCommand *button : { close, glyph })
        connect(button, &HCommand::clicked, this, &FeatureWindow::leave);
    setButtons({ close, glyph });
    addShortcut(Qt::Key_Escape, [this] { leave(); });

    m_pages = new QListWidget(this);
    m_pages->setGeometry(kPages);
    m_pages->setWordWrap(true);
    connect(m_pages, &QListWidget::currentRowChanged, this, &PhotoMarkingWindow::showPage);
    auto *scroll = new QScrollArea(this);
    scroll->setGeometry(kPage);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view = new MarkedPageView(scroll);
    scroll->setWidget(m_view);
    m_result = addLabel(QString(), kResult, 10);
    m_result->setWordWrap(true);
    m_result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_result->setStyleSheet(palette::inkStyle(palette::kInk));
    readNext();
}

PhotoMarkingWindow::~PhotoMarkingWindow()
{
    if (m_thread)
        m_thread->wait();
}

void PhotoMarkingWindow::readNext()
{
    if (m_next >= m_photos.size()) {
        storeSheets();
        if (m_leaveWhenRead)
            closeNow();
        return;
    }
    const QString path = m_photos.at(m_next);
    m_heading->setText(u"正在读第 %1 张照片，共 %2 张…"_s.arg(m_next + 1).arg(m_photos.size()));
    auto found = std::make_shared<std::optional<FoundPage>>();
    auto problem = std::make_shared<QString>();
    m_thread = QThread::create(
        [path, found, problem] { *found = ScanBatch::find(path, problem.get()); });
    connect(m_thread, &QThread::finished, this, [this, path, found, problem] {
        m_thread->deleteLater();
        m_thread = nullptr;
        ++m_next;
        m_progress->setValue(int(std::min(m_next, m_photos.size())));
        // A page whose sheet could not be looked up is listed with why, like any page not read.
        ScanBatch::Page page { path, std::nullopt, u"数据文件读不出这份卷子"_s, {}, {} };
        runOrReport(u"照片没有批改"_s, [&] { page = m_batch.add(path, *found, *problem); });
        m_read << page;
        const QString name = QFileInfo(path).fileName();
        auto *item = new QListWidgetItem(page.found
                ? u"%1\n卷子 %2 第 %3 页\n%4"_s.arg(name, page.sheet.number)
                      .arg(page.found->code.page)
                      .arg(verdictCounts(page))
                : u"%1\n%2"_s.arg(name, page.problem));
        if (!page.found)
            item->setForeground(QColor(palette::kWarningInk));
        m_pages->addItem(item);
        if (m_pages->currentRow() < 0 && page.found)
            m_pages->setCurrentItem(item);
        readNext();
    });
    m_thread->start();
}

void PhotoMarkingWindow::showPage(int row)
{
    if (row < 0 || row >= m_read.size() || !m_read.at(row).found)
        return;
    const ScanBatch::Page &page = m_read.at(row);
    QList<MarkedPageView::Mark> marks;
    for (const ScanRoom &room : page.sheet.rooms) {
        if (room.page != page.found->code.page)
            continue;
        const ReadAnswer answer = page.answers.value(room.position);
        // The very pixels the reader looked at.
        marks.append({ QRectF(pageframe::pixelRect(room.room)), answer.digits,
            verdictOf(room, answer) });
    }
    m_view->setPage(page.found->image, marks);
}

void PhotoMarkingWindow::storeSheets()
{
    if (m_stored)
        return;
    m_stored = true;
    QList<ScanBatch::Sheet> sheets;
    if (!runOrReport(u"批改的卷子没有保存"_s,
            [&] { sheets = m_batch.store(); }))
        return;
    QStringList lines;
    for (const ScanBatch::Sheet &sheet : std::as_const(sheets))
        lines << storedSheetSummary(sheet.sheet, sheet.stored);
    m_heading->setText(u"读完了 %1 张照片"_s.arg(m_photos.size()));
    m_result->setText(
        lines.isEmpty() ? u"照片里没有认出这个数据文件里的卷子。"_s : lines.join(u'\n'));
    emit done();
}

bool PhotoMarkingWindow::mayLeave()
{
    if (m_thread) {
        m_next = m_photos.size(); // no photo after the one being read
        m_leaveWhenRead = true;
        m_heading->setText(u"读完这张照片就关闭…"_s);
        return false;
    }
    storeSheets();
    return true;
}
