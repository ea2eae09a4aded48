#include "columnform.h"

#include "generate/questionline.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace columnform {

namespace {

constexpr char16_t kPlus = u'＋';
constexpr char16_t kMinus = u'－';
constexpr char16_t kTimes = u'×';
constexpr char16_t kDivide = u'÷';

// Beyond these the squares would not fit a page: the program never writes such questions.
constexpr int kMaxDigits = 6;

int digitCount(qint64 value)
{
    int count = 1;
    for (; value >= 10; value /= 10)
        ++count;
    return count;
}

// The digit of value at place (0 the ones).
int digitAt(qint64 value, int place)
{
    for (int i = 0; i < place; ++i)
        value /= 10;
    return int(value % 10);
}

class Builder
{
public:
    ColumnForm form;

    // value's digits with its ones in column right.
    void number(int row, int right, qint64 value, bool working)
    {
        const int count = digitCount(value);
        for (int place = 0; place < count; ++place)
            add({ ColumnGlyph::Kind::Digit, row, right - place, 1,
                QChar(u'0' + digitAt(value, place)), working });
    }
    void add(const ColumnGlyph &glyph) { form.glyphs << glyph; }
    void rule(int row, int from, int span, bool working = false)
    {
        add({ ColumnGlyph::Kind::Rule, row, from, span, QChar(), working });
    }
};

// top ± lower in the rows from row on, ones in column right: the lower number with its
// operator in column 0, a rule under it, and the result below (working). Carries sit in the
// lower number's row, in the column carried to; a dot marks each digit of top borrowed from.
qint64 addOrTake(Builder &b, int row, int right, qint64 top, QChar op, qint64 lower)
{
    b.add({ ColumnGlyph::Kind::Operator, row + 1, 0, 1, op, false });
    b.number(row + 1, right, lower, false);
    b.rule(row + 1, 0, right + 1);
    const bool adding = op == kPlus;
    const int places = std::max(digitCount(top), digitCount(lower));
    int carry = 0;
    for (int place = 0; place < places; ++place) {
        const int a = digitAt(top, place), c = digitAt(lower, place);
        if (adding) {
            carry = (a + c + carry) / 10;
            if (carry)
                b.add({ ColumnGlyph::Kind::Carry, row + 1, right - place - 1, 1,
                    QChar(u'0' + carry), true });
        } else {
            carry = a - carry - c < 0 ? 1 : 0;
            if (carry)
                b.add({ ColumnGlyph::Kind::BorrowDot, row, right - place - 1, 1, QChar(), true });
        }
    }
    const qint64 result = adding ? top + lower : top - lower;
    b.number(row + 2, right, result, true);
    return result;
}

std::optional<ColumnForm> addSubtract(const QList<qint64> &numbers, const QString &ops)
{
    Builder b;
    const int widest = digitCount(*std::max_element(numbers.begin(), numbers.end()));
    // A column for the operator and, where anything is added, one for a carry out of the
    // widest number: the squares never tell how many digits the result has.
    const int right = widest + (ops.contains(QChar(kPlus)) ? 1 : 0);
    b.number(0, right, numbers[0], false);
    qint64 value = numbers[0];
    for (qsizetype i = 1; i < numbers.size(); ++i) {
        const QChar op = ops[i - 1];
        if (op == kMinus && value < numbers[i])
            return std::nullopt;
        value = addOrTake(b, int(2 * (i - 1)), right, value, op, numbers[i]);
        if (digitCount(value) > right)
            return std::nullopt;
    }
    b.form.rows = int(2 * numbers.size() - 1);
    b.form.columns = right + 1;
    return b.form;
}

// The factor with more digits on top, the question's first where both have as many; one
// partial product for each digit of a lower factor of two digits or more, each a place
// further left, then their sum.
ColumnForm multiply(qint64 first, qint64 second)
{
    Builder b;
    const bool swap = digitCount(second) > digitCount(first);
    const qint64 top = swap ? second : first, lower = swap ? first : second;
    const int lowerDigits = digitCount(lower);
    const int right = digitCount(top) + lowerDigits; // room for the widest product
    b.number(0, right, top, false);
    b.add({ ColumnGlyph::Kind::Operator, 1, 0, 1, QChar(kTimes), false });
    b.number(1, right, lower, false);
    b.rule(1, 0, right + 1);
    int row = 2;
    if (lowerDigits > 1) {
        for (int place = 0; place < lowerDigits; ++place)
            b.number(row++, right - place, top * digitAt(lower, place), true);
        b.rule(row - 1, 0, right + 1, true);
    }
    b.number(row, right, top * lower, true);
    b.form.operation = ColumnForm::Operation::Multiply;
    b.form.rows = row + 1;
    b.form.columns = right + 1;
    return b.form;
}

// Long division as taught: the quotient's digits over the dividend's digits they belong to;
// under each partial dividend the divisor times that digit, a rule, and the remainder with
// the next digit brought down, down to the remainder 0. A zero digit of the quotient is
// written in the quotient, its product of 0 left out as textbooks do.
std::optional<ColumnForm> divide(qint64 dividend, qint64 divisor)
{
    if (divisor <= 0 || dividend % divisor != 0)
        return std::nullopt;
    Builder b;
    const int divisorDigits = digitCount(divisor);
    const int digits = digitCount(dividend);
    const int first = divisorDigits + 1; // the dividend's first column, right of the bracket
    const auto columnOf = [&](int index) { return first + index; }; // index from the left
    b.number(1, first - 2, divisor, false);
    b.add({ ColumnGlyph::Kind::Bracket, 1, first, digits, QChar(), false });
    b.number(1, columnOf(digits - 1), dividend, false);
    const auto digitOf = [&](int index) { return digitAt(dividend, digits - 1 - index); };

    // The first partial dividend: as few leading digits as hold the divisor.
    int index = 0;
    qint64 partial = digitOf(0);
    while (partial < divisor && index + 1 < digits)
        partial = partial * 10 + digitOf(++index);
    int row = 2;
    bool written = true; // the partial dividend stands on the sheet already
    for (;; partial = partial * 10 + digitOf(++index)) {
        const qint64 quotientDigit = partial / divisor;
        b.add({ ColumnGlyph::Kind::Digit, 0, columnOf(index), 1, QChar(u'0' + int(quotientDigit)),
            true });
        if (quotientDigit != 0) {
            if (!written)
                b.number(row++, columnOf(index), partial, true);
            const qint64 product = quotientDigit * divisor;
            b.number(row, columnOf(index), product, true);
            const int span = digitCount(std::max(partial, product));
            b.rule(row++, columnOf(index) - span + 1, span, true);
            partial -= product;
            written = false;
        }
        if (index + 1 == digits)
            break;
    }
    // The last remainder, 0.
    b.number(row++, columnOf(digits - 1), partial, true);
    // Rows for as many quotient digits as such a dividend and divisor could give, so that the
    // squares do not tell how many steps there are.
    const int steps = std::max(digits - divisorDigits + 1, 1);
    b.form.operation = ColumnForm::Operation::Divide;
    b.form.rows = std::max(row, 2 + 2 * steps);
    b.form.columns = first + digits;
    return b.form;
}

} // namespace

bool offersType(qint16 type)
{
    return type == 1 || type == 2 || type == 3 || type == 4 || type == 5 || type == 7;
}

std::optional<ColumnForm> of(const QString &line)
{
    static const QRegularExpression token(u"\\d+|[＋－×÷]|\\S"_s);
    const QString question = splitQuestionLine(line).question;
    if (!question.endsWith(QChar(kEqualsSign)))
        return std::nullopt;
    QList<qint64> numbers;
    QString ops;
    for (auto it = token.globalMatch(question.chopped(1)); it.hasNext();) {
        const QString piece = it.next().captured();
        const bool isNumber = piece.front().isDigit();
        // Numbers and operators take turns, a number first.
        if (isNumber != (numbers.size() == ops.size()))
            return std::nullopt;
        if (isNumber) {
            if (piece.size() > kMaxDigits)
                return std::nullopt;
            numbers << piece.toLongLong();
        } else if (piece.size() == 1 && QStringLiteral("＋－×÷").contains(piece)) {
            ops += piece;
        } else {
            return std::nullopt;
        }
    }
    if (numbers.size() < 2 || numbers.size() != ops.size() + 1 || numbers.size() > 3)
        return std::nullopt;
    std::optional<ColumnForm> form;
    const bool addsOrTakes = std::all_of(
        ops.cbegin(), ops.cend(), [](QChar op) { return op == kPlus || op == kMinus; });
    if (addsOrTakes)
        form = addSubtract(numbers, ops);
    else if (numbers.size() == 2 && ops == QChar(kTimes))
        form = multiply(numbers[0], numbers[1]);
    else if (numbers.size() == 2 && ops == QChar(kDivide))
        form = divide(numbers[0], numbers[1]);
    if (form)
        form->line = line;
    return form;
}

} // namespace columnform
