#include "game24/game24card.h"
#include "game24/game24window.h"
#include "chrome/hcommand.h"
#include "chrome/operationbutton.h"
#include "chrome/pictureview.h"

#include "game24/puzzledeck.h"
#include "program/appcontext.h"
#include "store/database.h"
#include "store/settings.h"
#include "support/busydatafile.h"
#include "support/guitestmain.h"
#include "support/messagecatcher.h"
#include "support/shownwindow.h"
#include "support/testdata.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <optional>

using namespace Qt::Literals::StringLiterals;

using Op = Board::Operation;

namespace {

// Every puzzle of the level shows these numbers, so that a test knows what it is dealt.
void setNumbers(Database &db, int level, const QList<int> &numbers)
{
    Statement update = db.prepare(
        "UPDATE tab_24 SET a24_n1 = ?, a24_n2 = ?, a24_n3 = ?, a24_n4 = ? WHERE a24_nd = ?");
    for (int i = 0; i < 4; ++i)
        update.bind(i + 1, numbers.at(i));
    update.bind(5, level).run();
}

// Types the moves on the keypad, blank-separated: a sign chooses the operation, "rN" is the result
// card of step N, a number the first free number card that shows it.
void play(Game24Window &window, const QString &moves)
{
    const Board &board = window.board();
    for (const QString &move : moves.split(u' ')) {
        int card = move.startsWith(u'r') ? 3 + move.mid(1).toInt() : 0;
        while (card < 4
            && (board.caption(card) != move || board.state(card) != Board::CardState::Normal))
            ++card;
        const char key = u"+-*/"_s.contains(move) ? move.at(0).toLatin1() : char('1' + card);
        QTest::keyClick(&window, key, Qt::KeypadModifier);
    }
}

const QString kSolve1234 = u"1 + 2 r1 + 3 r2 * 4"_s;

} // namespace

class TestGame24Window : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_data.emplace(); }

    void levelListDealsTheChosenLevel()
    {
        m_data->db().exec("DELETE FROM tab_24 WHERE a24_nd = 2");
        m_data->settings().write(u"system_4"_s, u"4"_s);
        Game24Window window(*m_data->context);
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
        for (const auto button : { Game24Window::Next, Game24Window::Clear,
                 Game24Window::ShowAnswer, Game24Window::Hint })
            QVERIFY(!window.button(button)->isEnabled());
        QTest::keyClick(&window, Qt::Key_F1);
        QVERIFY(window.stepLabel(0)->text().isEmpty());

        window.levelList()->setCurrentIndex(0);
        QVERIFY(!window.card(0)->caption().isEmpty());
        QVERIFY(window.button(Game24Window::Hint)->isEnabled());
    }

    void keysFromAnyControl_data()
    {
        QTest::addColumn<int>("target"); // 0 the level list, 1 the next button
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("shown"); // the chosen card, the operation, a hint, a new puzzle
        const auto keypad = Qt::KeypadModifier;
        // The keys typed at the window itself are the other tests' moves.
        QTest::newRow("keypad 4 on the list") << 0 << QKeySequence(keypad | Qt::Key_4) << u"3 -"_s;
        QTest::newRow("digit 2 on a button") << 1 << QKeySequence(Qt::Key_2) << u"1 -"_s;
        QTest::newRow("slash on the list") << 0 << QKeySequence(Qt::Key_Slash) << u"-1 /"_s;
        // A hint is shown in the first empty row without being played.
        QTest::newRow("F1 on the list") << 0 << QKeySequence(Qt::Key_F1) << u"-1 - hint"_s;
        QTest::newRow("F5 on the list") << 0 << QKeySequence(Qt::Key_F5) << u"-1 + next"_s;
    }

    void keysFromAnyControl()
    {
        QFETCH(int, target);
        QFETCH(QKeySequence, key);
        QFETCH(QString, shown);
        Game24Window window(*m_data->context);
        showActive(window);
        window.chooseOperation(Op::Subtract);
        QWidget *const targets[] = { window.levelList(), window.button(Game24Window::Next) };
        targets[target]->setFocus();
        const qint64 puzzle = window.puzzleId();

        QTest::keyClick(targets[target], key[0].key(), key[0].keyboardModifiers());
        const Board &board = window.board();
        QString now = u"%1 %2"_s.arg(board.chosenCard().value_or(-1))
                          .arg(u"+-*/"_s[int(board.operation())]);
        now += window.stepLabel(0)->text().isEmpty() ? u""_s : u" hint"_s;
        QCOMPARE(now + (window.puzzleId() != puzzle ? u" next"_s : u""_s), shown);
        for (int card = 0; card < 4; ++card)
            QCOMPARE(
                window.card(card)->state() == Board::CardState::Chosen, card == board.chosenCard());
        QVERIFY(window.operationButton(board.operation())->isChecked());
        QVERIFY(board.stepLine(0).isEmpty());
        // Neither the list nor the button took the key for itself.
        QCOMPARE(window.levelList()->currentIndex(), 0);
    }

    void buttonsReachTheirActions()
    {
        setNumbers(m_data->db(), 1, { 3, 3, 8, 8 });
        Game24Window window(*m_data->context);
        QList<QList<int>> shown;
        window.solutionsViewer = [&shown](const QList<int> &hand) { shown << hand; };
        HCommand *answer = window.button(Game24Window::ShowAnswer);
        const auto click = [](QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); };

        // Cards and operations take the mouse; 清除 takes the steps back on the same puzzle.
        click(window.card(2));
        click(window.operationButton(Op::Multiply));
        click(window.card(0));
        QCOMPARE(window.board().operation(), Op::Multiply);
        QCOMPARE(window.stepLabel(0)->text(), window.board().stepLine(0));
        QVERIFY(!window.stepLabel(0)->text().isEmpty());
        const qint64 puzzle = window.puzzleId();
        click(window.button(Game24Window::Clear));
        QVERIFY(window.stepLabel(0)->text().isEmpty());
        QCOMPARE(window.puzzleId(), puzzle);

        // 3 3 8 8 has no whole-number way: the hint says so where the goal stands.
        click(window.button(Game24Window::Hint));
        QVERIFY2(window.goalLabel()->text().contains(u"【重新计算】"_s),
            qPrintable(window.goalLabel()->text()));

        // The answer toggles, and lets every solution of the hand be shown.
        click(answer);
        QVERIFY(window.answerLabel()->isVisibleTo(&window));
        click(window.button(Game24Window::AllSolutions));
        QList<int> hand;
        for (int card = 0; card < 4; ++card)
            hand << window.board().caption(card).toInt();
        QCOMPARE(shown, QList<QList<int>> { hand });
        click(answer);
        QVERIFY(!window.answerLabel()->isVisibleTo(&window));

        // 下一题 deals the next puzzle afresh.
        click(answer);
        click(window.button(Game24Window::Next));
        QVERIFY(window.progressLabel()->text().startsWith(u"【 2 / "_s));
        QVERIFY(window.puzzleId() != puzzle);
        QVERIFY(!window.answerLabel()->isVisibleTo(&window));
        QVERIFY(!window.button(Game24Window::AllSolutions)->isEnabled());
    }

    void playedToTheEnd_data()
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

    void playedToTheEnd()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(QString, moves);
        QFETCH(bool, busy);
        QFETCH(QString, said);
        QFETCH(int, solved);
        setNumbers(m_data->db(), 1, numbers);
        Game24Window window(*m_data->context);
        showActive(window);

        const auto moved = [&] { play(window, moves); };
        const QString text = busy ? saidWhileBusy(m_data->path, moved) : saidWhile(moved);
        QVERIFY2(said.isEmpty() ? text.isEmpty() : text.startsWith(said), qPrintable(text));
        QCOMPARE(window.rightPicture()->isVisibleTo(&window), solved == 1);
        QCOMPARE(window.wrongPicture()->isVisibleTo(&window), solved == 0);
        QCOMPARE(window.button(Game24Window::AllSolutions)->isEnabled(), solved >= 0);
        const QList<PuzzleDeck::Stored> puzzles = PuzzleDeck::stored(m_data->db(), 1);
        const auto puzzle = std::ranges::find(
            puzzles, QString::number(window.puzzleId()), &PuzzleDeck::Stored::id);
        QCOMPARE(puzzle->played, solved == 1 && !busy ? u"1"_s : u"0"_s);
    }

    void leavingSavesTheLevel_data()
    {
        QTest::addColumn<int>("way"); // a button, -1 Esc, -2 the window manager
        QTest::addColumn<bool>("busy"); // the first try fails while another program writes
        QTest::newRow("Esc") << -1 << false;
        QTest::newRow("close glyph") << int(Game24Window::Close) << false;
        QTest::newRow("退出(Esc)") << int(Game24Window::Leave) << false;
        QTest::newRow("window manager") << -2 << false;
        QTest::newRow("Esc while the file is busy") << -1 << true;
    }

    void leavingSavesTheLevel()
    {
        QFETCH(int, way);
        QFETCH(bool, busy);
        Game24Window window(*m_data->context);
        showActive(window);
        window.levelList()->setCurrentIndex(2);
        window.levelList()->setFocus();
        auto leave = [&window, way] {
            if (way == -1)
                QTest::keyClick(window.levelList(), Qt::Key_Escape);
            else if (way == -2)
                window.close();
            else
                QTest::mouseClick(window.button(Game24Window::Button(way)), Qt::LeftButton);
        };
        if (busy) {
            const QString said = saidWhileBusy(m_data->path, leave);
            QVERIFY(window.isVisible());
            QVERIFY2(said.startsWith(u"选好的难度没有保存：数据文件正被另一个程序使用"_s),
                qPrintable(said));
        }
        leave();
        QVERIFY(!window.isVisible());
        QCOMPARE(m_data->settings().read(u"system_4"_s), u"3"_s);
    }

private:
    std::optional<TestData> m_data; // a fresh data file for each test
};

QRTA_GUI_TEST_MAIN(TestGame24Window)
#include "tst_game24window.moc"
