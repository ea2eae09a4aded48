#include "generate/catalogue.h"
#include "generate/questionline.h"
#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "support/arithmetic.h"
#include "support/levelbounds.h"
#include "support/scriptedrandom.h"

#include <QHash>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// Shorthands for a script of draws: an integer drawn from low..high, and a
// swap draw taken or not.
float I(int v, int low, int high)
{
    return ScriptedRandom::drawFor(v, low, high);
}
float S(bool taken)
{
    return taken ? 0.75f : 0.25f;
}
float V(double r)
{
    return float(r);
}

const double kLargestDraw = 1.0 - 1.0 / RandomSource::kResolution;

// The number of shapes of the types that draw one first.
int shapeCount(int type)
{
    switch (type) {
    case 4:
    case 9:
        return 4;
    case 6:
    case 8:
        return 8;
    case 10:
        return 14;
    default:
        return 0;
    }
}

QString signPattern(const QString &line)
{
    static const QRegularExpression digits(u"[0-9]+"_s);
    QString pattern = line;
    return pattern.replace(digits, u"n"_s).remove(u' ');
}

} // namespace

class TestGenerators : public QObject
{
    Q_OBJECT

private slots:
    void workedExamples_data();
    void workedExamples();
    void levelOutsideRange_data();
    void levelOutsideRange();
    void extremeDrawsStayValid_data();
    void extremeDrawsStayValid();
    void shapesAreUniform_data();
    void shapesAreUniform();
};

void TestGenerators::workedExamples_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<float>>("draws");
    QTest::addColumn<QString>("line");

    // A±B±C: shape, operands, then order or swap.
    QTest::newRow("4: level 1 shape 1 order 3")
        << 4 << 1 << QList { I(1, 1, 4), I(7, 1, 9), I(3, 1, 4), I(5, 1, 5), I(3, 1, 6) }
        << u" 3 ＋ 7 ＋ 5 ＝ 15"_s;
    QTest::newRow("4: level 1 shape 4 swap not taken")
        << 4 << 1 << QList { I(4, 1, 4), I(2, 1, 4), I(3, 1, 5), I(9, 5, 9), S(false) }
        << u" 9 － 3 － 2 ＝  4"_s;
    QTest::newRow("4: level 4 shape 1 order 1")
        << 4 << 4 << QList { I(1, 1, 4), I(45, 40, 99), I(12, 10, 49), I(7, 5, 19), I(1, 1, 6) }
        << u" 45 ＋ 12 ＋  7 ＝  64"_s;
    QTest::newRow("4: level 1 shape 2, A+B over 9 caps C at 9")
        << 4 << 1 << QList { I(2, 1, 4), I(9, 1, 9), I(5, 1, 5), I(9, 1, 9), S(true) }
        << u" 9 ＋ 5 － 9 ＝  5"_s;
    QTest::newRow("4: level 1 shape 2, answer 0")
        << 4 << 1 << QList { I(2, 1, 4), I(3, 1, 9), I(2, 1, 5), I(5, 1, 5), S(false) }
        << u" 2 ＋ 3 － 5 ＝  0"_s;
    QTest::newRow("4: level 1 shape 3, B = A")
        << 4 << 1 << QList { I(3, 1, 4), I(9, 4, 9), I(9, 4, 9), I(2, 1, 5) }
        << u" 9 － 9 ＋ 2 ＝  2"_s;
    QTest::newRow("4: level 3 shape 2, fractional bounds")
        << 4 << 3 << QList { I(2, 1, 4), I(49, 10, 49), I(19, 2, 19), I(54, 20, 54), S(true) }
        << u" 49 ＋ 19 － 54 ＝ 14"_s;
    QTest::newRow("4: level 5 shape 4, at least 100 left")
        << 4 << 5 << QList { I(4, 1, 4), I(50, 50, 199), I(10, 10, 99), I(199, 199, 599), S(true) }
        << u" 199 －  50 －  10 ＝ 139"_s;
    QTest::newRow("4: level 5 shape 4, large B+C")
        << 4 << 5
        << QList { I(4, 1, 4), I(199, 50, 199), I(99, 10, 99), I(398, 398, 599), S(false) }
        << u" 398 －  99 － 199 ＝ 100"_s;
    const int orders[6][3]
        = { { 7, 3, 5 }, { 7, 5, 3 }, { 3, 7, 5 }, { 3, 5, 7 }, { 5, 7, 3 }, { 5, 3, 7 } };
    for (int order = 1; order <= 6; ++order) {
        const int *t = orders[order - 1];
        QTest::addRow("4: order %d", order)
            << 4 << 1 << QList { I(1, 1, 4), I(7, 1, 9), I(3, 1, 4), I(5, 1, 5), I(order, 1, 6) }
            << u" %1 ＋ %2 ＋ %3 ＝ 15"_s.arg(t[0]).arg(t[1]).arg(t[2]);
    }

    // A × B: factors, then the swap from level 2.
    QTest::newRow("5: level 1") << 5 << 1 << QList { I(7, 1, 9), I(8, 1, 9) } << u" 7 × 8 ＝ 56"_s;
    QTest::newRow("5: level 1 small product")
        << 5 << 1 << QList { I(2, 1, 9), I(3, 1, 9) } << u" 2 × 3 ＝  6"_s;
    QTest::newRow("5: level 2 swap taken")
        << 5 << 2 << QList { I(13, 5, 19), I(4, 2, 9), S(true) } << u"13 ×  4 ＝  52"_s;
    QTest::newRow("5: level 4 swap not taken")
        << 5 << 4 << QList { I(6, 5, 19), I(45, 10, 49), S(false) } << u"45 ×  6 ＝ 270"_s;
    QTest::newRow("5: level 5 swap taken")
        << 5 << 5 << QList { I(12, 10, 49), I(30, 20, 99), S(true) } << u" 12 × 30 ＝  360"_s;
    QTest::newRow("5: level 5 largest")
        << 5 << 5 << QList { I(49, 10, 49), I(99, 20, 99), S(false) } << u" 99 × 49 ＝ 4851"_s;

    // A ÷ B: divisor, quotient.
    QTest::newRow("7: level 1") << 7 << 1 << QList { I(7, 1, 9), I(8, 1, 9) } << u"56 ÷ 7 ＝ 8"_s;
    QTest::newRow("7: level 1 small")
        << 7 << 1 << QList { I(3, 1, 9), I(2, 1, 9) } << u" 6 ÷ 3 ＝ 2"_s;
    QTest::newRow("7: level 1 ones")
        << 7 << 1 << QList { I(1, 1, 9), I(1, 1, 9) } << u" 1 ÷ 1 ＝ 1"_s;
    QTest::newRow("7: level 2") << 7 << 2 << QList { I(4, 2, 9), I(13, 5, 19) }
                                << u" 52 ÷ 4 ＝ 13"_s;
    QTest::newRow("7: level 3") << 7 << 3 << QList { I(6, 5, 19), I(7, 5, 19) }
                                << u" 42 ÷  6 ＝  7"_s;
    QTest::newRow("7: level 5") << 7 << 5 << QList { I(12, 10, 49), I(30, 20, 99) }
                                << u" 360 ÷ 12 ＝ 30"_s;
    QTest::newRow("7: level 5 largest")
        << 7 << 5 << QList { I(49, 10, 49), I(99, 20, 99) } << u"4851 ÷ 49 ＝ 99"_s;

    // A±B×C: shape, values, swap.
    QTest::newRow("6: shape 1") << 6 << 1
                                << QList { I(1, 1, 8), I(3, 1, 9), I(4, 1, 9), I(5, 1, 9), V(0.7) }
                                << u"3＋4×5＝23"_s;
    QTest::newRow("6: shape 5") << 6 << 1
                                << QList { I(5, 1, 8), I(7, 4, 9), I(2, 1, 6), I(6, 1, 9), V(0.2) }
                                << u"(5＋2)×6＝42"_s;
    QTest::newRow("6: shape 2 level 1 capped at 99")
        << 6 << 1 << QList { I(2, 1, 8), I(9, 1, 9), I(9, 1, 9), I(99, 81, 99), S(false) }
        << u"99－9×9＝18"_s;
    QTest::newRow("6: shape 2 level 4 capped at 999")
        << 6 << 4 << QList { I(2, 1, 8), I(19, 5, 19), I(49, 10, 49), I(999, 956, 999), S(true) }
        << u"999－19×49＝68"_s;
    QTest::newRow("6: shape 2 level 5 largest")
        << 6 << 5
        << QList { I(2, 1, 8), I(99, 20, 99), I(49, 10, 49), I(9702, 4951, 9702), S(true) }
        << u"9702－99×49＝4851"_s;
    QTest::newRow("6: shape 4 level 1 answer 0")
        << 6 << 1 << QList { I(4, 1, 8), I(3, 1, 9), I(3, 1, 9), I(9, 4, 9), S(false) }
        << u"3×3－9＝0"_s;
    QTest::newRow("6: shape 4 level 2 margin 3")
        << 6 << 2 << QList { I(4, 1, 8), I(5, 5, 19), I(3, 2, 9), I(12, 7, 12), S(true) }
        << u"5×3－12＝3"_s;
    QTest::newRow("6: shape 6 makes no swap draw")
        << 6 << 1 << QList { I(6, 1, 8), I(3, 1, 9), I(2, 1, 5), I(4, 1, 9) } << u"(5－2)×4＝12"_s;
    QTest::newRow("6: shape 7 level 3")
        << 6 << 3 << QList { I(7, 1, 8), I(5, 5, 19), I(12, 10, 19), I(9, 5, 9), S(false) }
        << u"5×(3＋9)＝60"_s;
    QTest::newRow("6: shape 8 level 1 a up to 4")
        << 6 << 1 << QList { I(8, 1, 8), I(4, 1, 4), I(9, 1, 9), I(9, 1, 9) } << u"4×(18－9)＝36"_s;

    // A±B÷C: shape, values; no swap.
    QTest::newRow("8: shape 1") << 8 << 1
                                << QList { I(1, 1, 8), I(4, 1, 9), I(3, 1, 9), I(6, 1, 9) }
                                << u"6＋12÷3＝10"_s;
    QTest::newRow("8: shape 7") << 8 << 1
                                << QList { I(7, 1, 8), I(3, 1, 9), I(5, 1, 9), I(2, 1, 3) }
                                << u"15÷(2＋3)＝3"_s;
    QTest::newRow("8: shape 7 zero addend")
        << 8 << 1 << QList { I(7, 1, 8), I(7, 1, 9), I(1, 1, 9), I(0, 0, 0) } << u"7÷(0＋1)＝7"_s;
    QTest::newRow("8: shape 5 halves to even")
        << 8 << 1 << QList { I(5, 1, 8), I(5, 1, 9), I(1, 1, 9), I(2, 2, 4) } << u"(2＋3)÷1＝5"_s;
    QTest::newRow("8: shape 5 d 45 rounds 31.4999 down")
        << 8 << 3 << QList { I(5, 1, 8), I(9, 5, 19), I(5, 5, 19), I(31, 14, 31) }
        << u"(31＋14)÷5＝9"_s;
    QTest::newRow("8: shape 7 d 90 integer part 62")
        << 8 << 5 << QList { I(7, 1, 8), I(10, 10, 49), I(90, 20, 99), I(62, 27, 62) }
        << u"900÷(62＋28)＝10"_s;
    QTest::newRow("8: shape 2 level 4 d from 19")
        << 8 << 4 << QList { I(2, 1, 8), I(19, 19, 49), I(5, 5, 19), I(32, 24, 32) }
        << u"32－95÷5＝13"_s;
    QTest::newRow("8: shape 4 level 1 answer 0")
        << 8 << 1 << QList { I(4, 1, 8), I(6, 1, 9), I(2, 1, 9), I(6, 1, 6) } << u"12÷2－6＝0"_s;
    QTest::newRow("8: shape 6 level 1 a = d")
        << 8 << 1 << QList { I(6, 1, 8), I(2, 1, 9), I(3, 1, 9), I(6, 6, 99) } << u"(6－0)÷3＝2"_s;
    QTest::newRow("8: shape 6 level 5 largest")
        << 8 << 5 << QList { I(6, 1, 8), I(99, 20, 99), I(49, 10, 49), I(3396, 1455, 3396) }
        << u"(8247－3396)÷49＝99"_s;
    QTest::newRow("8: shape 6 level 4 draws a")
        << 8 << 4 << QList { I(6, 1, 8), I(49, 10, 49), I(19, 5, 19), I(999, 931, 999) }
        << u"(999－68)÷19＝49"_s;

    // A×B÷C: shape, values, then order or swap.
    QTest::newRow("9: shape 2") << 9 << 1
                                << QList { I(2, 1, 4), I(5, 4, 9), I(3, 1, 5), I(2, 2, 6), S(true) }
                                << u"30÷3÷2＝5"_s;
    QTest::newRow("9: shape 2 divisor 1")
        << 9 << 1 << QList { I(2, 1, 4), I(4, 4, 9), I(1, 1, 5), I(6, 2, 6), S(false) }
        << u"24÷6÷1＝4"_s;
    QTest::newRow("9: shape 3") << 9 << 1
                                << QList { I(3, 1, 4), I(2, 1, 5), I(3, 2, 6), I(7, 4, 9),
                                       S(false) }
                                << u"6×7÷3＝14"_s;
    QTest::newRow("9: shape 4") << 9 << 2
                                << QList { I(4, 1, 4), I(4, 2, 6), I(6, 3, 9), I(11, 4, 18) }
                                << u"24÷6×11＝44"_s;
    QTest::newRow("9: shape 1 level 5 largest")
        << 9 << 5 << QList { I(1, 1, 4), I(19, 4, 19), I(19, 4, 19), I(49, 10, 49), I(5, 1, 6) }
        << u"49×19×19＝17689"_s;

    // 四则混合: shape, values, then order or swap.
    QTest::newRow("10: shape 12") << 10 << 1
                                  << QList { I(12, 1, 14), I(3, 2, 5), I(4, 2, 5), I(5, 2, 7),
                                         I(2, 2, 5) }
                                  << u"(12÷4＋5)×2＝16"_s;
    QTest::newRow("10: shape 11 narrow minus")
        << 10 << 1 << QList { I(11, 1, 14), I(2, 2, 5), I(3, 2, 5), I(4, 2, 5), I(3, 2, 4), V(0.9) }
        << u"(3×4-6)÷3＝2"_s;
    QTest::newRow("10: shape 11 level 3 full-width minus")
        << 10 << 3
        << QList { I(11, 1, 14), I(4, 4, 19), I(4, 4, 19), I(4, 4, 19), I(5, 5, 10), S(false) }
        << u"(4×5－4)÷4＝4"_s;
    QTest::newRow("10: shape 7 level 2 empty range")
        << 10 << 2 << QList { I(7, 1, 14), I(2, 2, 6), I(3, 3, 9), I(3, 3, 9), V(0.3), S(true) }
        << u"11－2×3＋3＝8"_s;
    QTest::newRow("10: shape 7 level 1 lowest a")
        << 10 << 1
        << QList { I(7, 1, 14), I(2, 2, 5), I(2, 2, 5), I(2, 2, 7), I(5, 5, 10), S(true) }
        << u"5－2×2＋2＝3"_s;
    QTest::newRow("10: shape 14 level 3 largest")
        << 10 << 3
        << QList { I(14, 1, 14), I(19, 4, 19), I(9, 3, 9), I(50, 50, 99), I(19, 4, 19), S(true) }
        << u"2299÷(19×9－50)＝19"_s;
    QTest::newRow("10: shape 14 level 3 bound just below 26")
        << 10 << 3
        << QList { I(14, 1, 14), I(18, 4, 19), I(5, 3, 9), I(25, 25, 71), I(4, 4, 19), S(true) }
        << u"260÷(18×5－25)＝4"_s;
    QTest::newRow("10: shape 14 level 1 narrow minus, zero")
        << 10 << 1
        << QList { I(14, 1, 14), I(2, 2, 5), I(3, 2, 5), I(0, 0, 3), I(2, 2, 5), S(false) }
        << u"12÷(3×2-0)＝2"_s;
    QTest::newRow("10: shape 5 order 3")
        << 10 << 1
        << QList { I(5, 1, 14), I(2, 2, 7), I(3, 2, 5), I(4, 2, 5), I(5, 2, 7), I(3, 1, 4) }
        << u"5＋4×3＋2＝19"_s;
    QTest::newRow("10: shape 1 level 3 largest dividend")
        << 10 << 3
        << QList { I(1, 1, 14), I(49, 10, 49), I(19, 4, 19), I(19, 4, 19), I(49, 10, 49) }
        << u"19＋931÷19＋49＝117"_s;
    QTest::newRow("10: shape 4 level 3 fractional cap")
        << 10 << 3 << QList { I(4, 1, 14), I(4, 4, 19), I(4, 4, 19), I(10, 10, 49), I(17, 15, 17) }
        << u"17－16÷4－10＝3"_s;
    QTest::newRow("10: shape 2 answer 0")
        << 10 << 1 << QList { I(2, 1, 14), I(2, 2, 5), I(2, 2, 5), I(7, 2, 7), I(9, 2, 9) }
        << u"7＋4÷2－9＝0"_s;
    QTest::newRow("10: shape 13") << 10 << 2
                                  << QList { I(13, 1, 14), I(3, 3, 9), I(4, 3, 9), I(6, 2, 6),
                                         I(5, 3, 9) }
                                  << u"3×(24÷6＋5)＝27"_s;
}

void TestGenerators::workedExamples()
{
    QFETCH(int, type);
    QFETCH(int, level);
    QFETCH(QList<float>, draws);
    QFETCH(QString, line);
    ScriptedRandom rnd(draws);
    QuestionMaker maker(rnd);
    QCOMPARE(maker.make(qint16(type), qint16(level)), line);
    // Every scripted draw was used, and no more were asked for.
    QCOMPARE(rnd.remaining(), 0);
}

void TestGenerators::levelOutsideRange_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("draws");
    QTest::addColumn<QString>("line");
    for (int type = 4; type <= 10; ++type) {
        const int drawsShape = shapeCount(type) > 0 ? 1 : 0;
        const QString empty = type == 4 ? u" "_s : QString();
        QList<int> levels { -1, 0, 6 };
        if (type == 10)
            levels << 4 << 5;
        for (int level : levels)
            QTest::addRow("type %d level %d", type, level) << type << level << drawsShape << empty;
    }
}

void TestGenerators::levelOutsideRange()
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

void TestGenerators::extremeDrawsStayValid_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("level");
    for (int type = 4; type <= 10; ++type) {
        for (int level = 1; level <= catalogue::levelCount(qint16(type)); ++level)
            QTest::addRow("type %d level %d", type, level) << type << level;
    }
}

// Every shape with all its draws at the smallest and at the largest value:
// every bound holds at its ends, and no 16-bit value overflows.
void TestGenerators::extremeDrawsStayValid()
{
    QFETCH(int, type);
    QFETCH(int, level);
    const int shapes = std::max(1, shapeCount(type));
    for (int shape = 1; shape <= shapes; ++shape) {
        for (double r : { 0.0, kLargestDraw }) {
            ScriptedRandom rnd;
            if (shapeCount(type) > 0)
                rnd.integer(shape, 1, shapes);
            rnd.thenAlways(r);
            QuestionMaker maker(rnd);
            QString line;
            try {
                line = maker.make(qint16(type), qint16(level));
            } catch (const std::exception &error) {
                QFAIL(qPrintable(u"shape %1 draw %2: %3"_s.arg(shape).arg(r).arg(
                    QString::fromUtf8(error.what()))));
            }
            const QuestionParts parts = splitQuestionLine(line);
            const Evaluation e
                = ExpressionEvaluator::evaluate(QStringView(parts.question).chopped(1));
            QVERIFY2(e.parsed && e.exactDivisions && e.nonNegative, qPrintable(line));
            QCOMPARE(e.value, parts.answer.toLongLong());
            for (qint64 n : e.numbers + QList<qint64> { e.value })
                QVERIFY2(n <= largestNumber(type, level), qPrintable(line));
        }
    }
}

void TestGenerators::shapesAreUniform_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("level");
    for (int type : { 4, 6, 8, 9, 10 }) {
        for (int level = 1; level <= catalogue::levelCount(qint16(type)); ++level)
            QTest::addRow("type %d level %d", type, level) << type << level;
    }
}

void TestGenerators::shapesAreUniform()
{
    QFETCH(int, type);
    QFETCH(int, level);
    SeededRandom rnd(quint64(1000 + type * 10 + level));
    QuestionMaker maker(rnd);
    QHash<QString, int> patterns;
    const int lines = 28000;
    for (int i = 0; i < lines; ++i)
        ++patterns[signPattern(maker.make(qint16(type), qint16(level)))];
    // Each shape writes its own pattern of signs, so the patterns count shapes.
    QCOMPARE(patterns.size(), shapeCount(type));
    const int share = lines / shapeCount(type);
    for (auto it = patterns.cbegin(); it != patterns.cend(); ++it)
        QVERIFY2(it.value() > share * 0.9 && it.value() < share * 1.1,
            qPrintable(u"%1 drawn %2 times, expected about %3"_s.arg(it.key())
                           .arg(it.value())
                           .arg(share)));
}

QTEST_GUILESS_MAIN(TestGenerators)
#include "tst_generators.moc"
