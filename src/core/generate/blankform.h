#pragma once

#include <QString>

#include <optional>

// Fill in the blank: one operand of a question line is replaced by brackets around
// ideographic spaces, wide enough to write the missing number in by hand, e.g.
// "  7 ＋ 17 ＝ 24" becomes "  7 ＋（　　）＝ 24" with 17 to fill in. The rest of the line
// stays as it was written, the result after "＝" included.
enum class BlankPlace : qint16 { None = 0, First = 1, Second = 2, Third = 3, Any = 4 };

struct BlankQuestion
{
    QString text; // the line with its blank
    QString filler; // the number that fills the blank
};

namespace blankform {

// Operand `index` (0 for the first) of line as a blank; nothing where the line has no such
// operand.
std::optional<BlankQuestion> make(const QString &line, int index);
// The line with the blank filled in: the line the blank was made from when number is its
// filler.
QString fill(const QString &text, const QString &number);

} // namespace blankform
