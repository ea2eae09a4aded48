#include "operandline.h"

#include "questionline.h"

using namespace Qt::Literals::StringLiterals;

OperandLine OperandLine::read(const QString &line)
{
    const qsizetype equals = line.indexOf(kEqualsSign);
    if (equals < 0)
        return {};
    OperandLine result;
    qsizetype i = 0;
    bool wantNumber = true;
    while (i < equals) {
        const QChar c = line.at(i);
        if (c == u' ' || c == QChar(0x3000)) {
            ++i;
        } else if (wantNumber && c.isDigit() && c.unicode() < 0x80) {
            Operand operand;
            operand.position = i;
            while (i < equals && line.at(i).isDigit() && line.at(i).unicode() < 0x80)
                operand.value = operand.value * 10 + line.at(i++).digitValue();
            operand.length = i - operand.position;
            result.operands << operand;
            wantNumber = false;
        } else if (!wantNumber && u"＋－×÷"_s.contains(c)) {
            result.signs << c;
            wantNumber = true;
            ++i;
        } else {
            return {};
        }
    }
    if (wantNumber)
        return {};
    return result;
}

namespace carry {

bool additionCarries(int a, int b)
{
    // Until a column carries, no column has a carry coming in.
    for (; a > 0 && b > 0; a /= 10, b /= 10) {
        if (a % 10 + b % 10 >= 10)
            return true;
    }
    return false;
}

bool subtractionBorrows(int top, int bottom)
{
    for (; bottom > 0; top /= 10, bottom /= 10) {
        if (top % 10 < bottom % 10)
            return true;
    }
    return false;
}

bool lineCarriesOrBorrows(const OperandLine &line)
{
    if (line.isEmpty())
        return false;
    int sum = line.operands.first().value;
    for (qsizetype i = 0; i < line.signs.size(); ++i) {
        const int next = line.operands.at(i + 1).value;
        if (line.signs.at(i) == u'＋') {
            if (additionCarries(sum, next))
                return true;
            sum += next;
        } else if (line.signs.at(i) == u'－') {
            if (subtractionBorrows(sum, next))
                return true;
            sum -= next;
        } else {
            return false;
        }
    }
    return false;
}

} // namespace carry
