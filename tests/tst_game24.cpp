#include "game24/board.h"
#include "game24/hintguide.h"
#include "game24/keys.h"
#include "game24/solver.h"
#include "game24/puzzledeck.h"
#include "generate/randomsource.h"
#include "store/database.h"
#include "support/arithmetic.h"
#include "support/testdata.h"

#include <QSet>
#include <QTest>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// A plain search, apart from the program's solver: does some order of
// whole-number steps bring these values to 24?
bool reaches24(const QList<int> &values)
{
    if (values.size() == 1)
        return values[0] == 24;
    for (qsizetype i = 0; i < values.size(); ++i) {
        for (qsizetype j = 0; j < values.size(); ++j) {
            if (i == j)
                continue;
            const int x = values[i], y = values[j];
            QList<int> rest = values;
            rest.remove(std::max(i, j));
            rest.remove(std::min(i, j));
            QList<int> results { x + y, x - y, x * y };
            if (y != 0 && x % y == 0)
                results << x / y;
            for (const int r : results) {
                if (reaches24(rest + QList { r }))
                    return true;
            }
        }
    }
    return false;
}

QList<qint64> sorted(QList<qint64> numbers)
{
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

} // namespace

class TestGame24 : public QObject
{
    Q_OBJECT

private slots:
    // A scenario is a list of moves: "+", "-", "*", "/" choose the operation;
    // "N:x" clicks card N and expects outcome x (c chosen, r released, i ignored,
    // z divide by zero, n not exact, s step, w solved, m missed); "clear" starts the puzzle again.
    void boardScenarios_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QString>("moves"); // blank-separated
        QTest::addColumn<QString>("steps"); // the three step lines, separated by |
        const auto row
            = [](const char *name, const QList<int> &numbers, const QString &moves,
                  const QString &steps) { QTest::newRow(name) << numbers << moves << steps; };
        // Only a division without remainder is played: a remainder or a divisor of 0 is refused,
        // and the chosen card waits for another divisor.
        row("8 ÷ 2", { 8, 2, 1, 1 }, u"/ 0:c 1:s"_s, u"〖8÷2=4〗||"_s);
        row("24 ÷ 1", { 4, 6, 1, 1 }, u"* 0:c 1:s / 4:c 2:s"_s, u"〖4×6=24〗|〖24÷1=24〗|"_s);
        row("0 ÷ 7", { 5, 5, 7, 1 }, u"- 0:c 1:s / 4:c 2:s"_s, u"〖5-5=0〗|〖0÷7=0〗|"_s);
        row("7 ÷ 3 refused, 7 ÷ 1 played", { 7, 3, 1, 1 }, u"/ 0:c 1:n 2:s"_s, u"〖7÷1=7〗||"_s);
        row("1 ÷ 4 refused", { 1, 4, 1, 1 }, u"/ 0:c 1:n"_s, u"||"_s);
        row("-7 ÷ 2 refused", { 2, 9, 2, 1 }, u"- 0:c 1:s / 4:c 2:n"_s, u"〖2-9=-7〗||"_s);
        row("7 ÷ 0 refused", { 5, 5, 7, 1 }, u"- 0:c 1:s / 2:c 4:z"_s, u"〖5-5=0〗||"_s);
        row("only the third step is judged", { 4, 6, 1, 1 }, u"* 0:c 1:s 4:c 2:s 5:c 3:w"_s,
            u"〖4×6=24〗|〖24×1=24〗|〖24×1=24〗"_s);
        row("a wrong total", { 1, 2, 3, 4 }, u"+ 0:c 1:s 2:c 4:s 5:c 3:m"_s,
            u"〖1+2=3〗|〖3+3=6〗|〖6+4=10〗"_s);
        row("below zero on the way", { 2, 5, 3, 1 }, u"- 0:c 1:s * 4:c 2:s"_s,
            u"〖2-5=-3〗|〖-3×3=-9〗|"_s);
        row("the chosen card releases, others ignored", { 5, 5, 5, 1 },
            u"4:i 6:i 0:c 0:r 0:c 1:s 0:i 1:i 6:i"_s, u"〖5+5=10〗||"_s);
        row("clearing keeps the puzzle", { 8, 3, 3, 8 }, u"* 0:c 1:s 2:c clear 4:i 0:c"_s, u"||"_s);
        row("after the third step nothing moves", { 2, 2, 2, 3 },
            u"* 0:c 1:s 4:c 2:s 5:c 3:w 0:i 3:i 6:i"_s, u"〖2×2=4〗|〖4×2=8〗|〖8×3=24〗"_s);
    }

    void boardScenarios()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(QString, moves);
        QFETCH(QString, steps);
        using O = Board::Outcome;
        Board board;
        board.deal({ numbers[0], numbers[1], numbers[2], numbers[3] });
        for (const QString &move : moves.split(u' ')) {
            if (move == u"clear"_s) {
                board.clear();
            } else if (move.size() == 1) {
                board.setOperation(Board::Operation(u"+-*/"_s.indexOf(move)));
            } else {
                const int card = move.left(1).toInt();
                const std::optional<int> chosenBefore = board.chosenCard();
                const O outcome = board.click(card);
                QCOMPARE(u"icrznswm"_s.at(int(outcome)), move[2]); // in the order of Board::Outcome
                if (outcome == O::DivideByZero || outcome == O::NotExact) {
                    // The divisor stays free and the first operand stays chosen.
                    QCOMPARE(board.state(card), Board::CardState::Normal);
                    QCOMPARE(board.chosenCard(), chosenBefore);
                    QVERIFY(!Board::refusalText(outcome).isEmpty());
                }
                QVERIFY(outcome != O::Stepped || !board.verdict().has_value());
            }
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

    void keysOfTheGame_data()
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

    void keysOfTheGame()
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

    void dealtRoundAndRoundDamagedRowsLeftOut()
    {
        TestData d;
        PuzzleDeck deck(d.db());
        deck.load(3);
        const int stored = deck.size();
        // Damaged rows are left out of the round; the fourth would wrap to 5 in 32 bits.
        Statement damage
            = d.db().prepare("UPDATE tab_24 SET a24_n2 = ? WHERE a24_id = (SELECT a24_id"
                             " FROM tab_24 WHERE a24_nd = 3 ORDER BY a24_id LIMIT 1 OFFSET ?)");
        const std::optional<qint64> outOfRange[] = { 0, 14, -3, (qint64(1) << 32) + 5, {} };
        for (int i = 0; i < 5; ++i) {
            outOfRange[i] ? damage.bind(1, *outOfRange[i]) : damage.bindNull(1);
            damage.bind(2, i).run();
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
            QVERIFY(
                std::ranges::all_of(deal.cards, [](int card) { return card >= 1 && card <= 13; }));
        }
        // Dealt round and round, a puzzle of four different numbers comes in all 24 arrangements.
        PuzzleDeck::Deal deal;
        do {
            deal = deck.deal(rnd);
        } while (QSet<int>(deal.cards.begin(), deal.cards.end()).size() < 4);
        QSet<QList<int>> arrangements;
        for (int round = 0; round < 400; ++round) {
            arrangements.insert(QList<int>(deal.cards.begin(), deal.cards.end()));
            for (int i = 0; i < n; ++i)
                deal = deck.deal(rnd);
        }
        QCOMPARE(arrangements.size(), 24);
    }

    void solvedPuzzlesAndNewRound()
    {
        TestData d;
        auto unplayed = [&d] {
            const QList<PuzzleDeck::Stored> puzzles = PuzzleDeck::stored(d.db(), 2);
            return std::ranges::count(puzzles, u"0"_s, &PuzzleDeck::Stored::played);
        };
        PuzzleDeck deck(d.db());
        deck.load(2);
        const int full = deck.size();
        SeededRandom rnd(2);
        deck.markSolved(deck.deal(rnd).id);
        QCOMPARE(unplayed(), full - 1);
        QCOMPARE(deck.size(), full); // the loaded deck keeps it until the next load

        deck.load(2);
        QCOMPARE(deck.size(), full - 1);
        for (int i = 0; i < full - 1; ++i)
            deck.markSolved(deck.deal(rnd).id);
        QCOMPARE(unplayed(), 0);
        deck.load(2); // nothing left: a new round of the whole level
        QCOMPARE(deck.size(), full);
        QCOMPARE(unplayed(), full);
        Statement keys = d.db().prepare("SELECT min(a24_sjs), max(a24_sjs) FROM tab_24");
        keys.next();
        QVERIFY(keys.integer(0) >= 0 && keys.integer(1) <= 999);
    }

    void hintsFromEveryReachableBoard_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::newRow("1 2 3 4") << QList { 1, 2, 3, 4 };
        QTest::newRow("4 7 8 8") << QList { 4, 7, 8, 8 };
        QTest::newRow("3 3 8 8, never with whole numbers") << QList { 3, 3, 8, 8 };
    }

    // Plays every legal step from every board the child can reach and asks for a
    // hint at each: a step that still leads to 24, or the dead end exactly when
    // nothing does.
    void hintsFromEveryReachableBoard()
    {
        QFETCH(QList<int>, numbers);
        Board start;
        start.deal({ numbers[0], numbers[1], numbers[2], numbers[3] });
        QList<Board> boards { start };
        int checked = 0;
        for (; !boards.isEmpty(); ++checked) {
            const Board board = boards.takeLast();
            const QList<int> live = board.liveValues();
            const HintGuide::Hint hint = HintGuide().next(board);
            QCOMPARE(hint.deadEnd, !reaches24(live));
            if (hint.deadEnd)
                QCOMPARE(hint.message, u"这一步走不通了，\n点【重新计算】再来"_s);
            // The hint is one step the board accepts, after which 24 is still in reach. A second
            // click on the first card releases it, so first == second plays nothing.
            bool hintPlays = hint.deadEnd || live.size() == 1;
            for (int step = 0; step < 6 * 6 * 4; ++step) {
                Board next = board;
                next.setOperation(Board::Operation(step % 4));
                if (next.click(step / 24) != Board::Outcome::Chosen)
                    continue;
                const Board::Outcome outcome = next.click(step / 4 % 6);
                if (outcome == Board::Outcome::Stepped)
                    boards << next;
                hintPlays |= hint.steps == QStringList { next.stepLine(4 - int(live.size())) }
                    && (outcome == Board::Outcome::Solved
                        || (outcome == Board::Outcome::Stepped && reaches24(next.liveValues())));
            }
            QVERIFY2(hintPlays, qPrintable(hint.steps.join(u' ')));
        }
        QVERIFY(checked > 100);
    }

    void hintsRevealOneStepMore()
    {
        Board board;
        board.deal({ 8, 3, 3, 9 });
        HintGuide guide;
        const QStringList first = guide.next(board).steps, second = guide.next(board).steps;
        const QStringList third = guide.next(board).steps;
        QCOMPARE(first, second.mid(0, 1));
        QCOMPARE(second, third.mid(0, 2));
        QVERIFY(third.size() == 3 && third.last().endsWith(u"=24〗"_s));
        QCOMPARE(guide.next(board).steps, third); // nothing more to reveal

        // Once the child has played a step, the hints start from there.
        board.setOperation(Board::Operation::Subtract);
        board.click(0);
        board.click(1); // 8 - 3 = 5
        const HintGuide::Hint afterwards = guide.next(board);
        QCOMPARE(afterwards.steps.size(), 1);
        QVERIFY(afterwards.steps.first().contains(u"5"_s) || afterwards.deadEnd);
    }

    void allSolutionsOfAHand_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QStringList>("solutions"); // all of them, each in some writing
        QTest::newRow("1 2 3 4, ÷1 is ×1") << QList { 1, 2, 3,
            4 } << QStringList { u"1×2×3×4"_s, u"(1+2+3)×4"_s, u"(1+3)×(2+4)"_s };
        QTest::newRow("1 1 2 8, a 1 multiplied in anywhere")
            << QList { 1, 1, 2, 8 } << QStringList { u"(2+1)×8×1"_s };
        QTest::newRow("1 7 7 11, no twin below zero")
            << QList { 1, 7, 7, 11 } << QStringList { u"7-1+7+11"_s, u"(7-1)×(11-7)"_s };
        QTest::newRow("4 7 8 8, the news article's hand")
            << QList { 4, 7, 8, 8 } << QStringList { u"(7-8÷8)×4"_s, u"(4+7-8)×8"_s, u"7×8-4×8"_s };
        QTest::newRow("1 5 5 5 needs a fraction") << QList { 1, 5, 5, 5 } << QStringList {};
    }

    // Writings that differ only in order, grouping or where a 1 is multiplied or divided in are one
    // solution: each is listed exactly once, in whatever order of its terms.
    void allSolutionsOfAHand()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(QStringList, solutions);
        const game24::Hand hand { numbers[0], numbers[1], numbers[2], numbers[3] };
        QCOMPARE(game24::isSolvable(hand), !solutions.isEmpty());
        auto signature = [](QString text) {
            std::sort(text.begin(), text.end());
            return text;
        };
        QStringList listed;
        for (const game24::Solution &solution : game24::solve(hand)) {
            const Evaluation e = ExpressionEvaluator::evaluate(solution.expression);
            QVERIFY2(e.parsed && e.exactDivisions && e.nonNegative && e.value == 24,
                qPrintable(solution.expression));
            QCOMPARE(sorted(e.numbers), sorted({ numbers[0], numbers[1], numbers[2], numbers[3] }));
            listed << signature(solution.expression);
        }
        std::ranges::transform(solutions, solutions.begin(), signature);
        std::ranges::sort(solutions);
        std::ranges::sort(listed);
        QCOMPARE(listed, solutions);
    }

    // Every hand: the solver agrees with an independent search, and the stored table holds
    // exactly the solvable hands, each with a right worked answer.
    void storedTableIsCompleteAndRight()
    {
        QSet<QList<qint64>> solvable;
        for (int a = 1; a <= 13; ++a)
            for (int b = a; b <= 13; ++b)
                for (int c = b; c <= 13; ++c)
                    for (int d = c; d <= 13; ++d) {
                        const bool reaches = reaches24({ a, b, c, d });
                        if (reaches)
                            solvable.insert({ a, b, c, d });
                        QCOMPARE(game24::isSolvable({ a, b, c, d }), reaches);
                    }
        TestData d;
        const QList<PuzzleDeck::Stored> all = PuzzleDeck::stored(d.db(), 0);
        QCOMPARE(all.size(), solvable.size()); // no hand stored twice
        QSet<QList<qint64>> stored;
        for (qsizetype i = 0; i < all.size(); ++i) {
            QCOMPARE(all[i].id.toLongLong(), i + 1);
            QCOMPARE(all[i].played, u"0"_s);
            QList<qint64> numbers;
            for (const QString &number : all[i].numbers)
                numbers << number.toLongLong();
            stored.insert(sorted(numbers));
            // The worked answer uses the four numbers once and reaches 24 in whole-number steps.
            const Evaluation e = ExpressionEvaluator::evaluate(all[i].answer);
            QVERIFY2(e.parsed && e.exactDivisions && e.value == 24, qPrintable(all[i].answer));
            QCOMPARE(sorted(e.numbers), sorted(numbers));
        }
        QCOMPARE(stored, solvable);
        // The levels share the hands evenly, and no hand is of another level.
        qsizetype total = 0;
        for (int level = 1; level <= 5; ++level) {
            const qsizetype count = PuzzleDeck::stored(d.db(), level).size();
            QVERIFY(qAbs(count - all.size() / 5) <= 1);
            total += count;
        }
        QCOMPARE(total, all.size());
    }
};

QTEST_GUILESS_MAIN(TestGame24)
#include "tst_game24.moc"
