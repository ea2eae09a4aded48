#include "generators.h"

#include "factbank.h"
#include "linewriter.h"
#include "numbers.h"
#include "randomsource.h"

#include <string_view>

namespace {

struct Level
{
    qint16 aLow, aHigh, bLow, bHigh;
    // Addition: a written first / b written first.
    std::u16string_view sumAFirst, sumBFirst;
    // Subtraction of the sum s: subtrahend b / subtrahend a.
    std::u16string_view differenceLessB, differenceLessA;
};

// Levels 2 to 5. In a form, a digit after a letter is the width of the field
// the number is centred in; a letter alone is the plain number.
constexpr Level kLevels[4] = {
    { 2, 9, 3, 9, u"a2 ＋ b ＝ s2", u"b2 ＋ a ＝ s2", u"s2 － b ＝ a2", u"s2 － a ＝ b2" },
    { 4, 9, 10, 19, u" a2 ＋ b2 ＝ s2", u" b2 ＋ a2 ＝ s2", u" s2 － b2 ＝ a2",
        u" s2 － a2 ＝ b2" },
    { 10, 49, 20, 99, u" a ＋ b ＝ s3", u" b ＋ a ＝ s3", u"s3 － b ＝ a3", u"s3 － a ＝ b3" },
    { 200, 799, 50, 199, u" a ＋ b3 ＝ s3", u" b3 ＋ a ＝ s3", u" s － b3 ＝ a", u" s － a ＝ b3" },
};

enum class Operation { Add, Subtract };

QString makeQuestion(Operation operation, qint16 level, RandomSource &rnd, FactBank &facts)
{
    if (level == 1)
        return facts.deal(rnd);
    if (level < 2 || level > 5)
        return QString();

    const Level &row = kLevels[level - 2];
    Operands v;
    v.a = randomInt(row.aLow, row.aHigh, rnd);
    v.b = randomInt(row.bLow, row.bHigh, rnd);
    v.s = v.a + v.b;
    const bool first = rnd.next() > 0.5f;
    if (operation == Operation::Add)
        return writeForm(first ? row.sumAFirst : row.sumBFirst, v);
    return writeForm(first ? row.differenceLessB : row.differenceLessA, v);
}

} // namespace

QString makeAdditionQuestion(qint16 level, RandomSource &rnd, FactBank &facts)
{
    return makeQuestion(Operation::Add, level, rnd, facts);
}

QString makeSubtractionQuestion(qint16 level, RandomSource &rnd, FactBank &facts)
{
    return makeQuestion(Operation::Subtract, level, rnd, facts);
}
