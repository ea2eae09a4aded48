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

// The one rule for the space around a blank, in every place that writes one: its brackets
// stand against the signs beside it and against the start of the line, whatever blanks
// the number's field had; the numbers around it keep theirs. A question stored by an
// earlier version, "10 ＋ （　　）＝", comes out by the same rule.
QString bracketed(QStringView before, QStringView inside, QStringView after)
{
    while (before.endsWith(u' '))
        before.chop(1);
    while (after.startsWith(u' '))
        after = after.mid(1);
    QString text;
    text.reserve(before.size() + inside.size() + after.size() + 2);
    text.append(before).append(kOpen).append(inside).append(kClose).append(after);
    return text;
}

} // namespace

std::optional<QString> make(const QString &line, int index)
{
    const OperandLine operands = OperandLine::read(line);
    if (index < 0 || index >= operands.operands.size())
        return std::nullopt;
    const OperandLine::Operand &operand = operands.operands.at(index);
    // Kept as the line was made: the brackets take the place of one blank on either side
    // of the number, so that the whole line comes back as its type wrote it. What is shown
    // of it follows the rule of bracketed().
    qsizetype from = operand.position;
    if (index > 0 && line.at(from - 1) == u' ')
        --from;
    qsizetype to = operand.position + operand.length;
    if (to < line.size() && line.at(to) == u' ')
        ++to;
    return line.left(from) + kOpen + line.mid(operand.position, operand.length) + kClose
        + line.mid(to);
}

QString shown(const QString &blank)
{
    return filledIn(blank, filler(blank));
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
    return bracketed(QStringView(blank).left(b.open),
        QString(std::max<qsizetype>(2, digits), kRoom), QStringView(blank).mid(b.close + 1));
}

QString filledIn(const QString &question, const QString &number)
{
    const Brackets b = bracketsOf(question);
    if (b.open < 0)
        return question;
    return bracketed(
        QStringView(question).left(b.open), number, QStringView(question).mid(b.close + 1));
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
