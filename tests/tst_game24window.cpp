#include "game24/game24card.h"
#include "game24/game24window.h"
#include "chrome/hcommand.h"
#include "chrome/operationbutton.h"
#include "chrome/pictureview.h"

#include "program/appcontext.h"
#include "store/database.h"
#include "store/settings.h"
#include "support/guitestmain.h"
#include "support/busydatafile.h"
#include "support/messagecatcher.h"

#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using Op = Board::Operation;
Q_DECLARE_METATYPE(Board::Operation)

namespace {

// Every puzzle of the level shows these numbers, so that a test knows what it is dealt.
void setNumbers(Database &db, int level, const QList<int> &numbers)
{
    Statement update = db.prepare(
        "UPDATE tab_24 SET a24_n1 = ?, a24_n2 = ?, a24_n3 = ?, a24_n4 = ? WHERE a24_nd = ?");
    for (int i = 0; i < 4; ++i)
        update.bind(i + 1, numbers.at(i));
    update.bind(5, level);
    update.run();
}

qint64 queryNumber(Database &db, const char *sql, qint64 value)
{
    Statement select = db.prepare(sql);
    select.bind(1, value);
    return select.next() ? select.integer(0) : -1;
}

const char *const kLevelOf = "SELECT a24_nd FROM tab_24 WHERE a24_id = ?";
const char *const kPlayedOf = "SELECT a24_pl FROM tab_24 WHERE a24_id = ?";

// Types the moves, blank-separated: a sign chooses the operation, "rN" is the result card of step
// N, a number the first free number card that shows it.
void play(Game24Window &window, const QString &moves, Qt::KeyboardModifiers modifier)
{
    static const QHash<QString, Qt::Key> signs { { u"+"_s, Qt::Key_Plus },
        { u"-"_s, Qt::Key_Minus }, { u"*"_s, Qt::Key_Asterisk }, { u"/"_s, Qt::Key_Slash } };
    for (const QString &move : moves.split(u' ')) {
        int card = move.startsWith(u'r') ? 3 + move.mid(1).toInt() : -1;
        for (int i = 0; i < 4 && card < 0; ++i) {
            if (window.board().caption(i) == move
                && window.board().state(i) == Board::CardState::Normal)
                card = i;
        }
        if (signs.contains(move))
            QTest::keyClick(&window, signs.value(move), modifier);
        else
            QTest::keyClick(&window, Qt::Key(Qt::Key_1 + card), modifier);
    }
}

const QString kSolve1234 = u"1 + 2 r1 + 3 r2 * 4"_s;

} // namespace

class TestGame24Window : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void levelListDealsTheChosenLevel();
    void keysFromAnyControl_data();
    void keysFromAnyControl();
    void playedToTheEnd_data();
    void playedToTheEnd();
    void refusedDivisionIsSaid();
    void buttonsAndKeys();
    void leavingSavesTheLevel_data();
    void leavingSavesTheLevel();
    void busyFileNeitherStopsTheGameNorLosesTheLevel();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppContext> m_context;
};

void TestGame24Window::init()
{
    m_context.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    m_context = AppContext::open(m_dir->filePath(u"QRTA.dat"_s));
}

void TestGame24Window::levelListDealsTheChosenLevel()
{
    Database &db = m_context->database();
    db.exec("DELETE FROM tab_24 WHERE a24_nd = 2");
    m_context->settings().write(u"system_4"_s, u"4"_s);
    Game24Window window(*m_context);
    QCOMPARE(window.levelList()->currentIndex(), 3);
    QCOMPARE(queryNumber(db, kLevelOf, window.puzzleId()), 4);

    window.levelList()->setCurrentIndex(2);
    QCOMPARE(queryNumber(db, kLevelOf, window.puzzleId()), 3);
    QCOMPARE(window.progressLabel()->text(), u"【 1 / %1 】"_s.arg(window.deck().size()));
    for (int card = 0; card < 4; ++card)
        QCOMPARE(window.card(card)->caption(), window.board().caption(card));

    // An empty level deals nothing, and its buttons and keys do nothing.
    window.levelList()->setCurrentIndex(1);
    QCOMPARE(window.goalLabel()->text(), u"题库是空的"_s);
    for (int card = 0; card < 4; ++card)
        QVERIFY(window.card(card)->caption().isEmpty());
    for (const auto button :
        { Game24Window::Next, Game24Window::Clear, Game24Window::ShowAnswer, Game24Window::Hint })
        QVERIFY(!window.button(button)->isEnabled());
    QTest::keyClick(&window, Qt::Key_F1);
    QVERIFY(window.stepLabel(0)->text().isEmpty());

    window.levelList()->setCurrentIndex(0);
    QVERIFY(!window.card(0)->caption().isEmpty());
    QVERIFY(window.button(Game24Window::Hint)->isEnabled());
}

void TestGame24Window::keysFromAnyControl_data()
{
    QTest::addColumn<int>("target"); // 0 the window, 1 the level list, 2 the next button
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("chosen"); // -1: no card chosen
    QTest::addColumn<Op>("operation");
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("keypad 1") << 0 << int(Qt::Key_1) << keypad << 0 << Op::Subtract;
    QTest::newRow("keypad 4 on the list") << 1 << int(Qt::Key_4) << keypad << 3 << Op::Subtract;
    QTest::newRow("digit 2 on a button") << 2 << int(Qt::Key_2) << 0 << 1 << Op::Subtract;
    QTest::newRow("ctrl+3 is no card")
        << 0 << int(Qt::Key_3) << int(Qt::ControlModifier) << -1 << Op::Subtract;
    QTest::newRow("shift + on the main keys")
        << 0 << int(Qt::Key_Plus) << int(Qt::ShiftModifier) << -1 << Op::Add;
    QTest::newRow("keypad *") << 2 << int(Qt::Key_Asterisk) << keypad << -1 << Op::Multiply;
    QTest::newRow("slash on the list") << 1 << int(Qt::Key_Slash) << 0 << -1 << Op::Divide;
}

void TestGame24Window::keysFromAnyControl()
{
    QFETCH(int, target);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, chosen);
    QFETCH(Op, operation);
    Game24Window window(*m_context);
    window.chooseOperation(Op::Subtract);
    const int level = window.levelList()->currentIndex();
    QWidget *const targets[] = { &window, window.levelList(), window.button(Game24Window::Next) };
    const QString progress = window.progressLabel()->text();

    QTest::keyClick(targets[target], Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(window.board().chosenCard().value_or(-1), chosen);
    for (int card = 0; card < 4; ++card)
        QCOMPARE(window.card(card)->state() == Board::CardState::Chosen, card == chosen);
    QCOMPARE(window.board().operation(), operation);
    QVERIFY(window.operationButton(operation)->isChecked());
    // Neither the list nor the button took the key for itself.
    QCOMPARE(window.levelList()->currentIndex(), level);
    QCOMPARE(window.progressLabel()->text(), progress);
}

void TestGame24Window::playedToTheEnd_data()
{
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("solved");
    QTest::newRow("solved on the keypad")
        << QList { 1, 2, 3, 4 } << kSolve1234 << int(Qt::KeypadModifier) << true;
    QTest::newRow("missed on the main keys")
        << QList { 2, 5, 3, 1 } << u"2 - 5 r1 * 3 r2 - 1"_s << 0 << false;
}

void TestGame24Window::playedToTheEnd()
{
    QFETCH(QList<int>, numbers);
    QFETCH(QString, moves);
    QFETCH(int, modifiers);
    QFETCH(bool, solved);
    setNumbers(m_context->database(), 1, numbers);
    Game24Window window(*m_context);

    play(window, moves, Qt::KeyboardModifiers(modifiers));
    for (int step = 0; step < 3; ++step) {
        QVERIFY(!window.board().stepLine(step).isEmpty());
        QCOMPARE(window.stepLabel(step)->text(), window.board().stepLine(step));
    }
    for (int card = 0; card < 6; ++card)
        QCOMPARE(window.card(card)->state(), Board::CardState::Used);
    QCOMPARE(window.rightPicture()->isVisibleTo(&window), solved);
    QCOMPARE(window.wrongPicture()->isVisibleTo(&window), !solved);
    QCOMPARE(queryNumber(m_context->database(), kPlayedOf, window.puzzleId()), int(solved));
}

void TestGame24Window::refusedDivisionIsSaid()
{
    setNumbers(m_context->database(), 1, { 8, 3, 3, 8 });
    Game24Window window(*m_context);
    play(window, u"8 /"_s, Qt::KeypadModifier);
    // The deal puts the numbers on random cards: follow the 8 that was chosen.
    const std::optional<int> first = window.board().chosenCard();
    QVERIFY(first);
    MessageCatcher shown;
    shown.arm();
    play(window, u"3"_s, Qt::KeypadModifier);
    QCOMPARE(shown.text, Board::refusalText(Board::Outcome::NotExact));
    QCOMPARE(window.card(*first)->state(), Board::CardState::Chosen);
    for (int card = 0; card < 4; ++card) {
        if (card != *first)
            QCOMPARE(window.card(card)->state(), Board::CardState::Normal);
    }
}

void TestGame24Window::buttonsAndKeys()
{
    Game24Window window(*m_context);
    QList<QList<int>> shown;
    window.solutionsViewer = [&shown](const QList<int> &hand) { shown << hand; };
    const int n = window.deck().size();
    HCommand *answer = window.button(Game24Window::ShowAnswer);
    HCommand *all = window.button(Game24Window::AllSolutions);
    QVERIFY(!window.answerLabel()->isVisibleTo(&window));
    QVERIFY(!all->isEnabled());

    // Cards and operations take the mouse too; 清除 deals the same numbers again.
    QTest::mouseClick(window.card(2), Qt::LeftButton);
    QTest::mouseClick(window.operationButton(Op::Multiply), Qt::LeftButton);
    QTest::mouseClick(window.card(0), Qt::LeftButton);
    QCOMPARE(window.stepLabel(0)->text(), window.board().stepLine(0));
    QVERIFY(!window.card(4)->caption().isEmpty());
    const qint64 puzzle = window.puzzleId();
    QTest::mouseClick(window.button(Game24Window::Clear), Qt::LeftButton);
    QVERIFY(window.card(4)->caption().isEmpty());
    QVERIFY(window.stepLabel(0)->text().isEmpty());
    QCOMPARE(window.puzzleId(), puzzle);

    // F1 shows the hint's next step in the first empty row without playing it; 清除 takes it.
    QTest::keyClick(window.levelList(), Qt::Key_F1);
    QVERIFY(!window.stepLabel(0)->text().isEmpty());
    QVERIFY(window.board().stepLine(0).isEmpty());
    QTest::keyClick(&window, Qt::Key_F1);
    QVERIFY(!window.stepLabel(1)->text().isEmpty());
    QTest::mouseClick(window.button(Game24Window::Clear), Qt::LeftButton);
    QVERIFY(window.stepLabel(0)->text().isEmpty());

    // The answer toggles, and lets every solution of the hand be shown.
    QTest::mouseClick(answer, Qt::LeftButton);
    QVERIFY(window.answerLabel()->isVisibleTo(&window));
    QVERIFY(window.answerLabel()->text().startsWith(u"【答案】："_s));
    QTest::mouseClick(all, Qt::LeftButton);
    QCOMPARE(shown.size(), 1);
    for (int card = 0; card < 4; ++card)
        QCOMPARE(shown.first().at(card), window.board().caption(card).toInt());
    QTest::mouseClick(answer, Qt::LeftButton);
    QVERIFY(!window.answerLabel()->isVisibleTo(&window));

    // F5 from any control, and 下一题, deal the next puzzle afresh.
    QTest::mouseClick(answer, Qt::LeftButton);
    QTest::keyClick(&window, Qt::Key_1, Qt::KeypadModifier);
    QTest::keyClick(&window, Qt::Key_Asterisk, Qt::KeypadModifier);
    QTest::keyClick(window.levelList(), Qt::Key_F5);
    QCOMPARE(window.progressLabel()->text(), u"【 2 / %1 】"_s.arg(n));
    QVERIFY(window.puzzleId() != puzzle);
    QVERIFY(!window.answerLabel()->isVisibleTo(&window));
    QVERIFY(!window.board().chosenCard());
    QVERIFY(window.operationButton(Op::Add)->isChecked());
    QTest::mouseClick(window.button(Game24Window::Next), Qt::LeftButton);
    QCOMPARE(window.progressLabel()->text(), u"【 3 / %1 】"_s.arg(n));

    // A hint that leads nowhere is said where the goal stands.
    setNumbers(m_context->database(), window.deck().level(), { 3, 3, 8, 8 });
    window.chooseLevel(window.deck().level());
    QTest::keyClick(&window, Qt::Key_F1);
    QVERIFY2(window.goalLabel()->text().contains(u"【重新计算】"_s),
        qPrintable(window.goalLabel()->text()));
}

void TestGame24Window::leavingSavesTheLevel_data()
{
    QTest::addColumn<int>("way"); // 0 Esc, 1 close glyph, 2 退出 button, 3 the window manager
    QTest::newRow("Esc") << 0;
    QTest::newRow("close glyph") << 1;
    QTest::newRow("退出(Esc)") << 2;
    QTest::newRow("window manager") << 3;
}

void TestGame24Window::leavingSavesTheLevel()
{
    QFETCH(int, way);
    Game24Window window(*m_context);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.levelList()->setCurrentIndex(2);
    if (way == 0)
        QTest::keyClick(window.levelList(), Qt::Key_Escape);
    else if (way == 3)
        window.close();
    else
        QTest::mouseClick(
            window.button(way == 1 ? Game24Window::Close : Game24Window::Leave), Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(m_context->settings().read(u"system_4"_s), u"3"_s);
}

void TestGame24Window::busyFileNeitherStopsTheGameNorLosesTheLevel()
{
    setNumbers(m_context->database(), 3, { 1, 2, 3, 4 });
    Game24Window window(*m_context);
    window.show();
    window.levelList()->setCurrentIndex(2);
    MessageCatcher solved;
    MessageCatcher closing;
    {
        BusyDataFile busy(m_context->database().path());
        solved.arm();
        play(window, kSolve1234, Qt::KeypadModifier);
        QVERIFY(window.rightPicture()->isVisibleTo(&window));
        closing.arm();
        window.close();
        QVERIFY(window.isVisible());
    }
    const QString busy = u"：数据文件正被另一个程序使用。"_s;
    QVERIFY2(solved.text.contains(busy), qPrintable(solved.text));
    QVERIFY2(closing.text.contains(busy) && closing.text.endsWith(u"窗口没有关闭，请稍后再试。"_s),
        qPrintable(closing.text));
    window.close();
    QVERIFY(!window.isVisible());
    QCOMPARE(m_context->settings().read(u"system_4"_s), u"3"_s);
}

QRTA_GUI_TEST_MAIN(TestGame24Window)
#include "tst_game24window.moc"
