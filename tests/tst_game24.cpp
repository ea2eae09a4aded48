#include "game24/board.h"
#include "game24/hintguide.h"
#include "game24/keys.h"
#include "game24/solver.h"
#include "game24/puzzledeck.h"
#include "game24/puzzletable.h"
#include "generate/randomsource.h"
#include "store/database.h"
#include "store/datafile.h"
#include "support/arithmetic.h"
#include "support/reaches24.h"

#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

QString handKey(QList<qint64> numbers)
{
    std::sort(numbers.begin(), numbers.end());
    QStringList parts;
    for (qint64 n : numbers)
        parts << QString::number(n);
    return parts.join(u',');
}

} // namespace

class TestGame24 : public QObject
{
    Q_OBJECT

private slots:
    void boardScenarios_data();
    void boardScenarios();
    void keysOfTheGame_data();
    void keysOfTheGame();
    void progressWrapsAroundDamagedRowsLeftOut();
    void solvedPuzzlesAndNewRound();
    void everyArrangementOccurs();
    void hintsFromEveryReachableBoard_data();
    void hintsFromEveryReachableBoard();
    void hintsRevealOneStepMore();
    void allSolutionsOfAHand_data();
    void allSolutionsOfAHand();
    void storedTableIsCompleteAndRight();
};

// A scenario is a list of moves: "+", "-", "*", "/" choose the operation;
// "N:x" clicks card N and expects outcome x (c chosen, r released, i ignored,
// z divide by zero, n not exact, s step, w solved, m missed); "clear" starts the puzzle again.
void TestGame24::boardScenarios_data()
{
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<QString>("moves"); // blank-separated
    QTest::addColumn<QString>("steps"); // the three step lines, separated by |
    QTest::newRow("8 ÷ 3 refused, 3 ÷ 3 allowed")
        << u"8 3 3 8"_s << u"/ 0:c 1:n 0:r 1:c 2:s"_s << u"〖3÷3=1〗||"_s;
    QTest::newRow("3 − 3, then 8 ÷ 0 refused")
        << u"3 3 8 8"_s << u"- 0:c 1:s / 2:c 4:z"_s << u"〖3-3=0〗||"_s;
    QTest::newRow("only the third step is judged") << u"4 6 1 1"_s << u"* 0:c 1:s 4:c 2:s 5:c 3:w"_s
                                                   << u"〖4×6=24〗|〖24×1=24〗|〖24×1=24〗"_s;
    QTest::newRow("a wrong total")
        << u"1 2 3 4"_s << u"+ 0:c 1:s 2:c 4:s 5:c 3:m"_s << u"〖1+2=3〗|〖3+3=6〗|〖6+4=10〗"_s;
    QTest::newRow("below zero on the way")
        << u"2 5 3 1"_s << u"- 0:c 1:s * 4:c 2:s"_s << u"〖2-5=-3〗|〖-3×3=-9〗|"_s;
    QTest::newRow("the chosen card releases, others ignored")
        << u"5 5 5 1"_s << u"4:i 6:i 0:c 0:r 0:c 1:s 0:i 1:i 6:i"_s << u"〖5+5=10〗||"_s;
    QTest::newRow("clearing keeps the puzzle")
        << u"8 3 3 8"_s << u"* 0:c 1:s 2:c clear 4:i 0:c"_s << u"||"_s;
    QTest::newRow("after the third step nothing moves")
        << u"2 2 2 3"_s << u"* 0:c 1:s 4:c 2:s 5:c 3:w 0:i 3:i 6:i"_s
        << u"〖2×2=4〗|〖4×2=8〗|〖8×3=24〗"_s;
}

void TestGame24::boardScenarios()
{
    QFETCH(QString, numbers);
    QFETCH(QString, moves);
    QFETCH(QString, steps);
    using Op = Board::Operation;
    using O = Board::Outcome;
    const QHash<QChar, Op> operations { { u'+', Op::Add }, { u'-', Op::Subtract },
        { u'*', Op::Multiply }, { u'/', Op::Divide } };
    const QHash<QChar, O> outcomes { { u'c', O::Chosen }, { u'r', O::Released },
        { u'i', O::Ignored }, { u'z', O::DivideByZero }, { u'n', O::NotExact },
        { u's', O::Stepped }, { u'w', O::Solved }, { u'm', O::Missed } };
    Board board;
    const QStringList hand = numbers.split(u' ');
    board.deal({ hand[0].toInt(), hand[1].toInt(), hand[2].toInt(), hand[3].toInt() });
    for (const QString &move : moves.split(u' ')) {
        if (move == u"clear"_s) {
            board.clear();
            QVERIFY(!board.chosenCard());
            continue;
        }
        if (move.size() == 1) {
            board.setOperation(operations.value(move[0]));
            continue;
        }
        const int card = move.left(1).toInt();
        const std::optional<int> chosenBefore = board.chosenCard();
        const O outcome = board.click(card);
        QVERIFY2(outcome == outcomes.value(move[2]), qPrintable(move));
        if (outcome == O::DivideByZero || outcome == O::NotExact) {
            // The divisor stays free and the first operand stays chosen.
            QCOMPARE(board.state(card), Board::CardState::Normal);
            QCOMPARE(board.chosenCard(), chosenBefore);
            QVERIFY(!Board::refusalText(outcome).isEmpty());
        }
        if (outcome == O::Stepped)
            QVERIFY(!board.verdict().has_value());
    }
    for (int step = 0; step < 3; ++step) {
        const QString line = steps.section(u'|', step, step);
        QCOMPARE(board.stepLine(step), line);
        // A result card shows its step's result, and nothing before the step is played.
        QCOMPARE(board.caption(4 + step).isEmpty(), line.isEmpty());
    }
    for (int card = 0; card < 4; ++card)
        QVERIFY(!board.caption(card).isEmpty());
}

void TestGame24::keysOfTheGame_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("card"); // -1: none
    QTest::addColumn<int>("operation"); // -1: none
    const int keypad = Qt::KeypadModifier, shift = Qt::ShiftModifier;
    QTest::newRow("1") << int(Qt::Key_1) << 0 << 0 << -1;
    QTest::newRow("keypad 7") << int(Qt::Key_7) << keypad << 6 << -1;
    QTest::newRow("8 is no card") << int(Qt::Key_8) << 0 << -1 << -1;
    QTest::newRow("ctrl+3") << int(Qt::Key_3) << int(Qt::ControlModifier) << -1 << -1;
    QTest::newRow("shift+1") << int(Qt::Key_1) << shift << -1 << -1;
    QTest::newRow("shift + on the main keys") << int(Qt::Key_Plus) << shift << -1 << 0;
    QTest::newRow("keypad -") << int(Qt::Key_Minus) << keypad << -1 << 1;
    QTest::newRow("shift keypad *") << int(Qt::Key_Asterisk) << (shift | keypad) << -1 << 2;
    QTest::newRow("/") << int(Qt::Key_Slash) << 0 << -1 << 3;
    QTest::newRow("alt+/") << int(Qt::Key_Slash) << int(Qt::AltModifier) << -1 << -1;
}

void TestGame24::keysOfTheGame()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, card);
    QFETCH(int, operation);
    const auto pressed = Qt::KeyboardModifiers(modifiers);
    QCOMPARE(game24::cardOfKey(key, pressed).value_or(-1), card);
    const std::optional<Board::Operation> chosen = game24::operationOfKey(key, pressed);
    QCOMPARE(chosen ? int(*chosen) : -1, operation);
}

void TestGame24::progressWrapsAroundDamagedRowsLeftOut()
{
    QTemporaryDir dir;
    auto db = datafile::open(dir.filePath(u"QRTA.dat"_s));
    PuzzleDeck deck(*db);
    deck.load(3);
    const int stored = deck.size();
    QVERIFY(stored > 100);
    // Damaged rows are left out of the round; the last would wrap to 5 in 32 bits.
    Statement damage
        = db->prepare("UPDATE tab_24 SET a24_n2 = ? WHERE a24_id = (SELECT a24_id"
                      " FROM tab_24 WHERE a24_nd = 3 ORDER BY a24_id LIMIT 1 OFFSET ?)");
    const qint64 outOfRange[] = { 0, 14, -3, (qint64(1) << 32) + 5 };
    for (int i = 0; i <= 4; ++i) {
        if (i < 4)
            damage.bind(1, outOfRange[i]);
        else
            damage.bindNull(1);
        damage.bind(2, i);
        damage.run();
        damage.reset();
    }
    deck.load(3);
    const int n = deck.size();
    QCOMPARE(n, stored - 5);
    SeededRandom rnd(1);
    for (int i = 1; i <= n + 2; ++i) {
        const PuzzleDeck::Deal deal = deck.deal(rnd);
        QCOMPARE(deal.progressText, u"【 %1 / %2 】"_s.arg((i - 1) % n + 1).arg(n));
        QVERIFY(deal.answerText.startsWith(u"【答案】："_s) && deal.answerText.size() > 10);
        for (int card : deal.cards)
            QVERIFY(card >= 1 && card <= 13);
    }
}

void TestGame24::solvedPuzzlesAndNewRound()
{
    QTemporaryDir dir;
    auto db = datafile::open(dir.filePath(u"QRTA.dat"_s));
    auto unplayed = [&db](int level) {
        const QList<PuzzleDeck::Stored> puzzles = PuzzleDeck::stored(*db, level);
        return int(std::count_if(puzzles.begin(), puzzles.end(),
            [](const PuzzleDeck::Stored &puzzle) { return puzzle.played == u"0"_s; }));
    };
    PuzzleDeck deck(*db);
    deck.load(2);
    const int full = deck.size();
    SeededRandom rnd(2);
    const qint64 first = deck.deal(rnd).id;
    deck.markSolved(first);
    QCOMPARE(unplayed(2), full - 1);
    QCOMPARE(deck.size(), full); // the loaded deck keeps it until the next load

    deck.load(2);
    QCOMPARE(deck.size(), full - 1);
    for (int i = 0; i < full - 1; ++i)
        deck.markSolved(deck.deal(rnd).id);
    QCOMPARE(unplayed(2), 0);
    deck.load(2); // nothing left: a new round of the whole level
    QCOMPARE(deck.size(), full);
    QCOMPARE(unplayed(2), full);
    Statement keys = db->prepare("SELECT min(a24_sjs), max(a24_sjs) FROM tab_24");
    keys.next();
    QVERIFY(keys.integer(0) >= 0 && keys.integer(1) <= 999);
}

void TestGame24::everyArrangementOccurs()
{
    QTemporaryDir dir;
    auto db = datafile::open(dir.filePath(u"QRTA.dat"_s));
    PuzzleDeck deck(*db);
    deck.load(1);
    SeededRandom rnd(6);
    // Find a puzzle of four different numbers and deal until it comes again.
    PuzzleDeck::Deal deal;
    do {
        deal = deck.deal(rnd);
    } while (QSet<int>(deal.cards.begin(), deal.cards.end()).size() < 4);
    QSet<QList<int>> arrangements;
    for (int round = 0; round < 400; ++round) {
        arrangements.insert(QList<int>(deal.cards.begin(), deal.cards.end()));
        for (int i = 0; i < deck.size(); ++i)
            deal = deck.deal(rnd);
    }
    QCOMPARE(arrangements.size(), 24);
}

void TestGame24::hintsFromEveryReachableBoard_data()
{
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("1 2 3 4") << QList { 1, 2, 3, 4 };
    QTest::newRow("4 7 8 8") << QList { 4, 7, 8, 8 };
    QTest::newRow("3 3 8 8, never with whole numbers") << QList { 3, 3, 8, 8 };
}

// Plays every legal step from every board the child can reach and asks for a
// hint at each: a step that still leads to 24, or the dead end exactly when
// nothing does.
void TestGame24::hintsFromEveryReachableBoard()
{
    QFETCH(QList<int>, numbers);
    const QList<Board::Operation> operations = { Board::Operation::Add, Board::Operation::Subtract,
        Board::Operation::Multiply, Board::Operation::Divide };
    Board start;
    start.deal({ numbers[0], numbers[1], numbers[2], numbers[3] });
    QList<Board> boards { start };
    int checked = 0;
    while (!boards.isEmpty()) {
        const Board board = boards.takeLast();
        const QList<int> live = board.liveValues();
        HintGuide guide;
        const HintGuide::Hint hint = guide.next(board);
        const bool solvable = reaches24(std::vector<long>(live.begin(), live.end()));
        QCOMPARE(hint.deadEnd, !solvable);
        if (!solvable) {
            QCOMPARE(hint.message, u"这一步走不通了，\n点【重新计算】再来"_s);
        } else if (live.size() > 1) {
            // 〖a±b=r〗: two values in play, the right result, and 24 still in reach.
            QCOMPARE(hint.steps.size(), 1);
            static const QRegularExpression stepLine(u"^〖(-?\\d+)([-+×÷])(-?\\d+)=(-?\\d+)〗$"_s);
            const QRegularExpressionMatch m = stepLine.match(hint.steps.first());
            QVERIFY2(m.hasMatch(), qPrintable(hint.steps.first()));
            const int a = m.captured(1).toInt(), b = m.captured(3).toInt(),
                      r = m.captured(4).toInt();
            const QChar sign = m.captured(2).front();
            QCOMPARE(r, sign == u'+' ? a + b : sign == u'-' ? a - b : sign == u'×' ? a * b : a / b);
            QVERIFY(sign != u'÷' || (b != 0 && a % b == 0));
            QList<int> rest = live;
            QVERIFY(rest.removeOne(a) && rest.removeOne(b));
            rest << r;
            QVERIFY(reaches24(std::vector<long>(rest.begin(), rest.end())));
        }
        ++checked;

        for (int first = 0; first < 6; ++first) {
            for (int second = 0; second < 6; ++second) {
                for (Board::Operation operation : operations) {
                    Board next = board;
                    next.setOperation(operation);
                    if (first == second || next.click(first) != Board::Outcome::Chosen)
                        continue;
                    const Board::Outcome outcome = next.click(second);
                    if (outcome == Board::Outcome::Stepped)
                        boards << next;
                }
            }
        }
    }
    QVERIFY(checked > 100);
}

void TestGame24::hintsRevealOneStepMore()
{
    Board board;
    board.deal({ 8, 3, 3, 9 });
    HintGuide guide;
    const HintGuide::Hint first = guide.next(board);
    const HintGuide::Hint second = guide.next(board);
    const HintGuide::Hint third = guide.next(board);
    QCOMPARE(first.steps.size(), 1);
    QCOMPARE(second.steps.size(), 2);
    QCOMPARE(third.steps.size(), 3);
    QCOMPARE(second.steps.first(), first.steps.first());
    QVERIFY(third.steps.last().endsWith(u"=24〗"_s));
    QCOMPARE(guide.next(board).steps, third.steps); // nothing more to reveal

    // Once the child has played a step, the hints start from there.
    board.setOperation(Board::Operation::Subtract);
    board.click(0);
    board.click(1); // 8 - 3 = 5
    const HintGuide::Hint afterwards = guide.next(board);
    QCOMPARE(afterwards.steps.size(), 1);
    QVERIFY(afterwards.steps.first().contains(u"5"_s) || afterwards.deadEnd);
}

void TestGame24::allSolutionsOfAHand_data()
{
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QStringList>("solutions"); // all of them, each in some writing
    QTest::newRow("1 2 3 4, ÷1 is ×1")
        << QList { 1, 2, 3, 4 } << QStringList { u"1×2×3×4"_s, u"(1+2+3)×4"_s, u"(1+3)×(2+4)"_s };
    QTest::newRow("1 1 2 8, a 1 multiplied in anywhere")
        << QList { 1, 1, 2, 8 } << QStringList { u"(2+1)×8×1"_s };
    QTest::newRow("1 7 7 11, no twin below zero")
        << QList { 1, 7, 7, 11 } << QStringList { u"7-1+7+11"_s, u"(7-1)×(11-7)"_s };
    QTest::newRow("4 7 8 8, the news article's hand")
        << QList { 4, 7, 8, 8 } << QStringList { u"(7-8÷8)×4"_s, u"(4+7-8)×8"_s, u"7×8-4×8"_s };
    QTest::newRow("1 5 5 5 needs a fraction") << QList { 1, 5, 5, 5 } << QStringList {};
}

void TestGame24::allSolutionsOfAHand()
{
    QFETCH(QList<int>, numbers);
    QFETCH(QStringList, solutions);
    const game24::Hand hand { numbers[0], numbers[1], numbers[2], numbers[3] };
    const QList<game24::Solution> all = game24::solve(hand);
    QCOMPARE(game24::isSolvable(hand), !solutions.isEmpty());
    QSet<QString> canonical;
    for (const game24::Solution &solution : all) {
        const Evaluation e = ExpressionEvaluator::evaluate(solution.expression);
        QVERIFY2(e.parsed && e.exactDivisions && e.nonNegative && e.value == 24,
            qPrintable(solution.expression));
        QList<qint64> used = e.numbers;
        std::sort(used.begin(), used.end());
        QCOMPARE(used, QList<qint64>({ numbers[0], numbers[1], numbers[2], numbers[3] }));
        canonical.insert(solution.canonical);
    }
    QCOMPARE(canonical.size(), all.size());
    // Writings that differ only in order, grouping or where a 1 is multiplied
    // or divided in are one solution: each is listed exactly once, in
    // whatever order of its terms.
    auto signature = [](QString text) {
        std::sort(text.begin(), text.end());
        return text;
    };
    QCOMPARE(all.size(), solutions.size());
    for (const QString &wanted : solutions) {
        const int found = int(std::count_if(all.begin(), all.end(), [&](const game24::Solution &s) {
            return signature(s.expression) == signature(wanted);
        }));
        QVERIFY2(found == 1, qPrintable(u"%1 listed %2 times"_s.arg(wanted).arg(found)));
    }
}

// Every hand: the solver agrees with an independent search, and the stored table holds
// exactly the solvable hands, each with a right worked answer.
void TestGame24::storedTableIsCompleteAndRight()
{
    QSet<QString> solvable;
    for (long a = 1; a <= 13; ++a)
        for (long b = a; b <= 13; ++b)
            for (long c = b; c <= 13; ++c)
                for (long d = c; d <= 13; ++d) {
                    const bool reaches = reaches24({ a, b, c, d });
                    if (reaches)
                        solvable.insert(handKey({ a, b, c, d }));
                    QCOMPARE(game24::isSolvable({ int(a), int(b), int(c), int(d) }), reaches);
                }

    QTemporaryDir dir;
    auto db = datafile::open(dir.filePath(u"QRTA.dat"_s));
    QSet<QString> stored;
    int perLevel[6] = {};
    qint64 expectedId = 1;
    for (const PuzzleDeck::Stored &puzzle : PuzzleDeck::stored(*db, 0)) {
        QCOMPARE(puzzle.id.toLongLong(), expectedId++);
        const int level = puzzle.level.toInt();
        QVERIFY(level >= 1 && level <= 5);
        ++perLevel[level];
        QCOMPARE(puzzle.played, u"0"_s);
        QList<qint64> numbers;
        for (const QString &number : puzzle.numbers)
            numbers << number.toLongLong();
        const QString key = handKey(numbers);
        QVERIFY2(!stored.contains(key), qPrintable(u"stored twice: "_s + key));
        stored.insert(key);

        // The worked answer uses the four numbers once and reaches 24 in
        // whole-number steps.
        const Evaluation e = ExpressionEvaluator::evaluate(puzzle.answer);
        QVERIFY2(e.parsed && e.exactDivisions && e.value == 24,
            qPrintable(key + u": "_s + puzzle.answer));
        QCOMPARE(handKey(e.numbers), key);
    }
    QCOMPARE(stored, solvable);
    const int total = int(stored.size());
    for (int level = 1; level <= 5; ++level) {
        QVERIFY2(qAbs(perLevel[level] - total / 5) <= 1,
            qPrintable(u"level %1 has %2 of %3"_s.arg(level).arg(perLevel[level]).arg(total)));
        QCOMPARE(PuzzleDeck::stored(*db, level).size(), perLevel[level]);
    }
}

QTEST_GUILESS_MAIN(TestGame24)
#include "tst_game24.moc"
