#include "blankform.h"

#include "operandline.h"

#include <algorithm>
#include <iterator>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr const char16_t *kPlaceWords[] = { u"", u"first", u"second", u"third", u"any" };

} // namespace

QString blankPlaceWord(BlankPlace place)
{
    return QString::fromUtf16(kPlaceWords[int(place)]);
}

std::optional<BlankPlace> blankPlaceNamed(const QString &word)
{
    for (int place = 1; place < int(std::size(kPlaceWords)); ++place) {
        if (word == QStringView(kPlaceWords[place]))
            return BlankPlace(place);
    }
    return std::nullopt;
}

namespace blankform {

namespace {

constexpr QChar kOpen = u'（';
constexpr QChar kClose = u'）';
constexpr QChar kRoom = QChar(0x3000);

struct Brackets
{
    qsizetype open = -1;
    qsizetype close = -1;
};

Brackets bracketsOf(const QString &text)
{
    Brackets b;
    b.open = text.indexOf(kOpen);
    b.close = b.open < 0 ? -1 : text.indexOf(kClose, b.open + 1);
    return b.close < 0 ? Brackets {} : b;
}

} // namespace

std::optional<QString> make(const QString &line, int index)
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
    return line.left(from) + kOpen + line.mid(operand.position, operand.length) + kClose
        + line.mid(to);
}

bool isBlank(const QString &text)
{
    return bracketsOf(text).open >= 0;
}

QString question(const QString &blank)
{
    const Brackets b = bracketsOf(blank);
    if (b.open < 0)
        return blank;
    const qsizetype digits = b.close - b.open - 1;
    return blank.left(b.open + 1) + QString(std::max<qsizetype>(2, digits), kRoom)
        + blank.mid(b.close);
}

QString filledIn(const QString &question, const QString &number)
{
    const Brackets b = bracketsOf(question);
    if (b.open < 0)
        return question;
    return question.left(b.open + 1) + number + question.mid(b.close);
}

QString filler(const QString &blank)
{
    const Brackets b = bracketsOf(blank);
    return b.open < 0 ? QString() : blank.mid(b.open + 1, b.close - b.open - 1);
}

QString wholeLine(const QString &blank)
{
    const Brackets b = bracketsOf(blank);
    if (b.open < 0)
        return blank;
    QString before = blank.left(b.open);
    if (!before.trimmed().isEmpty())
        before += u' ';
    return before + filler(blank) + u' ' + blank.mid(b.close + 1);
}

} // namespace blankform
