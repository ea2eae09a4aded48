#include "game24/game24card.h"
#include "game24/game24window.h"
#include "chrome/hcommand.h"
#include "chrome/operationbutton.h"
#include "chrome/pictureview.h"

#include "program/appcontext.h"
#include "store/database.h"
#include "store/settings.h"
#include "support/busydatafile.h"
#include "support/guitestmain.h"
#include "support/messagecatcher.h"
#include "support/shownwindow.h"

#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

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

qint64 playedOf(Database &db, qint64 id)
{
    Statement select = db.prepare("SELECT a24_pl FROM tab_24 WHERE a24_id = ?");
    select.bind(1, id);
    return select.next() ? select.integer(0) : -1;
}

// Types the moves on the keypad, blank-separated: a sign chooses the operation, "rN" is the result
// card of step N, a number the first free number card that shows it.
void play(Game24Window &window, const QString &moves)
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
        const Qt::Key key = signs.value(move, Qt::Key(Qt::Key_1 + card));
        QTest::keyClick(&window, key, Qt::KeypadModifier);
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
    void buttonsReachTheirActions();
    void playedToTheEnd_data();
    void playedToTheEnd();
    void leavingSavesTheLevel_data();
    void leavingSavesTheLevel();

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
    showActive(window);
    QCOMPARE(window.levelList()->currentIndex(), 3);
    QCOMPARE(window.deck().level(), 4);

    window.levelList()->setCurrentIndex(2);
    QCOMPARE(window.deck().level(), 3);
    QCOMPARE(window.progressLabel()->text(), u"【 1 / %1 】"_s.arg(window.deck().size()));
    for (int card = 0; card < 4; ++card)
        QCOMPARE(window.card(card)->caption(), window.board().caption(card));

    // An empty level deals nothing, and its buttons and keys do nothing.
    window.levelList()->setCurrentIndex(1);
    QCOMPARE(window.goalLabel()->text(), u"题库是空的"_s);
    QVERIFY(window.card(0)->caption().isEmpty());
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
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<int>("chosen"); // -1: no card chosen
    QTest::addColumn<Op>("operation"); // Subtract before the key
    QTest::addColumn<QString>("effect"); // besides the card and the operation
    const auto keypad = Qt::KeypadModifier;
    QTest::newRow("keypad 1") << 0 << QKeySequence(keypad | Qt::Key_1) << 0 << Op::Subtract
                              << QString();
    QTest::newRow("keypad 4 on the list")
        << 1 << QKeySequence(keypad | Qt::Key_4) << 3 << Op::Subtract << QString();
    QTest::newRow("digit 2 on a button")
        << 2 << QKeySequence(Qt::Key_2) << 1 << Op::Subtract << QString();
    QTest::newRow("ctrl+3 is no card")
        << 0 << QKeySequence(Qt::ControlModifier | Qt::Key_3) << -1 << Op::Subtract << QString();
    QTest::newRow("keypad *") << 2 << QKeySequence(keypad | Qt::Key_Asterisk) << -1 << Op::Multiply
                              << QString();
    QTest::newRow("slash on the list")
        << 1 << QKeySequence(Qt::Key_Slash) << -1 << Op::Divide << QString();
    QTest::newRow("F1 on the list")
        << 1 << QKeySequence(Qt::Key_F1) << -1 << Op::Subtract << u"hint"_s;
    QTest::newRow("F5 on the list") << 1 << QKeySequence(Qt::Key_F5) << -1 << Op::Add << u"next"_s;
}

void TestGame24Window::keysFromAnyControl()
{
    QFETCH(int, target);
    QFETCH(QKeySequence, key);
    QFETCH(int, chosen);
    QFETCH(Op, operation);
    QFETCH(QString, effect);
    Game24Window window(*m_context);
    showActive(window);
    window.chooseOperation(Op::Subtract);
    const int level = window.levelList()->currentIndex();
    QWidget *const targets[] = { &window, window.levelList(), window.button(Game24Window::Next) };
    targets[target]->setFocus();
    const qint64 puzzle = window.puzzleId();

    QTest::keyClick(targets[target], key[0].key(), key[0].keyboardModifiers());
    QCOMPARE(window.board().chosenCard().value_or(-1), chosen);
    for (int card = 0; card < 4; ++card)
        QCOMPARE(window.card(card)->state() == Board::CardState::Chosen, card == chosen);
    QCOMPARE(window.board().operation(), operation);
    QVERIFY(window.operationButton(operation)->isChecked());
    // A hint is shown in the first empty row without being played.
    QCOMPARE(!window.stepLabel(0)->text().isEmpty(), effect == u"hint"_s);
    QVERIFY(window.board().stepLine(0).isEmpty());
    QCOMPARE(window.puzzleId() != puzzle, effect == u"next"_s);
    // Neither the list nor the button took the key for itself.
    QCOMPARE(window.levelList()->currentIndex(), level);
}

void TestGame24Window::buttonsReachTheirActions()
{
    setNumbers(m_context->database(), 1, { 3, 3, 8, 8 });
    Game24Window window(*m_context);
    QList<QList<int>> shown;
    window.solutionsViewer = [&shown](const QList<int> &hand) { shown << hand; };
    HCommand *answer = window.button(Game24Window::ShowAnswer);
    HCommand *all = window.button(Game24Window::AllSolutions);

    // Cards and operations take the mouse; 清除 takes the steps back on the same puzzle.
    QTest::mouseClick(window.card(2), Qt::LeftButton);
    QTest::mouseClick(window.operationButton(Op::Multiply), Qt::LeftButton);
    QTest::mouseClick(window.card(0), Qt::LeftButton);
    QCOMPARE(window.board().operation(), Op::Multiply);
    QCOMPARE(window.stepLabel(0)->text(), window.board().stepLine(0));
    QVERIFY(!window.stepLabel(0)->text().isEmpty());
    const qint64 puzzle = window.puzzleId();
    QTest::mouseClick(window.button(Game24Window::Clear), Qt::LeftButton);
    QVERIFY(window.stepLabel(0)->text().isEmpty());
    QCOMPARE(window.puzzleId(), puzzle);

    // 3 3 8 8 has no whole-number way: the hint says so where the goal stands.
    QTest::mouseClick(window.button(Game24Window::Hint), Qt::LeftButton);
    QVERIFY2(window.goalLabel()->text().contains(u"【重新计算】"_s),
        qPrintable(window.goalLabel()->text()));

    // The answer toggles, and lets every solution of the hand be shown.
    QTest::mouseClick(answer, Qt::LeftButton);
    QVERIFY(window.answerLabel()->isVisibleTo(&window));
    QTest::mouseClick(all, Qt::LeftButton);
    QCOMPARE(shown,
        QList<QList<int>>({ { window.board().caption(0).toInt(), window.board().caption(1).toInt(),
            window.board().caption(2).toInt(), window.board().caption(3).toInt() } }));
    QTest::mouseClick(answer, Qt::LeftButton);
    QVERIFY(!window.answerLabel()->isVisibleTo(&window));

    // 下一题 deals the next puzzle afresh.
    QTest::mouseClick(answer, Qt::LeftButton);
    QTest::mouseClick(window.button(Game24Window::Next), Qt::LeftButton);
    QVERIFY(window.progressLabel()->text().startsWith(u"【 2 / "_s));
    QVERIFY(window.puzzleId() != puzzle);
    QVERIFY(!window.answerLabel()->isVisibleTo(&window));
    QVERIFY(!all->isEnabled());
}

void TestGame24Window::playedToTheEnd_data()
{
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<bool>("busy"); // another program writes to the data file meanwhile
    QTest::addColumn<QString>("said"); // what a message box said, if one showed
    QTest::addColumn<int>("solved"); // -1: not played to the end
    QTest::newRow("solved") << QList { 1, 2, 3, 4 } << kSolve1234 << false << QString() << 1;
    QTest::newRow("missed") << QList { 2, 5, 3, 1 } << u"2 - 5 r1 * 3 r2 - 1"_s << false
                            << QString() << 0;
    QTest::newRow("a refused division is said")
        << QList { 8, 3, 3, 8 } << u"8 / 3"_s << false
        << Board::refusalText(Board::Outcome::NotExact) << -1;
    // Not kept, but the game goes on.
    QTest::newRow("solved while the file is busy")
        << QList { 1, 2, 3, 4 } << kSolve1234 << true
        << u"这道题算对了，但没有记下来：数据文件正被另一个程序使用。"_s << 1;
}

void TestGame24Window::playedToTheEnd()
{
    QFETCH(QList<int>, numbers);
    QFETCH(QString, moves);
    QFETCH(bool, busy);
    QFETCH(QString, said);
    QFETCH(int, solved);
    setNumbers(m_context->database(), 1, numbers);
    Game24Window window(*m_context);
    showActive(window);

    MessageCatcher message;
    if (!said.isEmpty())
        message.arm();
    {
        std::optional<BusyDataFile> writer;
        if (busy)
            writer.emplace(m_context->database().path());
        play(window, moves);
    }
    QVERIFY2(message.text.startsWith(said), qPrintable(message.text));
    QCOMPARE(window.rightPicture()->isVisibleTo(&window), solved == 1);
    QCOMPARE(window.wrongPicture()->isVisibleTo(&window), solved == 0);
    QCOMPARE(window.button(Game24Window::AllSolutions)->isEnabled(), solved >= 0);
    QCOMPARE(playedOf(m_context->database(), window.puzzleId()), solved == 1 && !busy);
}

void TestGame24Window::leavingSavesTheLevel_data()
{
    QTest::addColumn<int>("way"); // 0 Esc, 1 close glyph, 2 退出 button, 3 the window manager
    QTest::addColumn<bool>("busy"); // the first try fails while another program writes
    QTest::newRow("Esc") << 0 << false;
    QTest::newRow("close glyph") << 1 << false;
    QTest::newRow("退出(Esc)") << 2 << false;
    QTest::newRow("window manager") << 3 << false;
    QTest::newRow("Esc while the file is busy") << 0 << true;
}

void TestGame24Window::leavingSavesTheLevel()
{
    QFETCH(int, way);
    QFETCH(bool, busy);
    Game24Window window(*m_context);
    showActive(window);
    window.levelList()->setCurrentIndex(2);
    window.levelList()->setFocus();
    auto leave = [&window, way] {
        if (way == 0)
            QTest::keyClick(window.levelList(), Qt::Key_Escape);
        else if (way == 3)
            window.close();
        else
            QTest::mouseClick(window.button(way == 1 ? Game24Window::Close : Game24Window::Leave),
                Qt::LeftButton);
    };
    if (busy) {
        BusyDataFile writer(m_context->database().path());
        MessageCatcher message;
        message.arm();
        leave();
        QVERIFY(window.isVisible());
        QVERIFY2(message.text.startsWith(u"选好的难度没有保存：数据文件正被另一个程序使用"_s)
                && message.text.endsWith(u"窗口没有关闭，请稍后再试。"_s),
            qPrintable(message.text));
    }
    leave();
    QVERIFY(!window.isVisible());
    QCOMPARE(m_context->settings().read(u"system_4"_s), u"3"_s);
}

QRTA_GUI_TEST_MAIN(TestGame24Window)
#include "tst_game24window.moc"
