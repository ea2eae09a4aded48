#include "generate/factbank.h"
#include "generate/questionline.h"
#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "support/arithmetic.h"
#include "support/scriptedrandom.h"

#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Counts the draws a generator makes, over a real seeded sequence.
class CountingRandom final : public RandomSource
{
public:
    explicit CountingRandom(quint64 seed)
        : m_source(seed)
    { }
    float next() override
    {
        ++draws;
        return m_source.next();
    }
    int draws = 0;

private:
    SeededRandom m_source;
};

} // namespace

class TestAddSub : public QObject
{
    Q_OBJECT

private slots:
    void bankContents_data();
    void bankContents();
    void roundDealsEveryFactOnce_data();
    void roundDealsEveryFactOnce();
    void shuffleFollowsKeysThenCreationOrder();
    void typeThreeAdvancesEachBankOnItsOwn();
    void workedExamples_data();
    void workedExamples();
    void levelsOutsideRangeGiveEmptyLine_data();
    void levelsOutsideRangeGiveEmptyLine();
};

void TestAddSub::bankContents_data()
{
    QTest::addColumn<bool>("addition");
    QTest::addColumn<QStringList>("mustContain");
    QTest::addColumn<int>("smallestAnswer");
    QTest::addColumn<int>("largestAnswer");
    QTest::newRow("addition") << true
                              << QStringList { u" 9 ＋ 1 ＝ 10"_s, u" 3 ＋ 4 ＝  7"_s,
                                     u" 1 ＋ 9 ＝ 10"_s, u" 1 ＋ 1 ＝  2"_s }
                              << 2 << 10;
    QTest::newRow("subtraction") << false
                                 << QStringList { u"10 － 9 ＝  1"_s, u"10 － 3 ＝  7"_s,
                                        u" 5 － 2 ＝  3"_s, u" 2 － 1 ＝  1"_s }
                                 << 1 << 9;
}

void TestAddSub::bankContents()
{
    QFETCH(bool, addition);
    QFETCH(QStringList, mustContain);
    QFETCH(int, smallestAnswer);
    QFETCH(int, largestAnswer);

    const QStringList &facts
        = FactBank::facts(addition ? FactBank::Kind::Addition : FactBank::Kind::Subtraction);
    QCOMPARE(facts.size(), FactBank::kFactCount);
    QCOMPARE(QSet<QString>(facts.begin(), facts.end()).size(), FactBank::kFactCount);
    for (const QString &line : mustContain)
        QVERIFY2(facts.contains(line), qPrintable(line));
    for (const QString &line : facts) {
        const QuestionParts parts = splitQuestionLine(line);
        const Evaluation e = ExpressionEvaluator::evaluate(QStringView(parts.question).chopped(1));
        QVERIFY2(e.parsed && e.nonNegative, qPrintable(line));
        QCOMPARE(parts.answer.toLongLong(), e.value);
        QVERIFY2(e.value >= smallestAnswer && e.value <= largestAnswer, qPrintable(line));
        QCOMPARE(e.numbers.size(), 2);
        // One-digit facts: every operand but a minuend of 10 is a single digit.
        QVERIFY2(e.numbers.at(1) >= 1 && e.numbers.at(1) <= 9, qPrintable(line));
    }
}

void TestAddSub::roundDealsEveryFactOnce_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("addition") << 1;
    QTest::newRow("subtraction") << 2;
}

void TestAddSub::roundDealsEveryFactOnce()
{
    QFETCH(int, type);
    const QStringList &facts
        = FactBank::facts(type == 1 ? FactBank::Kind::Addition : FactBank::Kind::Subtraction);
    CountingRandom rnd(2024);
    QuestionMaker maker(rnd);
    for (int round = 0; round < 3; ++round) {
        QSet<QString> dealt;
        for (int i = 0; i < FactBank::kFactCount; ++i) {
            const int before = rnd.draws;
            const QString line = maker.make(qint16(type), 1);
            // The shuffle draws one key per fact, at the first deal of a round only.
            QCOMPARE(rnd.draws - before, i == 0 ? FactBank::kFactCount : 0);
            QVERIFY2(facts.contains(line), qPrintable(line));
            dealt.insert(line);
        }
        QCOMPARE(dealt.size(), FactBank::kFactCount);
    }
}

void TestAddSub::shuffleFollowsKeysThenCreationOrder()
{
    const QStringList &facts = FactBank::facts(FactBank::Kind::Addition);
    ScriptedRandom rnd;
    // Descending keys for the first 40 facts, one shared key for the last five.
    for (int i = 0; i < 40; ++i)
        rnd.integer(9000 - i * 100, 1, 9999);
    for (int i = 40; i < FactBank::kFactCount; ++i)
        rnd.integer(1, 1, 9999);

    FactBank bank(FactBank::Kind::Addition);
    QStringList dealt;
    for (int i = 0; i < FactBank::kFactCount; ++i)
        dealt << bank.deal(rnd);
    QCOMPARE(rnd.remaining(), 0);

    QStringList expected = facts.mid(40); // equal smallest keys, in creation order
    for (int i = 39; i >= 0; --i)
        expected << facts.at(i);
    QCOMPARE(dealt, expected);
}

void TestAddSub::typeThreeAdvancesEachBankOnItsOwn()
{
    const QStringList &addition = FactBank::facts(FactBank::Kind::Addition);
    const QStringList &subtraction = FactBank::facts(FactBank::Kind::Subtraction);
    SeededRandom rnd(99);
    QuestionMaker maker(rnd);
    QStringList additions, subtractions;
    while (additions.size() < FactBank::kFactCount) {
        const QString line = maker.make(3, 1);
        if (addition.contains(line))
            additions << line;
        else if (subtraction.contains(line))
            subtractions << line;
        else
            QFAIL(qPrintable(u"not a fact: "_s + line));
    }
    // The coin is fair enough that both banks were dealt from...
    QVERIFY(subtractions.size() > 20);
    // ...and the additions made a whole round however the subtractions fell.
    QCOMPARE(QSet<QString>(additions.begin(), additions.end()).size(), FactBank::kFactCount);
    const int count = int(subtractions.size() % FactBank::kFactCount);
    const QStringList lastRound = subtractions.mid(subtractions.size() - count);
    QCOMPARE(QSet<QString>(lastRound.begin(), lastRound.end()).size(), count);
}

void TestAddSub::workedExamples_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<bool>("first"); // a written first / subtrahend b
    QTest::addColumn<QString>("line");

    QTest::newRow("add 2, a first") << 1 << 2 << 3 << 5 << true << u" 3 ＋ 5 ＝  8"_s;
    QTest::newRow("add 2, b first") << 1 << 2 << 3 << 5 << false << u" 5 ＋ 3 ＝  8"_s;
    QTest::newRow("add 3, a first") << 1 << 3 << 7 << 12 << true << u"  7 ＋ 12 ＝ 19"_s;
    QTest::newRow("add 3, b first") << 1 << 3 << 7 << 12 << false << u" 12 ＋  7 ＝ 19"_s;
    QTest::newRow("add 4") << 1 << 4 << 25 << 63 << true << u" 25 ＋ 63 ＝  88"_s;
    QTest::newRow("add 4, three-digit sum") << 1 << 4 << 49 << 99 << true << u" 49 ＋ 99 ＝ 148"_s;
    QTest::newRow("add 5, a first") << 1 << 5 << 523 << 75 << true << u" 523 ＋  75 ＝ 598"_s;
    QTest::newRow("add 5, b first") << 1 << 5 << 523 << 75 << false << u"  75 ＋ 523 ＝ 598"_s;
    QTest::newRow("sub 2, less b") << 2 << 2 << 2 << 3 << true << u" 5 － 3 ＝  2"_s;
    QTest::newRow("sub 3, less a") << 2 << 3 << 7 << 12 << false << u" 19 －  7 ＝ 12"_s;
    QTest::newRow("sub 4, less a") << 2 << 4 << 10 << 20 << false << u" 30 － 10 ＝  20"_s;
    QTest::newRow("sub 4, hundreds") << 2 << 4 << 49 << 99 << true << u"148 － 99 ＝  49"_s;
    QTest::newRow("sub 5, less b") << 2 << 5 << 523 << 75 << true << u" 598 －  75 ＝ 523"_s;
    QTest::newRow("sub 5, less a") << 2 << 5 << 523 << 75 << false << u" 598 － 523 ＝  75"_s;
}

void TestAddSub::workedExamples()
{
    QFETCH(int, type);
    QFETCH(int, level);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(bool, first);
    QFETCH(QString, line);

    static const int ranges[4][4]
        = { { 2, 9, 3, 9 }, { 4, 9, 10, 19 }, { 10, 49, 20, 99 }, { 200, 799, 50, 199 } };
    const int *range = ranges[level - 2];
    for (int viaTypeThree = 0; viaTypeThree < 2; ++viaTypeThree) {
        ScriptedRandom rnd;
        if (viaTypeThree)
            rnd.value(type == 1 ? 0.5 : 0.4999); // the coin: at least one half adds
        rnd.integer(a, range[0], range[1]).integer(b, range[2], range[3]).swap(first);
        QuestionMaker maker(rnd);
        QCOMPARE(maker.make(qint16(viaTypeThree ? 3 : type), qint16(level)), line);
        QCOMPARE(rnd.remaining(), 0);
    }
}

void TestAddSub::levelsOutsideRangeGiveEmptyLine_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("draws");
    for (int type : { 1, 2, 3 }) {
        const int coin = type == 3 ? 1 : 0;
        for (int level : { -1, 0, 6 })
            QTest::addRow("type %d level %d", type, level) << type << level << coin;
    }
    QTest::newRow("unknown type 0") << 0 << 1 << 0;
    QTest::newRow("unknown type 11") << 11 << 1 << 0;
}

void TestAddSub::levelsOutsideRangeGiveEmptyLine()
{
    QFETCH(int, type);
    QFETCH(int, level);
    QFETCH(int, draws);
    CountingRandom rnd(5);
    QuestionMaker maker(rnd);
    QCOMPARE(maker.make(qint16(type), qint16(level)), QString());
    QCOMPARE(rnd.draws, draws);
}

QTEST_GUILESS_MAIN(TestAddSub)
#include "tst_addsub.moc"
