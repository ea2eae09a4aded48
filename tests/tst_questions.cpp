#include "generate/catalogue.h"
#include "generate/questionline.h"
#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "support/arithmetic.h"
#include "support/levelbounds.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Span
{
    qint64 low, high;
    bool holds(qint64 v) const { return v >= low && v <= high; }
};

// Two operands drawn from the ranges a and b, written in either order.
bool pairFits(qint64 x, qint64 y, Span a, Span b)
{
    return (a.holds(x) && b.holds(y)) || (b.holds(x) && a.holds(y));
}

// Operand ranges of "A + B" and "A - B" at levels 2 to 5.
const Span kAddSubA[4] = { { 2, 9 }, { 4, 9 }, { 10, 49 }, { 200, 799 } };
const Span kAddSubB[4] = { { 3, 9 }, { 10, 19 }, { 20, 99 }, { 50, 199 } };

// What every line of the type and level must satisfy beyond evaluating to its
// answer; an empty text when it does.
QString checkRanges(int type, int level, const Evaluation &e, qint64 answer)
{
    const QList<qint64> &n = e.numbers;
    for (qint64 number : n + QList<qint64> { answer }) {
        if (number > largestNumber(type, level))
            return u"number above the level's largest"_s;
    }
    const bool subtraction = n.size() == 2 && answer == n[0] - n[1];
    if (type == 3)
        type = subtraction ? 2 : 1;
    switch (type) {
    case 1:
        if (n.size() != 2 || answer != n[0] + n[1])
            return u"not a sum of two numbers"_s;
        if (level == 1)
            return n[0] >= 1 && n[1] >= 1 && answer <= 10 ? QString() : u"not a fact"_s;
        return pairFits(n[0], n[1], kAddSubA[level - 2], kAddSubB[level - 2])
            ? QString()
            : u"operands out of range"_s;
    case 2:
        if (!subtraction)
            return u"not a difference of two numbers"_s;
        if (level == 1)
            return n[0] <= 10 && n[1] >= 1 && n[1] <= 9 && answer >= 1 ? QString()
                                                                       : u"not a fact"_s;
        return pairFits(n[1], answer, kAddSubA[level - 2], kAddSubB[level - 2])
            ? QString()
            : u"subtrahend or answer out of range"_s;
    case 4:
        // Level 5 keeps at least 100 after two subtractions.
        if (level == 5 && e.numbers.size() == 3
            && e.numbers[0] - e.numbers[1] - e.numbers[2] == answer && answer < 100)
            return u"level 5 A－B－C below 100"_s;
        return QString();
    case 6:
    case 8:
        return answer == 0 && level != 1 ? u"answer 0 above level 1"_s : QString();
    }
    return QString();
}

// Type 10 writes the narrow ASCII minus in one bracket shape each on the lower
// levels only; everywhere else the minus is full-width.
QString checkMinusSigns(int type, int level, const QString &line)
{
    if (type != 10 || !line.contains(u'-'))
        return QString();
    static const QRegularExpression narrow11(u"^\\([0-9]+×[0-9]+-[0-9]+\\)÷"_s);
    static const QRegularExpression narrow14(u"^[0-9]+÷\\([0-9]+×[0-9]+-[0-9]+\\)＝"_s);
    if ((level <= 2 && narrow11.match(line).hasMatch())
        || (level == 1 && narrow14.match(line).hasMatch()))
        return QString();
    return u"narrow minus out of place"_s;
}

} // namespace

class TestQuestions : public QObject
{
    Q_OBJECT

private slots:
    void everyLineHolds_data();
    void everyLineHolds();
    void sameSeedSameLines();
    void typeThreeMixesBothOperations();
};

void TestQuestions::everyLineHolds_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("level");
    for (int type = 1; type <= catalogue::kTypeCount; ++type) {
        for (int level = 1; level <= catalogue::levelCount(qint16(type)); ++level)
            QTest::addRow("type %d level %d", type, level) << type << level;
    }
}

void TestQuestions::everyLineHolds()
{
    QFETCH(int, type);
    QFETCH(int, level);
    SeededRandom rnd(quint64(type * 100 + level));
    QuestionMaker maker(rnd);
    const bool blankFree = type == 6 || type == 8 || type == 9 || type == 10;
    for (int i = 0; i < 4000; ++i) {
        const QString line = maker.make(qint16(type), qint16(level));
        QVERIFY2(line.count(QChar(kEqualsSign)) == 1, qPrintable(line));
        QVERIFY2(!blankFree || !line.contains(u' '), qPrintable(line));
        QVERIFY2(type != 4 || line.startsWith(u' '), qPrintable(line));

        const QuestionParts parts = splitQuestionLine(line);
        QVERIFY2(parts.question.endsWith(QChar(kEqualsSign)), qPrintable(line));
        bool numeric = false;
        const qint64 answer = parts.answer.toLongLong(&numeric);
        QVERIFY2(numeric && parts.answer.front().isDigit(), qPrintable(line));

        const Evaluation e = ExpressionEvaluator::evaluate(QStringView(parts.question).chopped(1));
        QVERIFY2(e.parsed, qPrintable(line));
        QVERIFY2(e.exactDivisions, qPrintable(u"inexact division: "_s + line));
        QVERIFY2(e.nonNegative, qPrintable(u"negative step: "_s + line));
        QVERIFY2(e.value == answer, qPrintable(u"wrong answer: "_s + line));
        QString problem = checkRanges(type, level, e, answer);
        if (problem.isEmpty())
            problem = checkMinusSigns(type, level, line);
        QVERIFY2(problem.isEmpty(), qPrintable(problem + u": "_s + line));
    }
}

void TestQuestions::sameSeedSameLines()
{
    for (qint16 type = 1; type <= catalogue::kTypeCount; ++type) {
        SeededRandom first(123), second(123);
        QuestionMaker one(first), other(second);
        for (int i = 0; i < 200; ++i) {
            const qint16 level = qint16(1 + i % catalogue::levelCount(type));
            QCOMPARE(one.make(type, level), other.make(type, level));
        }
    }
}

void TestQuestions::typeThreeMixesBothOperations()
{
    SeededRandom rnd(31);
    QuestionMaker maker(rnd);
    int additions = 0, subtractions = 0;
    for (int i = 0; i < 10000; ++i) {
        const QString line = maker.make(3, qint16(1 + i % 5));
        additions += line.contains(u" ＋ "_s);
        subtractions += line.contains(u" － "_s);
    }
    QCOMPARE(additions + subtractions, 10000);
    QVERIFY2(additions > 4700 && subtractions > 4700,
        qPrintable(u"%1 additions, %2 subtractions"_s.arg(additions).arg(subtractions)));
}

QTEST_GUILESS_MAIN(TestQuestions)
#include "tst_questions.moc"
