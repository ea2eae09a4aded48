#include "generate/blankform.h"
#include "generate/carrykind.h"
#include "generate/catalogue.h"
#include "generate/factbank.h"
#include "generate/operandline.h"
#include "generate/questionline.h"
#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "support/arithmetic.h"
#include "support/scriptedrandom.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// The largest number a line of the type and level may write, operand or
// answer, worked out from the range tables by hand: a bound that a wrong
// range or a wrong formula in a generator soon exceeds.
const qint64 kLargest[11][6] = {
    {}, { 0, 10, 18, 28, 148, 998 }, // 1: the sum
    { 0, 10, 18, 28, 148, 998 }, // 2: the minuend
    { 0, 10, 18, 28, 148, 998 }, // 3
    { 0, 18, 37, 87, 167, 997 }, // 4: shape 1's sum
    { 0, 81, 171, 361, 931, 4851 }, // 5: the product
    { 0, 99, 342, 722, 1030, 9702 }, // 6: shape 2's minuend, shape 1's sum on level 4
    { 0, 81, 171, 361, 931, 4851 }, // 7: the dividend
    { 0, 99, 291, 614, 999, 8247 }, // 8: shape 6's minuend
    { 0, 270, 972, 3249, 6859, 17689 }, // 9: shapes 1 and 2
    { 0, 95, 351, 2299, 0, 0 }, // 10: shape 14's dividend
};

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
        if (number > kLargest[type][level])
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
        if (level == 5 && n.size() == 3 && n[0] - n[1] - n[2] == answer && answer < 100)
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

// Everything a line of the type and level must satisfy; an empty text when it does.
QString problemOf(int type, int level, const QString &line)
{
    const bool blankFree = type == 6 || type == 8 || type == 9 || type == 10;
    if (line.count(QChar(kEqualsSign)) != 1 || (blankFree && line.contains(u' '))
        || (type == 4 && !line.startsWith(u' ')))
        return u"signs or spacing"_s;
    const QuestionParts parts = splitQuestionLine(line);
    bool numeric = false;
    const qint64 answer = parts.answer.toLongLong(&numeric);
    if (!numeric || !parts.answer.front().isDigit())
        return u"answer not a number"_s;
    const Evaluation e = ExpressionEvaluator::evaluate(QStringView(parts.question).chopped(1));
    if (!e.parsed || !e.exactDivisions || !e.nonNegative || e.value != answer)
        return u"wrong, inexact or negative"_s;
    const QString problem = checkRanges(type, level, e, answer);
    return problem.isEmpty() ? checkMinusSigns(type, level, line) : problem;
}

// The number of shapes of the types that draw one first, by type (for type 3, its coin: the sum
// or the difference).
const int kShapes[] = { 0, 0, 0, 2, 4, 0, 8, 0, 8, 4, 14 };

} // namespace

class TestQuestions : public QObject
{
    Q_OBJECT

private slots:
    // Same seed, same sheet: one line of each type and level, drawn in turn from one
    // seeded source, must never change between versions.
    void seededLinesArePinned()
    {
        const QStringList pinned[catalogue::kTypeCount] = {
            { u" 1 ＋ 5 ＝  6"_s, u" 3 ＋ 4 ＝  7"_s, u" 19 ＋  7 ＝ 26"_s, u" 32 ＋ 17 ＝  49"_s,
                u" 215 ＋ 173 ＝ 388"_s },
            { u" 8 － 3 ＝  5"_s, u"16 － 8 ＝  8"_s, u" 16 －  4 ＝ 12"_s, u"105 － 20 ＝  85"_s,
                u" 653 －  91 ＝ 562"_s },
            { u" 3 － 2 ＝  1"_s, u"13 － 4 ＝  9"_s, u" 18 ＋  9 ＝ 27"_s, u" 45 － 17 ＝  28"_s,
                u" 351 － 126 ＝ 225"_s },
            { u" 9 ＋ 1 － 9 ＝  1"_s, u" 13 －  7 －  2 ＝  4"_s, u" 41 － 15 － 19 ＝  7"_s,
                u" 82 ＋ 15 － 66 ＝  31"_s, u" 451 － 320 ＋  88 ＝ 219"_s },
            { u" 7 × 9 ＝ 63"_s, u"13 ×  5 ＝  65"_s, u" 5 × 10 ＝  50"_s, u"17 × 33 ＝ 561"_s,
                u" 46 × 35 ＝ 1610"_s },
            { u"1×4＋6＝10"_s, u"5×9－24＝21"_s, u"14×11－91＝63"_s, u"502－18×18＝178"_s,
                u"1799－30×39＝629"_s },
            { u"15 ÷ 5 ＝ 3"_s, u"112 ÷ 8 ＝ 14"_s, u"224 ÷ 14 ＝ 16"_s, u"624 ÷ 13 ＝ 48"_s,
                u"2077 ÷ 31 ＝ 67"_s },
            { u"18÷(3－1)＝9"_s, u"80÷5－10＝6"_s, u"(109－25)÷7＝12"_s, u"(626－556)÷7＝10"_s,
                u"4365÷(46＋51)＝45"_s },
            { u"7×5×4＝140"_s, u"18÷6×7＝21"_s, u"16×10×4＝640"_s, u"49÷7×39＝273"_s,
                u"480÷12×65＝2600"_s },
            { u"35－5×5－7＝3"_s, u"9＋5×5＋8＝42"_s, u"(64÷8＋18)×6＝156"_s },
        };
        SeededRandom rnd(42);
        QuestionMaker maker(rnd);
        for (qint16 type = 1; type <= catalogue::kTypeCount; ++type) {
            QStringList lines;
            for (qint16 level = 1; level <= catalogue::levelCount(type); ++level)
                lines << maker.make(type, level);
            QCOMPARE(lines, pinned[type - 1]);
        }
    }

    void everyLineHolds_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("level");
        for (int type = 1; type <= catalogue::kTypeCount; ++type) {
            for (int level = 1; level <= catalogue::levelCount(qint16(type)); ++level)
                QTest::addRow("type %d level %d", type, level) << type << level;
        }
    }

    // Many seeded lines of each type and level: every one holds, and every shape is drawn
    // about as often as the others (each shape writes its own pattern of signs).
    void everyLineHolds()
    {
        QFETCH(int, type);
        QFETCH(int, level);
        static const QRegularExpression digits(u"[0-9]+"_s);
        SeededRandom rnd(quint64(type * 100 + level));
        QuestionMaker maker(rnd);
        QHash<QString, int> shapes;
        const int lines = 8000;
        // Types whose operands can be left blank for the child to fill in.
        static const QSet<int> blankable = { 1, 2, 3, 4, 5, 7 };
        static const QRegularExpression room(u"（\u3000{2,}）"_s);
        for (int i = 0; i < lines; ++i) {
            QString line = maker.make(qint16(type), qint16(level));
            const QString problem = problemOf(type, level, line);
            QVERIFY2(problem.isEmpty(), qPrintable(problem + u": "_s + line));
            const qsizetype operands = OperandLine::read(line).operands.size();
            for (int k = 0; blankable.contains(type) && k < (type == 4 ? 3 : 2); ++k) {
                const std::optional<QString> blank = blankform::make(line, k);
                QVERIFY2(blank && blankform::question(*blank).contains(room), qPrintable(line));
                QCOMPARE(blankform::wholeLine(*blank), line);
                QCOMPARE(
                    blankform::filledIn(blankform::question(*blank), blankform::filler(*blank)),
                    *blank);
                QCOMPARE(
                    blankform::filler(*blank).toInt(), OperandLine::read(line).operands[k].value);
                QCOMPARE(blankform::question(*blank).section(u'＝', 1), line.section(u'＝', 1));
            }
            QVERIFY(!blankable.contains(type) || operands == (type == 4 ? 3 : 2));
            ++shapes[line.replace(digits, u"n"_s).remove(u' ')];
        }
        if (kShapes[type] == 0)
            return;
        QCOMPARE(shapes.size(), kShapes[type]);
        const int share = lines / kShapes[type];
        for (auto it = shapes.cbegin(); it != shapes.cend(); ++it)
            QVERIFY2(it.value() > share * 0.8 && it.value() < share * 1.2,
                qPrintable(u"%1 drawn %2 times, expected about %3"_s.arg(it.key())
                               .arg(it.value())
                               .arg(share)));
    }

    void extremeDrawsStayValid_data() { everyLineHolds_data(); }

    // Every shape with all its draws at the smallest and at the largest value:
    // every bound holds at its ends, and no 16-bit value overflows.
    void extremeDrawsStayValid()
    {
        QFETCH(int, type);
        QFETCH(int, level);
        const int shapes = std::max(1, kShapes[type]);
        for (int shape = 1; shape <= shapes; ++shape) {
            for (double r : { 0.0, 1.0 - 1.0 / RandomSource::kResolution }) {
                ScriptedRandom rnd(kShapes[type] > 0
                        ? QList { ScriptedRandom::drawFor(shape, 1, shapes) }
                        : QList<float>());
                rnd.thenAlways(r);
                QuestionMaker maker(rnd);
                QString line;
                try {
                    line = maker.make(qint16(type), qint16(level));
                } catch (const std::exception &error) {
                    QFAIL(qPrintable(u"shape %1 draw %2: %3"_s.arg(shape).arg(r).arg(
                        QString::fromUtf8(error.what()))));
                }
                const QString problem = problemOf(type, level, line);
                QVERIFY2(problem.isEmpty(),
                    qPrintable(u"shape %1 draw %2, %3: %4"_s.arg(shape).arg(r).arg(problem, line)));
            }
        }
    }

    void carriesAndBorrows_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("carries");
        QTest::newRow("5+5 carries") << u" 5 ＋ 5 ＝ 10"_s << true;
        QTest::newRow("4+5") << u" 4 ＋ 5 ＝  9"_s << false;
        QTest::newRow("10-3 borrows") << u"10 － 3 ＝  7"_s << true;
        QTest::newRow("100-1 borrows") << u"100 － 1 ＝ 99"_s << true;
        QTest::newRow("19-9") << u"19 － 9 ＝ 10"_s << false;
        QTest::newRow("90-30, zeros") << u"90 － 30 ＝ 60"_s << false;
        QTest::newRow("no column carries") << u" 215 ＋ 173 ＝ 388"_s << false;
        QTest::newRow("hundreds carry") << u" 651 ＋ 473 ＝ 1124"_s << true;
        QTest::newRow("tens borrow") << u" 351 － 126 ＝ 225"_s << true;
        QTest::newRow("second step carries") << u" 451 － 320 ＋  88 ＝ 219"_s << true;
        QTest::newRow("neither step") << u" 82 ＋ 15 － 66 ＝  31"_s << false;
        QTest::newRow("product") << u" 7 × 9 ＝ 63"_s << false;
        QTest::newRow("brackets are no operand line") << u"(5＋2)×6＝42"_s << false;
    }

    void carriesAndBorrows()
    {
        QFETCH(QString, line);
        QFETCH(bool, carries);
        QCOMPARE(carry::lineCarriesOrBorrows(OperandLine::read(line)), carries);
    }

    void blankForms_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("question");
        QTest::newRow("second") << u"  7 ＋ 17 ＝ 24"_s << 1 << u"  7 ＋（　　）＝ 24"_s;
        QTest::newRow("first, leading blanks stay")
            << u"  7 ＋ 17 ＝ 24"_s << 0 << u"  （　　）＋ 17 ＝ 24"_s;
        QTest::newRow("three digits, three rooms")
            << u" 653 －  91 ＝ 562"_s << 0 << u" （　　　）－  91 ＝ 562"_s;
        QTest::newRow("third of three")
            << u" 9 ＋ 1 － 9 ＝  1"_s << 2 << u" 9 ＋ 1 －（　　）＝  1"_s;
        QTest::newRow("no third of two") << u" 4 ＋ 5 ＝  9"_s << 2 << QString();
    }

    void blankForms()
    {
        QFETCH(QString, line);
        QFETCH(int, index);
        QFETCH(QString, question);
        QCOMPARE(blankform::question(blankform::make(line, index).value_or(QString())), question);
    }

    void blankPlacesOfTypes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<BlankPlace>("place");
        QTest::addColumn<bool>("offered");
        QTest::newRow("A×B first") << 5 << BlankPlace::First << true;
        QTest::newRow("A÷B any") << 7 << BlankPlace::Any << true;
        QTest::newRow("A±B±C third") << 4 << BlankPlace::Third << true;
        QTest::newRow("A+B third") << 1 << BlankPlace::Third << false;
        QTest::newRow("A±B×C second") << 6 << BlankPlace::Second << false;
    }

    // A blank is offered where the type's lines are plain operands and signs, and where it is,
    // every line of the form gets one.
    void blankPlacesOfTypes()
    {
        QFETCH(int, type);
        QFETCH(BlankPlace, place);
        QFETCH(bool, offered);
        const QuestionForm form { qint16(type), 1, CarryKind::Any, place };
        QCOMPARE(form.problem().isEmpty(), offered);
        SeededRandom rnd(5);
        QuestionMaker maker(rnd);
        for (int i = 0; offered && i < 100; ++i)
            QVERIFY(blankform::isBlank(maker.make(form)));
    }

    void carryKindsOfEveryLevel_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("level");
        QTest::addColumn<CarryKind>("kind");
        for (int type = 1; type <= 5; ++type) {
            for (int level = 1; level <= catalogue::levelCount(qint16(type)) + 1; ++level) {
                QTest::addRow("type %d level %d with", type, level)
                    << type << level << CarryKind::With;
                QTest::addRow("type %d level %d without", type, level)
                    << type << level << CarryKind::Without;
            }
        }
    }

    // Where seeded lines of the level show the kind, the level can make it, and the filtered
    // maker gives lines of the kind that the level could have written anyway.
    void carryKindsOfEveryLevel()
    {
        QFETCH(int, type);
        QFETCH(int, level);
        QFETCH(CarryKind, kind);
        const bool can = carry::levelCanMake(qint16(type), qint16(level), kind);
        QCOMPARE(QuestionForm({ qint16(type), qint16(level), kind }).problem().isEmpty(), can);
        if (type > 4 || level > catalogue::levelCount(qint16(type))) {
            QVERIFY(!can);
            return;
        }
        SeededRandom rnd(quint64(type * 10 + level));
        QuestionMaker maker(rnd);
        bool seen = false;
        for (int i = 0; i < 2000 && !seen; ++i)
            seen = carry::isOfKind(maker.make(qint16(type), qint16(level)), kind);
        QVERIFY(can || !seen);
        for (int i = 0; can && i < 200; ++i) {
            const QString line = maker.make({ qint16(type), qint16(level), kind });
            QVERIFY2(carry::isOfKind(line, kind), qPrintable(line));
            QVERIFY2(problemOf(type, level, line).isEmpty(), qPrintable(line));
        }
    }

    void roundDealsEveryFactOnce_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("addition") << 1;
        QTest::newRow("subtraction") << 2;
        QTest::newRow("type 3, each bank on its own") << 3;
    }

    // A round deals every fact of a bank once; type 3 advances each bank by its own deals.
    // With the level 1 check above, the rounds pin the banks: 45 distinct one-digit facts
    // with results up to 10 are all there are.
    void roundDealsEveryFactOnce()
    {
        QFETCH(int, type);
        QCOMPARE(FactBank::kFactCount, 45);
        // Real seeded draws, counted.
        QList<float> draws(1000);
        std::ranges::generate(
            draws, [seeded = SeededRandom(2024)]() mutable { return seeded.next(); });
        ScriptedRandom rnd(draws);
        QuestionMaker maker(rnd);
        QList<QStringList> dealt(2);
        while (dealt[0].size() < 3 * FactBank::kFactCount
            && dealt[1].size() < 3 * FactBank::kFactCount) {
            const qsizetype before = rnd.used();
            const QString line = maker.make(qint16(type), 1);
            const int bank = FactBank::facts(FactBank::Kind::Addition).contains(line) ? 0 : 1;
            QVERIFY2(bank == 0 || FactBank::facts(FactBank::Kind::Subtraction).contains(line),
                qPrintable(line));
            // The shuffle draws one key per fact, at the first deal of a round only.
            const bool newRound = dealt[bank].size() % FactBank::kFactCount == 0;
            QCOMPARE(rnd.used() - before, (type == 3) + (newRound ? FactBank::kFactCount : 0));
            dealt[bank] << line;
        }
        for (const QStringList &lines : std::as_const(dealt)) {
            for (qsizetype from = 0; from < lines.size(); from += FactBank::kFactCount) {
                const QStringList round = lines.mid(from, FactBank::kFactCount);
                QCOMPARE(QSet<QString>(round.begin(), round.end()).size(), round.size());
            }
        }
        QCOMPARE(dealt[type == 1 ? 1 : 0].isEmpty(), type == 2 || type == 1);
    }

    void shuffleFollowsKeysThenCreationOrder()
    {
        const QStringList &facts = FactBank::facts(FactBank::Kind::Addition);
        // Descending keys for the first 40 facts, one shared key for the last five.
        QList<float> keys;
        for (int i = 0; i < FactBank::kFactCount; ++i)
            keys << ScriptedRandom::drawFor(i < 40 ? 9000 - i * 100 : 1, 1, 9999);
        ScriptedRandom rnd(keys);

        FactBank bank(FactBank::Kind::Addition);
        QStringList dealt;
        for (int i = 0; i < FactBank::kFactCount; ++i)
            dealt << bank.deal(rnd);
        QCOMPARE(rnd.used(), FactBank::kFactCount);

        QStringList expected = facts.mid(40); // equal smallest keys, in creation order
        for (int i = 39; i >= 0; --i)
            expected << facts.at(i);
        QCOMPARE(dealt, expected);
    }
};

QTEST_GUILESS_MAIN(TestQuestions)
#include "tst_questions.moc"
