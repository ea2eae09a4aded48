#include "testwindow.h"
#include "chrome/pictureregistry.h"

#include "cjkfont.h"
#include "chrome/countbox.h"
#include "chrome/formchooser.h"
#include "chrome/hcommand.h"
#include "chrome/palette.h"
#include "chrome/titlestrip.h"
#include "answergrid.h"
#include "gridstyle.h"
#include "quizlayout.h"

#include "generate/catalogue.h"
#include "program/appcontext.h"
#include "store/settings.h"
#include "worksheet/formmemory.h"
#include "quiz/mistakebook.h"
#include "quiz/testitemmodel.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QTimer>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;
using namespace quizlayout::test;
using Window = FormMemory::Window;

namespace {

const QString kSteps = u"测试步骤：选难度->设数量->生成试题->确定答题->完成答题->退出。"_s;
const QString kLeaveHint = u"操作提示：如果中断测试(退出)，可以在【测试题库】中继续答题。"_s;

} // namespace

TestWindow::TestWindow(AppContext &context, QuestionMaker &maker, QWidget *parent)
    : FeatureWindow(QString(), kWindow, parent)
    , m_context(context)
    , m_maker(maker)
    , m_type(context.currentType())
    , m_session(context.database(), context.settings())
{
    // A test taken here is the current child's.
    m_session.setChild(context.currentChild());
    setFont(cjkFont(10.5));
    m_items = new TestItemModel(this);
    m_items->setSession(&m_session);
    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &TestWindow::tick);
    buildUi();
    addKeys();
    // The child goes on answering; the answer waits in the window and is stored again when
    // the test is left, but whoever sits there should know.
    connect(m_items, &TestItemModel::answerNotSaved, this, [this](const QString &reason) {
        m_hintLine->setText(
            u"注意：刚填的答案暂时没能存进数据文件（%1），退出测试时会再存一次。"_s.arg(reason));
        m_hintLine->setStyleSheet(palette::inkStyle(palette::kWarningInk, true));
        m_hintLine->show();
    });

    if (context.currentTestNo().isEmpty() || !m_session.resume(context.currentTestNo())) {
        showType(m_type);
        restoreChoices();
    } else {
        showResumed();
    }
}

void TestWindow::buildUi()
{
    addBand(kBand);
    m_levelCaption = addLabel(u"难度："_s, kLevelCaption, 11);
    m_level = new QComboBox(this);
    m_level->setGeometry(kLevelList);
    m_level->setFont(cjkFont(11));
    m_numberLabel = addLabel(u"数量："_s, kCountCaption, 11);
    m_count = new CountBox(this);
    m_count->setGeometry(kCount);
    m_count->setFont(cjkFont(11));
    m_count->setRange(TestChoices::kMinCount, TestChoices::kMaxCount);
    m_range = addLabel(u"数量范围：10-100"_s, kRange, 10);
    m_form = new FormChooser(this, kCarryList, kBlankList);
    m_range->setStyleSheet(palette::inkStyle(palette::kQuietInk));
    m_testInfo = addLabel(QString(), kTestInfo, 11);
    m_testInfo->setStyleSheet(palette::inkStyle(palette::kInk));
    m_testInfo->hide();

    m_buttons = { new HCommand(picture::kLeave, Exit, this),
        new HCommand(picture::kGenerate, Generate, this),
        new HCommand(picture::kConfirmTest, Confirm, this),
        new HCommand(picture::kHandIn, Finish, this), makeCloseGlyph(CloseGlyph, u"退出"_s) };
    placeInButtonRow(m_buttons[Exit], 0);
    placeInButtonRow(m_buttons[Confirm], 1);
    // Finishing takes the place of confirming: the two are never shown together.
    placeInButtonRow(m_buttons[Finish], 1);
    placeInButtonRow(m_buttons[Generate], 2);
    for (Button leaving : { Exit, CloseGlyph })
        connect(m_buttons[leaving], &HCommand::clicked, this, &TestWindow::leave);
    connect(m_buttons[Generate], &HCommand::clicked, this, &TestWindow::generate);
    connect(m_buttons[Confirm], &HCommand::clicked, this, &TestWindow::confirm);
    connect(m_buttons[Finish], &HCommand::clicked, this, &TestWindow::finish);
    setButtons(m_buttons);

    m_placeholder = addLabel(u"选好难度和数量，按【生成试题(F5)】出题。"_s, kGrid, 14);
    m_placeholder->setAlignment(Qt::AlignCenter);
    m_placeholder->setStyleSheet(
        u"color: %1; border: 2px dashed %2;"
        " border-radius: 12px; background: white;"_s.arg(
            palette::css(palette::kPlaceholderInk), palette::css(quizpalette::kPlaceholderDash)));
    m_grid = new AnswerGrid(m_items, this);
    m_grid->hide();
    connect(m_grid, &AnswerGrid::rowShown, this, &TestWindow::showProgress);

    m_progressLine = addLabel(QString(), kProgress, 11);
    m_progressLine->setObjectName(u"progressLine"_s);
    m_progressLine->setStyleSheet(palette::inkStyle(palette::kInk));
    m_clockLabel = addLabel(QString(), kClock, 11);
    m_clockLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_clockLabel->setStyleSheet(palette::inkStyle(palette::kInk));
    m_hintLine = addLabel(kSteps, kHint, 11);
    m_hintLine->setObjectName(u"hintLine"_s);
    m_hintLine->setStyleSheet(palette::inkStyle(palette::kQuietInk));
}

void TestWindow::addKeys()
{
    // A key acts only where its button is offered, and is taken all the same elsewhere.
    addShortcut(Qt::Key_F5, [this] {
        if (isOffered(Generate))
            generate();
    });
    addShortcut(Qt::Key_F6, [this] {
        if (isOffered(Confirm))
            confirm();
    });
    addShortcut(Qt::Key_F8, [this] {
        if (isOffered(Finish))
            finish();
    });
}

void TestWindow::showType(qint16 type)
{
    // The menu's type is the type of a new test only; a test taken up again is of its own.
    m_type = type;
    setWindowTitle(u"【电脑测试】--> "_s + TestSession::typeLabel(type));
    titleStrip()->setTitle(windowTitle());
    m_level->clear();
    m_level->addItems(catalogue::levelCaptions(type));
    m_form->setType(type);
}

void TestWindow::restoreChoices()
{
    const TestChoices choices = m_context.settings().testChoices(m_type);
    m_level->setCurrentIndex(choices.level - 1);
    m_count->setValue(choices.count);
    m_form->setForm(FormMemory(m_context.database()).form(Window::Test, m_type, choices.level));
    m_buttons[Confirm]->setEnabled(false);
    m_buttons[Finish]->hide();
    m_hintLine->setText(kSteps);
}

void TestWindow::showResumed()
{
    showType(m_session.type());
    setWindowTitle(u"【电脑测试】--> "_s + m_session.label());
    titleStrip()->setTitle(windowTitle());
    m_items->refresh();
    if (m_session.isMarked()) {
        showMarked();
        return;
    }
    showAnswering();
    m_clock->start();
}

void TestWindow::showGrid()
{
    setItemColumnWidths(m_grid, m_items->isMarked());
    m_placeholder->hide();
    m_grid->show();
}

void TestWindow::generate()
{
    // F5 and the button leave the focus in the box: what it shows is what is used.
    m_count->interpretText();
    const QuestionForm form = m_form->form(qint16(m_level->currentIndex() + 1));
    if (const QString problem = form.problem(); !problem.isEmpty()) {
        showMessage(this, problem);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_session.generate(m_maker, form, m_count->value(), QDateTime::currentDateTime());
    m_generatedForm = form;
    m_context.setCurrentTestNo(m_session.number());
    m_items->refresh();
    showGrid();
    m_buttons[Confirm]->setEnabled(true);
    m_grid->goToRow(0);
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
    m_form->setVisible(false);
    m_buttons[Generate]->hide();
    m_testInfo->setText(
        u"错题重练：共 %1 题，每道题再答对两次，就从错题本里去掉。"_s.arg(mistakes.size()));
    m_testInfo->show();
    m_hintLine->setText(u"练习步骤：确定答题->答题->完成答题->退出。"_s);
    m_items->refresh();
    showGrid();
    m_buttons[Confirm]->setEnabled(true);
    m_grid->goToRow(0);
}

void TestWindow::confirm()
{
    if (m_session.isConfirmed() || m_session.items().isEmpty())
        return;
    if (!runOrReport(u"试题没有保存"_s, [this] { m_session.confirm(); }))
        return;
    // The test is stored; a form not remembered only costs a choice next time.
    if (!m_session.isPractice()) {
        runOrReport(u"出题形式没有记下"_s,
            [this] { FormMemory(m_context.database()).setForm(Window::Test, m_generatedForm); });
    }
    m_context.setCurrentTestNo(m_session.number());
    m_items->refresh();
    showAnswering();
    m_clock->start();
}

void TestWindow::showNumber()
{
    // The number takes the place of the choices, which are made once and for all.
    m_numberLabel->setText(u"试卷编号："_s + m_session.number());
    m_numberLabel->setGeometry(kNumber);
    m_numberLabel->setFont(cjkFont(12, true));
    m_numberLabel->show();
    for (QWidget *choice :
        std::initializer_list<QWidget *> { m_levelCaption, m_level, m_count, m_range })
        choice->hide();
    m_form->setVisible(false);
    if (m_session.isPractice()) {
        m_testInfo->setText(
            u"%1：共 %2 题"_s.arg(TestSession::practiceName()).arg(m_session.items().size()));
    } else {
        m_testInfo->setText(u"难度：%1　　共 %2 题"_s.arg(catalogue::levelName(m_session.level()))
                                .arg(m_session.items().size()));
    }
    m_testInfo->show();
    m_buttons[Generate]->hide();
    m_buttons[Confirm]->hide();
    m_buttons[Finish]->show();
}

void TestWindow::showAnswering()
{
    showNumber();
    m_hintLine->setText(kLeaveHint);
    m_grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
        | QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    showGrid();
    m_grid->goToRow(std::max(m_session.firstUnanswered(), 0));
    m_grid->setFocus();
    showClock();
}

void TestWindow::showMarked()
{
    m_clock->stop();
    showNumber();
    m_buttons[Finish]->setEnabled(false);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const int wrong = m_session.wrongCount();
    m_hintLine->setText(
        wrong > 0 ? u"试题判卷结果：错误 %1 题！"_s.arg(wrong) : u"试题判卷结果：全部正确。"_s);
    m_hintLine->setStyleSheet(
        palette::inkStyle(wrong > 0 ? palette::kWarningInk : quizpalette::kRightInk, true));
    m_hintLine->show();
    showGrid();
    m_grid->goToRow(0);
    showClock();
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
    if (m_session.isConfirmed()) {
        m_clockLabel->setText(u"用时：%1"_s.arg(
            m_session.isPhotographed() ? u"—"_s : elapsedText(m_session.elapsed())));
    }
}

void TestWindow::finish()
{
    if (!m_session.isConfirmed() || m_session.isMarked())
        return;
    m_grid->commitOpenEditor();
    m_buttons[Finish]->setEnabled(false);
    MarkResult result;
    if (!runOrReport(u"判卷结果没有保存"_s, [this, &result] { result = m_session.mark(); })) {
        m_buttons[Finish]->setEnabled(true);
        return;
    }
    if (!result.complete) {
        m_buttons[Finish]->setEnabled(true);
        showMessage(this, u"操作提示：尚有题目没有作答，请继续答题！"_s);
        m_hintLine->show();
        m_grid->goToRow(m_session.firstUnanswered());
        m_grid->setFocus();
        return;
    }
    m_items->refresh();
    showMarked();
}

void TestWindow::tick()
{
    const bool running = m_session.tick();
    if (!running)
        m_clock->stop();
    if (m_session.clockSaveDue())
        saveClock();
    showClock();
}

void TestWindow::saveClock()
{
    try {
        m_session.saveElapsed();
    } catch (const std::runtime_error &) {
        // The next save, or leaving, tries again; a clock is not worth a message.
    }
}

bool TestWindow::isOffered(Button index) const
{
    // Asked of the widget itself, so that it holds before the window is first shown too.
    return !m_buttons.at(index)->isHidden() && m_buttons.at(index)->isEnabled();
}

bool TestWindow::mayLeave()
{
    if (m_session.state() == TestSession::State::Running) {
        m_grid->commitOpenEditor();
        m_clock->stop();
        // An answer typed while the file was busy lives in the session alone; closing now
        // would lose it.
        if (!runOrReport(
                u"答案和答题用时没有保存"_s, [this] { m_session.leave(); },
                Report::WindowStaysOpen)) {
            m_clock->start();
            return false;
        }
    }
    m_clock->stop();
    return true;
}

void TestWindow::reject()
{
    // Esc leaves while the test is still being chosen, never from the middle of one.
    if (m_session.origin() == TestSession::Origin::Screen
        && m_session.state() == TestSession::State::NotStarted)
        leave();
}
