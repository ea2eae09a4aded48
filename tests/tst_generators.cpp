#include "generate/catalogue.h"
#include "generate/checked16.h"
#include "generate/exhaustiverandom.h"
#include "generate/numbers.h"
#include "generate/questionline.h"
#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "support/scriptedrandom.h"

#include <QSet>
#include <QTest>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

const int kOverflow = -100000; // the draw must throw

// Shorthands for a script of draws: an integer drawn from low..high, a swap
// draw taken or not. A plain value is written as a float.
float I(int v, int low, int high)
{
    return ScriptedRandom::drawFor(v, low, high);
}
float S(bool taken)
{
    return taken ? 0.75f : 0.25f;
}
void row(const char *name, int type, int level, const QList<float> &draws, const QString &line)
{
    QTest::newRow(name) << type << level << draws << line;
}

} // namespace

class TestGenerators : public QObject
{
    Q_OBJECT

private slots:
    void randomIntFromDraw_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<double>("draw");
        QTest::addColumn<int>("expected");

        const double largest = 1.0 - 1.0 / RandomSource::kResolution;
        QTest::newRow("single value, largest draw") << 1 << 1 << largest << 1;
        QTest::newRow("0..9 smallest") << 0 << 9 << 0.0 << 0;
        QTest::newRow("1..9999 largest") << 1 << 9999 << largest << 9999;
        QTest::newRow("3..9 half") << 3 << 9 << 0.5 << 6;
        QTest::newRow("negative range") << -5 << 5 << largest << 5;
        QTest::newRow("upper end one below lower") << 11 << 10 << 0.9 << 11;
        QTest::newRow("widest range largest") << -16384 << 16382 << largest << 16382;
        QTest::newRow("count 32768 overflows") << 0 << 32767 << 0.5 << kOverflow;
        QTest::newRow("difference overflows") << -32768 << 32767 << 0.5 << kOverflow;
    }

    void randomIntFromDraw()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(double, draw);
        QFETCH(int, expected);
        ScriptedRandom rnd({ float(draw) });
        if (expected == kOverflow)
            QVERIFY_THROWS_EXCEPTION(
                std::overflow_error, randomInt(qint16(low), qint16(high), rnd));
        else
            QCOMPARE(randomInt(qint16(low), qint16(high), rnd), qint16(expected));
    }

    // A second draw whose range depends on the first, and a coin: 1 + 2 + 3 pairs, each with
    // either side of the coin.
    void exhaustiveRandomRunsEverySequenceOnce()
    {
        ExhaustiveRandom rnd;
        QList<QList<int>> runs;
        do {
            const qint16 a = randomInt(1, 3, rnd);
            const qint16 b = randomInt(1, a, rnd);
            runs.append({ a, b, rnd.next() > 0.5f });
        } while (rnd.advance());
        QCOMPARE(runs.size(), 12);
        QCOMPARE(QSet<QList<int>>(runs.cbegin(), runs.cend()).size(), 12);
        QCOMPARE(runs.first(), (QList { 1, 1, 0 }));
        QCOMPARE(runs.last(), (QList { 3, 3, 1 }));
    }

    void centerNumber_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("expected");
        QTest::newRow("7 in 2") << 7 << 2 << u" 7"_s;
        QTest::newRow("5 in 3") << 5 << 3 << u" 5 "_s;
        QTest::newRow("100 in 3") << 100 << 3 << u"100"_s;
        QTest::newRow("1000 in 3 not cut") << 1000 << 3 << u"1000"_s;
        QTest::newRow("-5 in 4") << -5 << 4 << u" -5 "_s;
        QTest::newRow("width 0") << 42 << 0 << u"42"_s;
        QTest::newRow("smallest 16-bit") << -32768 << 8 << u" -32768 "_s;
    }

    void centerNumber()
    {
        QFETCH(int, value);
        QFETCH(int, width);
        QFETCH(QString, expected);
        QCOMPARE(::centerNumber(qint16(value), qint16(width)), expected);
    }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("0.5 to 0") << 0.5 << 0.0;
        QTest::newRow("0.3 x 5 = 1.5 to 2") << 0.3 * 5 << 2.0;
        QTest::newRow("0.7 x 45 just below half") << 0.7 * 45 << 31.0;
        QTest::newRow("2.51 up") << 2.51 << 3.0;
        QTest::newRow("-1.5 to -2") << -1.5 << -2.0;
    }

    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(double, expected);
        QCOMPARE(::roundHalfEven(value), expected);
    }

    void checkedArithmetic()
    {
        QCOMPARE(checked16::mul(99, 98), qint16(9702));
        QCOMPARE(checked16::add(32766, 1), qint16(32767));
        QCOMPARE(checked16::sub(-32767, 1), qint16(-32768));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, checked16::add(32767, 1));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, checked16::sub(-32768, 1));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, checked16::mul(200, 200));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, checked16::fromDouble(32768.0));
    }

    void splitLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("answer");
        QTest::newRow("division") << u"56 ÷ 7 ＝ 8"_s << u"56 ÷ 7 ＝"_s << u"8"_s;
        QTest::newRow("centred answer") << u" 3 ＋ 4 ＝  7"_s << u" 3 ＋ 4 ＝"_s << u"7"_s;
        QTest::newRow("field with trailing blank")
            << u" 9 － 3 － 2 ＝  4 "_s << u" 9 － 3 － 2 ＝"_s << u"4"_s;
        QTest::newRow("no blanks") << u"(5＋2)×6＝42"_s << u"(5＋2)×6＝"_s << u"42"_s;
        QTest::newRow("first sign splits") << u"1＝2＝3"_s << u"1＝"_s << u"2＝3"_s;
    }

    void splitLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, question);
        QFETCH(QString, answer);
        const QuestionParts parts = splitQuestionLine(line);
        QCOMPARE(parts.question, question);
        QCOMPARE(parts.answer, answer);
    }

    // Each row pins a rule of its generator that the range checks of the questions' tests
    // cannot tell apart: a layout, the coin, a draw not made, a rounding, a narrow minus.
    void workedExamples_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<float>>("draws");
        QTest::addColumn<QString>("line");

        // A ± B: the two operands, then which is written first or subtracted.
        row("1: level 3, b first", 1, 3, { I(7, 4, 9), I(12, 10, 19), S(false) },
            u" 12 ＋  7 ＝ 19"_s);
        row("1: level 4, three-digit sum", 1, 4, { I(49, 10, 49), I(99, 20, 99), S(true) },
            u" 49 ＋ 99 ＝ 148"_s);
        row("2: level 3, less a", 2, 3, { I(7, 4, 9), I(12, 10, 19), S(false) },
            u" 19 －  7 ＝ 12"_s);
        row("2: level 4, hundreds", 2, 4, { I(49, 10, 49), I(99, 20, 99), S(true) },
            u"148 － 99 ＝  49"_s);
        row("3: a coin of one half adds", 3, 5,
            { 0.5f, I(523, 200, 799), I(75, 50, 199), S(false) }, u"  75 ＋ 523 ＝ 598"_s);
        row("3: a coin below one half subtracts", 3, 5,
            { 0.4999f, I(523, 200, 799), I(75, 50, 199), S(true) }, u" 598 －  75 ＝ 523"_s);

        // A±B±C: shape, operands, then order or swap (which order writes which is the range
        // table's, tst_questions).
        row("4: level 1", 4, 1, { I(1, 1, 4), I(7, 1, 9), I(3, 1, 4), I(5, 1, 5), I(4, 1, 6) },
            u" 3 ＋ 5 ＋ 7 ＝ 15"_s);

        // A × B: factors, then the swap from level 2; A ÷ B: divisor, quotient, no swap.
        row("5: level 2 swap taken", 5, 2, { I(13, 5, 19), I(4, 2, 9), S(true) },
            u"13 ×  4 ＝  52"_s);
        row("7: level 5", 7, 5, { I(12, 10, 49), I(30, 20, 99) }, u" 360 ÷ 12 ＝ 30"_s);

        // A±B×C: shape, values, swap.
        row("6: shape 6 makes no swap draw", 6, 1,
            { I(6, 1, 8), I(3, 1, 9), I(2, 1, 5), I(4, 1, 9) }, u"(5－2)×4＝12"_s);
        row("6: shape 8 makes no swap draw", 6, 1,
            { I(8, 1, 8), I(4, 1, 4), I(9, 1, 9), I(9, 1, 9) }, u"4×(18－9)＝36"_s);

        // A±B÷C: shape, values; no swap.
        row("8: shape 7 zero addend", 8, 1, { I(7, 1, 8), I(7, 1, 9), I(1, 1, 9), I(0, 0, 0) },
            u"7÷(0＋1)＝7"_s);
        row("8: shape 5 halves to even", 8, 1, { I(5, 1, 8), I(5, 1, 9), I(1, 1, 9), I(2, 2, 4) },
            u"(2＋3)÷1＝5"_s);
        row("8: shape 5 d 45 rounds 31.4999 down", 8, 3,
            { I(5, 1, 8), I(9, 5, 19), I(5, 5, 19), I(31, 14, 31) }, u"(31＋14)÷5＝9"_s);
        row("8: shape 7 d 90 integer part 62", 8, 5,
            { I(7, 1, 8), I(10, 10, 49), I(90, 20, 99), I(62, 27, 62) }, u"900÷(62＋28)＝10"_s);

        // A×B÷C: shape, values, then order or swap.
        row("9: shape 4 makes no swap draw", 9, 2,
            { I(4, 1, 4), I(4, 2, 6), I(6, 3, 9), I(11, 4, 18) }, u"24÷6×11＝44"_s);

        // 四则混合: shape, values, then order or swap.
        row("10: shape 11 narrow minus", 10, 1,
            { I(11, 1, 14), I(2, 2, 5), I(3, 2, 5), I(4, 2, 5), I(3, 2, 4), 0.9f },
            u"(3×4-6)÷3＝2"_s);
        row("10: shape 7 level 2 empty range", 10, 2,
            { I(7, 1, 14), I(2, 2, 6), I(3, 3, 9), I(3, 3, 9), 0.3f, S(true) }, u"11－2×3＋3＝8"_s);
        row("10: shape 14 level 3 bound just below 26", 10, 3,
            { I(14, 1, 14), I(18, 4, 19), I(5, 3, 9), I(25, 25, 71), I(4, 4, 19), S(true) },
            u"260÷(18×5－25)＝4"_s);
        row("10: shape 14 level 1 narrow minus, zero", 10, 1,
            { I(14, 1, 14), I(2, 2, 5), I(3, 2, 5), I(0, 0, 3), I(2, 2, 5), S(false) },
            u"12÷(3×2-0)＝2"_s);
    }

    void workedExamples()
    {
        QFETCH(int, type);
        QFETCH(int, level);
        QFETCH(QList<float>, draws);
        QFETCH(QString, line);
        ScriptedRandom rnd(draws);
        QuestionMaker maker(rnd);
        QCOMPARE(maker.make(qint16(type), qint16(level)), line);
        // Every scripted draw was used (one more would have thrown).
        QCOMPARE(rnd.used(), draws.size());
    }

    void levelOutsideRange_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("draws"); // the coin of type 3, the shape of the others
        QTest::addColumn<QString>("line");
        for (int type = 0; type <= catalogue::kTypeCount + 1; ++type) {
            const bool known = type >= 1 && type <= catalogue::kTypeCount;
            const bool drawsShape = type == 4 || type == 6 || type >= 8;
            const int draws = known && (type == 3 || drawsShape) ? 1 : 0;
            const QString empty = type == 4 ? u" "_s : QString();
            QList<int> levels { -1, 0, 6 };
            if (type == 10)
                levels << 4 << 5;
            if (!known)
                levels = { 1 };
            for (int level : levels)
                QTest::addRow("type %d level %d", type, level) << type << level << draws << empty;
        }
    }

    void levelOutsideRange()
    {
        QFETCH(int, type);
        QFETCH(int, level);
        QFETCH(int, draws);
        QFETCH(QString, line);
        ScriptedRandom rnd;
        rnd.thenAlways(0.5);
        QuestionMaker maker(rnd);
        QCOMPARE(maker.make(qint16(type), qint16(level)), line);
        QCOMPARE(rnd.used(), draws);
    }
};

QTEST_GUILESS_MAIN(TestGenerators)
#include "tst_generators.moc"
