#include "testwindow.h"

#include "cjkfont.h"
#include "chrome/hcommand.h"
#include "chrome/messagebox.h"
#include "testitemdelegate.h"
#include "chrome/titlestrip.h"
#include "chrome/windowchrome.h"

#include "generate/catalogue.h"
#include "program/appcontext.h"
#include "store/settings.h"
#include "quiz/mistakebook.h"
#include "quiz/testitemmodel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kWidth = 820;
constexpr int kHeight = 630;
constexpr int kBandTop = TitleStrip::kHeight;
constexpr int kBandHeight = 92;
constexpr int kGridTop = kBandTop + kBandHeight + 10;
constexpr int kGridHeight = 420;
constexpr int kRowHeight = 38;

const QString kSteps = u"测试步骤：选难度->设数量->生成试题->确定答题->完成答题->退出。"_s;
const QString kLeaveHint = u"操作提示：如果中断测试(退出)，可以在【测试题库】中继续答题。"_s;

QLabel *caption(const QString &text, QWidget *parent, const QRect &geometry, qreal points = 11)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setFont(cjkFont(points));
    return label;
}

} // namespace

TestWindow::TestWindow(AppContext &context, QuestionMaker &maker, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_maker(maker)
    , m_type(context.currentType())
    , m_session(context.database(), context.settings())
{
    setFixedSize(kWidth, kHeight);
    setFont(cjkFont(10.5));
    m_items = new TestItemModel(this);
    m_items->setSession(&m_session);
    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &TestWindow::tick);
    buildUi();
    // The child goes on answering; the answer waits in the window and is stored again when
    // the test is left, but whoever sits there should know.
    connect(m_items, &TestItemModel::answerNotSaved, this, [this](const QString &reason) {
        m_hintLine->setText(
            u"注意：刚填的答案暂时没能存进数据文件（%1），退出测试时会再存一次。"_s.arg(reason));
        m_hintLine->setStyleSheet(u"color: #d01010; font-weight: bold;"_s);
        m_hintLine->show();
    });

    if (context.currentTestNo().isEmpty() || !m_session.resume(context.currentTestNo())) {
        showType(m_type);
        restoreChoices();
    } else {
        showResumed();
    }
    qApp->installEventFilter(this);
}

void TestWindow::buildUi()
{
    WindowChrome::paintFace(this);

    auto *strip = new TitleStrip(QString(), this);
    strip->setGeometry(0, 0, kWidth, TitleStrip::kHeight);
    m_strip = strip;

    // The band behind the choices, which takes the hover off the buttons.
    QWidget *band = WindowChrome::addBand(this, { 0, kBandTop, kWidth, kBandHeight });

    const int row1 = kBandTop + 10;
    const int row2 = row1 + 40;
    m_levelCaption = caption(u"难度："_s, this, { 20, row1, 56, 32 });
    m_level = new QComboBox(this);
    m_level->setGeometry(76, row1, 360, 32);
    m_level->setFont(cjkFont(11));
    m_numberLabel = caption(u"数量："_s, this, { 20, row2, 56, 32 });
    m_count = new QSpinBox(this);
    m_count->setGeometry(76, row2, 90, 32);
    m_count->setFont(cjkFont(11));
    m_count->setRange(TestChoices::kMinCount, TestChoices::kMaxCount);
    // A number typed below the range is taken as the least count, and the box shows it,
    // instead of the count before it, which the child has typed over.
    m_count->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    m_range = caption(u"数量范围：10-100"_s, this, { 178, row2, 200, 32 }, 10);
    m_range->setStyleSheet(u"color: #5a6a7a;"_s);
    m_testInfo = caption(QString(), this, { 20, row2, 470, 32 });
    m_testInfo->setStyleSheet(u"color: #1f4f86;"_s);
    m_testInfo->hide();

    m_buttons = { new HCommand(52, Exit, this), new HCommand(49, Generate, this),
        new HCommand(50, Confirm, this), new HCommand(51, Finish, this),
        new HCommand(2, CloseGlyph, this) };
    const int buttonTop = kBandTop + (kBandHeight - 30) / 2;
    const int right = kWidth - 20;
    m_buttons[Exit]->move(right - 93, buttonTop);
    m_buttons[Confirm]->move(right - 2 * 93 - 8, buttonTop);
    // Finishing takes the place of confirming: the two are never shown together.
    m_buttons[Finish]->move(right - 2 * 93 - 8, buttonTop);
    m_buttons[Generate]->move(right - 3 * 93 - 16, buttonTop);
    m_buttons[CloseGlyph]->move(kWidth - 41 - 8, (TitleStrip::kHeight - 17) / 2);
    m_buttons[CloseGlyph]->setToolTip(u"退出"_s);
    for (HCommand *b : std::as_const(m_buttons))
        connect(b, &HCommand::clicked, this, &TestWindow::onButton);
    band->lower();

    m_placeholder = new QLabel(u"选好难度和数量，按【生成试题(F5)】出题。"_s, this);
    m_placeholder->setGeometry(20, kGridTop, kWidth - 40, kGridHeight);
    m_placeholder->setAlignment(Qt::AlignCenter);
    m_placeholder->setFont(cjkFont(14));
    m_placeholder->setStyleSheet(u"color: #7890a8; border: 2px dashed #b9d0ea;"
                                 " border-radius: 12px; background: white;"_s);

    m_grid = new QTableView(this);
    m_grid->setObjectName(u"itemGrid"_s);
    m_grid->setGeometry(20, kGridTop, kWidth - 40, kGridHeight);
    m_grid->setModel(m_items);
    m_delegate = new TestItemDelegate(m_grid);
    m_grid->setItemDelegate(m_delegate);
    m_grid->setFont(cjkMonoFont(15));
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_grid->horizontalHeader()->setFont(cjkFont(11, true));
    m_grid->horizontalHeader()->setSectionsClickable(false);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setTabKeyNavigation(false);
    m_grid->setStyleSheet(u"QTableView { background: white; gridline-color: #c8d8ea;"
                          " border: 1px solid #a9c6e8; selection-background-color: #fff1b8;"
                          " selection-color: black; }"
                          " QHeaderView::section { background: #e3f0ff; border: none;"
                          " border-right: 1px solid #c8d8ea; border-bottom: 1px solid #a9c6e8;"
                          " padding: 4px; }"_s);
    m_grid->hide();
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex &current) {
            // While answering, the answer cell of a row is where the keys go.
            if (current.isValid()
                && (m_items->flags(current.siblingAtColumn(TestItemModel::Answer))
                    & Qt::ItemIsEditable)
                && current.column() != TestItemModel::Answer) {
                m_grid->setCurrentIndex(current.siblingAtColumn(TestItemModel::Answer));
                return;
            }
            showProgress();
        });

    m_progressLine = caption(QString(), this, { 20, kGridTop + kGridHeight + 8, 400, 26 });
    m_progressLine->setObjectName(u"progressLine"_s);
    m_progressLine->setStyleSheet(u"color: #1f4f86;"_s);
    m_clockLabel = caption(QString(), this, { 420, kGridTop + kGridHeight + 8, kWidth - 440, 26 });
    m_clockLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_clockLabel->setStyleSheet(u"color: #1f4f86;"_s);
    m_hintLine = caption(kSteps, this, { 20, kGridTop + kGridHeight + 38, kWidth - 40, 28 });
    m_hintLine->setObjectName(u"hintLine"_s);
    m_hintLine->setStyleSheet(u"color: #5a6a7a;"_s);

    m_chrome = new WindowChrome(this);
    m_chrome->setTitleStrip(strip);
    m_chrome->setButtons(m_buttons);
    m_chrome->addButtonResetSurface(strip);
    m_chrome->addButtonResetSurface(band);
}

void TestWindow::showType(qint16 type)
{
    // The menu's type is the type of a new test only; a test taken up again is of its own.
    m_type = type;
    setWindowTitle(u"【电脑测试】--> "_s + TestSession::typeLabel(type));
    m_strip->setTitle(windowTitle());
    m_level->clear();
    m_level->addItems(catalogue::levelCaptions(type));
}

void TestWindow::restoreChoices()
{
    const TestChoices choices
        = TestChoices::fromSetting(m_context.settings().read(u"txb%1"_s.arg(m_type)), m_type);
    m_level->setCurrentIndex(choices.level - 1);
    m_count->setValue(choices.count);
    m_buttons[Confirm]->setEnabled(false);
    m_buttons[Finish]->hide();
    m_hintLine->setText(kSteps);
}

void TestWindow::showResumed()
{
    showType(m_session.type());
    m_items->refresh();
    if (m_session.isMarked()) {
        const QList<TestItem> &items = m_session.items();
        showMarked(int(std::count_if(
            items.begin(), items.end(), [](const TestItem &item) { return item.error == 1; })));
        return;
    }
    showAnswering();
    m_clock->start();
}

void TestWindow::generate()
{
    // F5 and the button leave the focus in the box: what it shows is what is used.
    m_count->interpretText();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_session.generate(m_maker, m_type, qint16(m_level->currentIndex() + 1), m_count->value(),
        QDateTime::currentDateTime());
    m_context.setCurrentTestNo(m_session.number());
    m_items->refresh();
    layoutColumns();
    m_placeholder->hide();
    m_grid->show();
    m_buttons[Confirm]->setEnabled(true);
    goToRow(0);
    QApplication::restoreOverrideCursor();
}

void TestWindow::startPractice(const QList<Mistake> &mistakes)
{
    if (mistakes.isEmpty() || m_session.isConfirmed())
        return;
    showType(0);
    m_session.generatePractice(mistakes, QDateTime::currentDateTime());
    m_context.setCurrentTestNo(m_session.number());
    for (QWidget *choice : std::initializer_list<QWidget *> {
             m_levelCaption, m_level, m_numberLabel, m_count, m_range })
        choice->hide();
    m_buttons[Generate]->hide();
    m_testInfo->setText(
        u"错题重练：共 %1 题，每道题再答对两次，就从错题本里去掉。"_s.arg(mistakes.size()));
    m_testInfo->show();
    m_hintLine->setText(u"练习步骤：确定答题->答题->完成答题->退出。"_s);
    m_items->refresh();
    layoutColumns();
    m_placeholder->hide();
    m_grid->show();
    m_buttons[Confirm]->setEnabled(true);
    goToRow(0);
}

void TestWindow::confirm()
{
    if (m_session.isConfirmed() || m_session.items().isEmpty())
        return;
    if (!runOrReport(this, u"试题没有保存"_s, [this] { m_session.confirm(); }))
        return;
    m_context.setCurrentTestNo(m_session.number());
    m_items->refresh();
    showAnswering();
    m_unsavedSeconds = 0;
    m_clock->start();
}

void TestWindow::showNumber()
{
    // The number takes the place of the choices, which are made once and for all.
    m_numberLabel->setText(u"试卷编号："_s + m_session.number());
    m_numberLabel->setGeometry(20, kBandTop + 10, 470, 32);
    m_numberLabel->setFont(cjkFont(12, true));
    m_numberLabel->show();
    m_levelCaption->hide();
    m_level->hide();
    m_count->hide();
    m_range->hide();
    if (m_session.isPractice()) {
        m_testInfo->setText(
            u"%1：共 %2 题"_s.arg(TestSession::practiceName()).arg(m_session.items().size()));
    } else {
        m_testInfo->setText(u"难度：%1　　共 %2 题"_s.arg(catalogue::levelName(m_session.level()))
                                .arg(m_session.items().size()));
    }
    m_testInfo->show();
}

void TestWindow::showAnswering()
{
    showNumber();
    m_buttons[Generate]->hide();
    m_buttons[Confirm]->hide();
    m_buttons[Finish]->show();
    m_hintLine->setText(kLeaveHint);
    m_placeholder->hide();
    m_grid->show();
    m_grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
        | QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    layoutColumns();
    // The first question not answered yet: where a resumed test goes on.
    const QList<TestItem> &items = m_session.items();
    const auto open = std::find_if(
        items.begin(), items.end(), [](const TestItem &item) { return !item.isAnswered(); });
    goToRow(open == items.end() ? 0 : int(open - items.begin()));
    m_grid->setFocus();
    showClock();
}

void TestWindow::showMarked(int wrong)
{
    m_clock->stop();
    showNumber();
    m_buttons[Generate]->hide();
    m_buttons[Confirm]->hide();
    m_buttons[Finish]->show();
    m_buttons[Finish]->setEnabled(false);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_placeholder->hide();
    m_grid->show();
    m_hintLine->setText(
        wrong > 0 ? u"试题判卷结果：错误 %1 题！"_s.arg(wrong) : u"试题判卷结果：全部正确。"_s);
    m_hintLine->setStyleSheet(wrong > 0 ? u"color: #d01010; font-weight: bold;"_s
                                        : u"color: #1a8f2e; font-weight: bold;"_s);
    m_hintLine->show();
    layoutColumns();
    goToRow(0);
    showClock();
}

void TestWindow::layoutColumns()
{
    QHeaderView *header = m_grid->horizontalHeader();
    header->setMinimumSectionSize(40);
    const bool marked = m_items->columnCount() > TestItemModel::Mark;
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionResizeMode(TestItemModel::Question, QHeaderView::Stretch);
    m_grid->setColumnWidth(TestItemModel::Position, 80);
    m_grid->setColumnWidth(TestItemModel::Answer, marked ? 150 : 190);
    if (marked) {
        m_grid->setColumnWidth(TestItemModel::Mark, 80);
        m_grid->setColumnWidth(TestItemModel::Expected, 150);
    }
}

void TestWindow::goToRow(int row)
{
    if (m_items->rowCount() == 0)
        return;
    row = std::clamp(row, 0, m_items->rowCount() - 1);
    const int column = m_session.isConfirmed() && !m_session.isMarked() ? TestItemModel::Answer
                                                                        : TestItemModel::Position;
    m_grid->setCurrentIndex(m_items->index(row, column));
    m_grid->scrollTo(m_grid->currentIndex());
    showProgress();
}

void TestWindow::showProgress()
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return;
    m_progressLine->setText(
        u"答题进度：〖 %1 / %2 〗"_s.arg(current.row() + 1).arg(m_items->rowCount()));
}

void TestWindow::showClock()
{
    if (m_session.isConfirmed())
        m_clockLabel->setText(u"用时：%1"_s.arg(elapsedText(m_session.elapsed())));
}

void TestWindow::commitOpenEditor()
{
    if (QWidget *editor = m_grid->indexWidget(m_grid->currentIndex()))
        m_delegate->commitAndClose(editor);
}

void TestWindow::moveDown()
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return;
    commitOpenEditor();
    goToRow(current.row() + 1);
}

void TestWindow::finish()
{
    if (!m_session.isConfirmed() || m_session.isMarked())
        return;
    commitOpenEditor();
    m_buttons[Finish]->setEnabled(false);
    MarkResult result;
    if (!runOrReport(this, u"判卷结果没有保存"_s, [this, &result] { result = m_session.mark(); })) {
        m_buttons[Finish]->setEnabled(true);
        return;
    }
    if (!result.complete) {
        m_buttons[Finish]->setEnabled(true);
        showMessage(this, u"操作提示：尚有题目没有作答，请继续答题！"_s);
        m_hintLine->show();
        const QList<TestItem> &items = m_session.items();
        const auto open = std::find_if(
            items.begin(), items.end(), [](const TestItem &item) { return !item.isAnswered(); });
        goToRow(int(open - items.begin()));
        m_grid->setFocus();
        return;
    }
    m_items->refresh();
    showMarked(result.wrong);
}

void TestWindow::tick()
{
    const bool running = m_session.tick();
    if (!running)
        m_clock->stop();
    if (++m_unsavedSeconds >= kSaveEverySeconds || !running)
        saveClock();
    showClock();
}

void TestWindow::saveClock()
{
    m_unsavedSeconds = 0;
    try {
        m_session.saveElapsed();
    } catch (const std::runtime_error &) {
        // The next save, or leaving, tries again; a clock is not worth a message.
    }
}

bool TestWindow::isShown(Button index) const
{
    // Asked of the widget itself, so that it holds before the window is first shown too.
    return !m_buttons.at(index)->isHidden();
}

void TestWindow::exitWindow()
{
    if (!isShown(Generate) && isShown(Finish) && m_buttons[Finish]->isEnabled()) {
        commitOpenEditor();
        m_clock->stop();
        // An answer typed while the file was busy lives in the session alone; closing now
        // would lose it.
        if (!runOrReport(
                this, u"答案和答题用时没有保存"_s, [this] { m_session.leave(); },
                Report::WindowStaysOpen)) {
            m_clock->start();
            return;
        }
    }
    closeWindow();
}

void TestWindow::closeWindow()
{
    m_clock->stop();
    m_closing = true;
    accept();
}

void TestWindow::onButton(qint16 index)
{
    switch (index) {
    case Exit:
    case CloseGlyph:
        exitWindow();
        break;
    case Generate:
        generate();
        break;
    case Confirm:
        confirm();
        break;
    case Finish:
        finish();
        break;
    }
}

bool TestWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The keys act on the window whichever of its controls has the focus.
    if (event->type() == QEvent::KeyPress) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            switch (key) {
            case Qt::Key_F5:
                if (isShown(Generate))
                    generate();
                return true;
            case Qt::Key_F6:
                if (isShown(Confirm) && m_buttons[Confirm]->isEnabled())
                    confirm();
                return true;
            case Qt::Key_F8:
                if (isShown(Finish) && m_buttons[Finish]->isEnabled())
                    finish();
                return true;
            case Qt::Key_Escape:
                if (isShown(Generate)) {
                    exitWindow();
                    return true;
                }
                // Otherwise Esc belongs to the answer being typed: it restores the cell.
                break;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (widget == m_grid || m_grid->isAncestorOf(widget)) {
                    moveDown();
                    return true;
                }
                break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TestWindow::reject()
{
    // Esc that reached the dialog itself: it closes only where the button it stands for does.
    if (isShown(Generate))
        exitWindow();
}

void TestWindow::closeEvent(QCloseEvent *event)
{
    // Closed by the window manager: a running test is kept for later all the same.
    if (!m_closing) {
        event->ignore();
        exitWindow();
        return;
    }
    QDialog::closeEvent(event);
}
