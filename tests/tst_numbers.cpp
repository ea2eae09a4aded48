#include "generate/catalogue.h"
#include "generate/checked16.h"
#include "generate/numbers.h"
#include "generate/questionline.h"
#include "generate/randomsource.h"
#include "support/scriptedrandom.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void randomIntFromDraw_data();
    void randomIntFromDraw();
    void randomIntOverflow_data();
    void randomIntOverflow();
    void randomIntCoversRange();
    void centerNumber_data();
    void centerNumber();
    void roundHalfEven_data();
    void roundHalfEven();
    void checkedArithmetic();
    void splitLine_data();
    void splitLine();
    void seededSequenceIsPinned();
    void catalogueLevels_data();
    void catalogueLevels();
};

void TestNumbers::randomIntFromDraw_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<double>("draw");
    QTest::addColumn<int>("expected");

    const double largest = 1.0 - 1.0 / RandomSource::kResolution;
    QTest::newRow("single value, smallest draw") << 1 << 1 << 0.0 << 1;
    QTest::newRow("single value, largest draw") << 1 << 1 << largest << 1;
    QTest::newRow("0..9 smallest") << 0 << 9 << 0.0 << 0;
    QTest::newRow("0..9 largest") << 0 << 9 << largest << 9;
    QTest::newRow("1..9999 largest") << 1 << 9999 << largest << 9999;
    QTest::newRow("200..799 largest") << 200 << 799 << largest << 799;
    QTest::newRow("3..9 half") << 3 << 9 << 0.5 << 6;
    QTest::newRow("negative range") << -5 << 5 << largest << 5;
    QTest::newRow("upper end one below lower") << 11 << 10 << 0.9 << 11;
    QTest::newRow("widest range largest") << -16384 << 16382 << largest << 16382;
}

void TestNumbers::randomIntFromDraw()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(double, draw);
    QFETCH(int, expected);
    ScriptedRandom rnd;
    rnd.value(draw);
    QCOMPARE(randomInt(qint16(low), qint16(high), rnd), qint16(expected));
}

void TestNumbers::randomIntOverflow_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::newRow("count 32768") << 0 << 32767;
    QTest::newRow("difference overflows") << -32768 << 32767;
    QTest::newRow("count overflows from below") << -1 << 32767;
}

void TestNumbers::randomIntOverflow()
{
    QFETCH(int, low);
    QFETCH(int, high);
    ScriptedRandom rnd;
    rnd.value(0.5);
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, randomInt(qint16(low), qint16(high), rnd));
}

void TestNumbers::randomIntCoversRange()
{
    SeededRandom rnd(7);
    int counts[10] = {};
    const int draws = 100000;
    for (int i = 0; i < draws; ++i) {
        const qint16 v = randomInt(0, 9, rnd);
        QVERIFY2(v >= 0 && v <= 9, qPrintable(QString::number(v)));
        ++counts[v];
    }
    for (int v = 0; v < 10; ++v)
        QVERIFY2(counts[v] > draws / 10 * 0.95 && counts[v] < draws / 10 * 1.05,
            qPrintable(u"value %1 drawn %2 times"_s.arg(v).arg(counts[v])));
}

void TestNumbers::centerNumber_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("7 in 2") << 7 << 2 << u" 7"_s;
    QTest::newRow("5 in 3") << 5 << 3 << u" 5 "_s;
    QTest::newRow("5 in 4") << 5 << 4 << u"  5 "_s;
    QTest::newRow("12 in 3") << 12 << 3 << u" 12"_s;
    QTest::newRow("100 in 3") << 100 << 3 << u"100"_s;
    QTest::newRow("1000 in 3 not cut") << 1000 << 3 << u"1000"_s;
    QTest::newRow("-5 in 2") << -5 << 2 << u"-5"_s;
    QTest::newRow("-5 in 4") << -5 << 4 << u" -5 "_s;
    QTest::newRow("0 in 4") << 0 << 4 << u"  0 "_s;
    QTest::newRow("width 0") << 42 << 0 << u"42"_s;
    QTest::newRow("smallest 16-bit") << -32768 << 8 << u" -32768 "_s;
}

void TestNumbers::centerNumber()
{
    QFETCH(int, value);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(::centerNumber(qint16(value), qint16(width)), expected);
}

void TestNumbers::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("0.5 to 0") << 0.5 << 0.0;
    QTest::newRow("1.5 to 2") << 1.5 << 2.0;
    QTest::newRow("2.5 to 2") << 2.5 << 2.0;
    QTest::newRow("10.5 to 10") << 10.5 << 10.0;
    QTest::newRow("0.3 x 5 = 1.5 to 2") << 0.3 * 5 << 2.0;
    QTest::newRow("0.7 x 5 = 3.5 to 4") << 0.7 * 5 << 4.0;
    QTest::newRow("0.7 x 45 just below half") << 0.7 * 45 << 31.0;
    QTest::newRow("2.51 up") << 2.51 << 3.0;
    QTest::newRow("-1.5 to -2") << -1.5 << -2.0;
    QTest::newRow("-2.5 to -2") << -2.5 << -2.0;
    QTest::newRow("whole stays") << 7.0 << 7.0;
}

void TestNumbers::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(::roundHalfEven(value), expected);
}

void TestNumbers::checkedArithmetic()
{
    QCOMPARE(checked16::mul(99, 98), qint16(9702));
    QCOMPARE(checked16::add(32766, 1), qint16(32767));
    QCOMPARE(checked16::sub(-32767, 1), qint16(-32768));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, checked16::add(32767, 1));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, checked16::sub(-32768, 1));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, checked16::mul(200, 200));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, checked16::fromDouble(32768.0));
}

void TestNumbers::splitLine_data()
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

void TestNumbers::splitLine()
{
    QFETCH(QString, line);
    QFETCH(QString, question);
    QFETCH(QString, answer);
    const QuestionParts parts = splitQuestionLine(line);
    QCOMPARE(parts.question, question);
    QCOMPARE(parts.answer, answer);
}

void TestNumbers::seededSequenceIsPinned()
{
    // Same seed, same sheet: these draws (SplitMix64 of 42, top 24 bits) must
    // never change between versions.
    SeededRandom rnd(42);
    const float first = rnd.next();
    const float second = rnd.next();
    const float third = rnd.next();
    QCOMPARE(double(first) * RandomSource::kResolution, 12441394.0);
    QCOMPARE(double(second) * RandomSource::kResolution, 2682851.0);
    QCOMPARE(double(third) * RandomSource::kResolution, 4674151.0);
    SeededRandom again(42);
    QCOMPARE(again.next(), first);
}

void TestNumbers::catalogueLevels_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("levels");
    QTest::newRow("below range") << 0 << 0;
    QTest::newRow("A + B") << 1 << 5;
    QTest::newRow("A÷B") << 7 << 5;
    QTest::newRow("mixed") << 10 << 3;
    QTest::newRow("above range") << 11 << 0;
}

void TestNumbers::catalogueLevels()
{
    QFETCH(int, type);
    QFETCH(int, levels);
    QCOMPARE(catalogue::levelCount(qint16(type)), qint16(levels));
    const QStringList captions = catalogue::levelCaptions(qint16(type));
    QCOMPARE(captions.size(), levels);
    // Each caption opens with its own level's name, in level order.
    for (int level = 1; level <= levels; ++level)
        QVERIFY(captions.at(level - 1).startsWith(
            u"【"_s + catalogue::levelName(qint16(level)) + u"】-> "_s));
    QVERIFY(!catalogue::offersLevel(qint16(type), qint16(levels + 1)));
    QVERIFY(!catalogue::offersLevel(qint16(type), 0));
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
