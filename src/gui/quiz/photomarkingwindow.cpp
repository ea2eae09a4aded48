#include "photomarkingwindow.h"
#include "chrome/pictureregistry.h"

#include "markedpageview.h"
#include "quizlayout.h"
#include "roomcorrector.h"
#include "chrome/hcommand.h"
#include "chrome/palette.h"

#include "pageframe.h"

#include "program/appcontext.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QScrollArea>
#include <QtConcurrent/QtConcurrentRun>

using namespace Qt::Literals::StringLiterals;
using namespace quizlayout::photos;

namespace {

bool onPage(const ScanBatch::Page &page, const ScanRoom &room)
{
    return page.found && room.page == page.found->code.page;
}

// The room of a question on the page; nothing where the question is on another page.
const ScanRoom *roomOf(const ScanBatch::Page &page, int position)
{
    const auto room = std::find_if(page.sheet.rooms.cbegin(), page.sheet.rooms.cend(),
        [&](const ScanRoom &r) { return r.position == position && onPage(page, r); });
    return room == page.sheet.rooms.cend() ? nullptr : &*room;
}

Verdict verdictAt(const ScanBatch::Page &page, const ScanRoom &room)
{
    return verdictOf(room, page.answers.value(room.position));
}

// "对 18  错 2  没认清 3" of the questions on a page.
QString verdictCounts(const ScanBatch::Page &page)
{
    int counts[3] = {};
    for (const ScanRoom &room : page.sheet.rooms) {
        if (onPage(page, room))
            ++counts[int(verdictAt(page, room))];
    }
    return u"对 %1  错 %2  没认清 %3"_s.arg(counts[int(Verdict::Right)])
        .arg(counts[int(Verdict::Wrong)])
        .arg(counts[int(Verdict::Unsure)]);
}

QString pageItemText(const ScanBatch::Page &page)
{
    const QString name = QFileInfo(page.path).fileName();
    if (!page.found)
        return u"%1\n%2"_s.arg(name, page.problem);
    return u"%1\n卷子 %2 第 %3 页\n%4"_s.arg(name, page.sheet.number)
        .arg(page.found->code.page)
        .arg(verdictCounts(page));
}

} // namespace

PhotoMarkingWindow::PhotoMarkingWindow(
    AppContext &context, const QStringList &photos, QWidget *parent)
    : FeatureWindow(u"【晨曦算苑】--> 〖拍照批改〗"_s, kWindow, parent)
    , m_context(context)
    , m_photos(photos)
    , m_batch(context.database(), context.settings())
{
    // A sheet met for the first time is filed under the child chosen in the menu.
    m_batch.setChild(context.currentChild());
    addBand(kBand);
    m_heading = addLabel(QString(), kHeading, 12);
    m_progress = new QProgressBar(this);
    m_progress->setGeometry(kProgressBar);
    m_progress->setRange(0, int(photos.size()));
    m_buttons = { new HCommand(picture::kLeave, Close, this),
        new HCommand(picture::kSave, Save, this), new HCommand(picture::kNextRoom, Next, this) };
    for (int place = 0; place < m_buttons.size(); ++place)
        placeInButtonRow(m_buttons[place], place);
    m_buttons[Save]->setToolTip(u"把批改结果存成测试记录（Ctrl+S）"_s);
    m_buttons[Next]->setToolTip(u"到下一个没认清的答案（Tab）"_s);
    m_buttons[Save]->setEnabled(false);
    auto *glyph = makeCloseGlyph(3, u"关闭"_s);
    for (HCommand *button : { m_buttons[Close], glyph })
        connect(button, &HCommand::clicked, this, &FeatureWindow::leave);
    connect(m_buttons[Save], &HCommand::clicked, this, &PhotoMarkingWindow::save);
    connect(m_buttons[Next], &HCommand::clicked, this, [this] { step(false); });
    setButtons({ m_buttons[Close], m_buttons[Save], m_buttons[Next], glyph });
    addShortcut(Qt::Key_Escape, [this] { leave(); });
    addShortcut(QKeySequence::Save, [this] { save(); });

    m_pages = new QListWidget(this);
    m_pages->setGeometry(kPages);
    m_pages->setWordWrap(true);
    connect(m_pages, &QListWidget::currentRowChanged, this, &PhotoMarkingWindow::showPage);
    m_scroll = new QScrollArea(this);
    m_scroll->setGeometry(kPage);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view = new MarkedPageView(m_scroll);
    m_scroll->setWidget(m_view);
    connect(m_view, &MarkedPageView::roomClicked, this,
        [this](int index) { choose(m_row, m_markPositions.value(index, -1)); });
    m_corrector = new RoomCorrector(this);
    m_corrector->setGeometry(kCorrector);
    connect(m_corrector, &RoomCorrector::corrected, this, &PhotoMarkingWindow::take);
    connect(m_corrector, &RoomCorrector::stepRequested, this, &PhotoMarkingWindow::step);
    m_result = addLabel(QString(), kResult, 10);
    m_result->setWordWrap(true);
    m_result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_result->setStyleSheet(palette::inkStyle(palette::kInk));
    connect(&m_reading, &QFutureWatcher<Found>::finished, this, &PhotoMarkingWindow::photoRead);
    readNext();
}

PhotoMarkingWindow::~PhotoMarkingWindow()
{
    m_reading.waitForFinished();
}

void PhotoMarkingWindow::readNext()
{
    if (m_next >= m_photos.size()) {
        if (m_leaveWhenRead) {
            save();
            closeNow();
            return;
        }
        m_heading->setText(u"读完了 %1 张照片，核对后请保存"_s.arg(m_photos.size()));
        m_buttons[Save]->setEnabled(true);
        m_result->setText(u"照片上的每个答案格都可以点开核对。改好以后按“保存”，"
                          "所有答案都认清了的卷子就判好了。"_s);
        emit allRead();
        if (m_corrector->room().position <= 0)
            step(false);
        return;
    }
    const QString path = m_photos.at(m_next);
    m_heading->setText(u"正在读第 %1 张照片，共 %2 张…"_s.arg(m_next + 1).arg(m_photos.size()));
    m_reading.setFuture(QtConcurrent::run([path] {
        Found found { path, std::nullopt, QString() };
        found.page = ScanBatch::find(path, &found.problem);
        return found;
    }));
}

void PhotoMarkingWindow::photoRead()
{
    const Found found = m_reading.result();
    const QString &path = found.path;
    ++m_next;
    m_progress->setValue(int(std::min(m_next, m_photos.size())));
    // A page whose sheet could not be looked up is listed with why, like any page not read.
    ScanBatch::Page page { path, std::nullopt, u"数据文件读不出这份卷子"_s, {}, {} };
    runOrReport(u"照片没有批改"_s, [&] { page = m_batch.add(path, found.page, found.problem); });
    m_read << page;
    auto *item = new QListWidgetItem(pageItemText(page));
    if (!page.found)
        item->setForeground(QColor(palette::kWarningInk));
    m_pages->addItem(item);
    if (m_pages->currentRow() < 0 && page.found)
        m_pages->setCurrentItem(item);
    readNext();
}

void PhotoMarkingWindow::showPage(int row)
{
    if (row < 0 || row >= m_read.size() || !m_read.at(row).found)
        return;
    if (row != m_row)
        m_corrector->showNothing(QString());
    m_row = row;
    const ScanBatch::Page &page = m_read.at(row);
    QList<MarkedPageView::Mark> marks;
    m_markPositions.clear();
    int current = -1;
    for (const ScanRoom &room : page.sheet.rooms) {
        if (!onPage(page, room))
            continue;
        if (room.position == m_corrector->room().position)
            current = int(marks.size());
        // The very pixels the reader looked at.
        marks.append({ QRectF(pageframe::pixelRect(room.room)),
            page.answers.value(room.position).digits, verdictAt(page, room) });
        m_markPositions << room.position;
    }
    m_view->setPage(page.found->image, marks, current);
}

void PhotoMarkingWindow::choose(int row, int position)
{
    if (m_stored || row < 0 || row >= m_read.size() || !m_read.at(row).found)
        return;
    const ScanBatch::Page &page = m_read.at(row);
    const ScanRoom *room = roomOf(page, position);
    if (room == nullptr)
        return;
    if (row != m_row)
        m_pages->setCurrentRow(row);
    m_corrector->showRoom(page.found->image, *room, page.answers.value(position));
    showPage(row);
    const QRect shown = m_view->markRect(m_view->current());
    m_scroll->ensureVisible(shown.center().x(), shown.center().y(), 20, shown.height() * 2);
}

void PhotoMarkingWindow::take(const ReadAnswer &answer)
{
    const int position = m_corrector->room().position;
    if (m_stored || m_row < 0 || position <= 0)
        return;
    ScanBatch::Page &page = m_read[m_row];
    page.answers.insert(position, answer);
    m_batch.correct(page.sheet.number, position, answer);
    refreshPageItem(m_row);
    showPage(m_row);
    step(false);
}

void PhotoMarkingWindow::step(bool backwards)
{
    if (m_stored)
        return;
    // Every room of every page read, in the order of the list and of the questions.
    QList<std::pair<int, int>> rooms;
    for (int row = 0; row < m_read.size(); ++row) {
        for (const ScanRoom &room : m_read.at(row).sheet.rooms) {
            if (onPage(m_read.at(row), room))
                rooms.append({ row, room.position });
        }
    }
    const qsizetype at = rooms.indexOf(std::pair { m_row, m_corrector->room().position });
    for (qsizetype i = 1; i <= rooms.size(); ++i) {
        const qsizetype next
            = ((at < 0 ? (backwards ? 0 : -1) : at) + (backwards ? -i : i) + rooms.size())
            % rooms.size();
        const auto [row, position] = rooms.at(next);
        const ScanBatch::Page &page = m_read.at(row);
        if (verdictAt(page, *roomOf(page, position)) == Verdict::Unsure) {
            choose(row, position);
            return;
        }
    }
    m_corrector->showNothing(isRead() ? u"没有没认清的答案了。核对无误就按“保存”。"_s
                                      : u"还在读照片，读到的答案可以先核对。"_s);
    showPage(m_row);
    if (isRead())
        m_buttons[Save]->setFocus();
}

void PhotoMarkingWindow::refreshPageItem(int row)
{
    if (QListWidgetItem *item = m_pages->item(row))
        item->setText(pageItemText(m_read.at(row)));
}

void PhotoMarkingWindow::save()
{
    if (m_stored || !isRead())
        return;
    QList<ScanBatch::Sheet> sheets;
    if (!runOrReport(u"批改的卷子没有保存"_s, [&] { sheets = m_batch.store(); }))
        return;
    m_stored = true;
    QStringList lines;
    for (const ScanBatch::Sheet &sheet : std::as_const(sheets))
        lines << storedSheetSummary(sheet.sheet, sheet.stored);
    m_heading->setText(u"已经保存：%1 张照片"_s.arg(m_photos.size()));
    m_result->setText(
        lines.isEmpty() ? u"照片里没有认出这个数据文件里的卷子。"_s : lines.join(u'\n'));
    m_buttons[Save]->setEnabled(false);
    m_buttons[Next]->setEnabled(false);
    m_corrector->showNothing(u"已经保存。"_s);
    showPage(m_row);
    emit saved();
}

bool PhotoMarkingWindow::mayLeave()
{
    if (m_reading.isRunning()) {
        m_next = m_photos.size(); // no photo after the one being read
        m_leaveWhenRead = true;
        m_heading->setText(u"读完这张照片就保存并关闭…"_s);
        return false;
    }
    save();
    return true;
}
