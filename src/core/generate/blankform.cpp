#include "blankform.h"

#include "operandline.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace blankform {

namespace {

constexpr QChar kOpen = u'（';
constexpr QChar kClose = u'）';
constexpr QChar kRoom = QChar(0x3000);

} // namespace

std::optional<BlankQuestion> make(const QString &line, int index)
{
    const OperandLine operands = OperandLine::read(line);
    if (index < 0 || index >= operands.operands.size())
        return std::nullopt;
    const OperandLine::Operand &operand = operands.operands.at(index);
    // The brackets take the place of the blanks between the number and its signs, so that
    // the line keeps its length as nearly as it can; blanks that lead the line stay.
    qsizetype from = operand.position;
    if (index > 0 && line.at(from - 1) == u' ')
        --from;
    qsizetype to = operand.position + operand.length;
    if (to < line.size() && line.at(to) == u' ')
        ++to;
    const qsizetype room = std::max<qsizetype>(2, operand.length);
    BlankQuestion blank;
    blank.filler = line.mid(operand.position, operand.length);
    blank.text = line.left(from) + kOpen + QString(room, kRoom) + kClose + line.mid(to);
    return blank;
}

QString fill(const QString &text, const QString &number)
{
    const qsizetype open = text.indexOf(kOpen);
    const qsizetype close = text.indexOf(kClose, open + 1);
    if (open < 0 || close < 0)
        return text;
    QString before = text.left(open);
    if (!before.trimmed().isEmpty())
        before += u' ';
    return before + number + u' ' + text.mid(close + 1);
}

} // namespace blankform
