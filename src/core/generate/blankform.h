#pragma once

#include <QString>

#include <optional>

// Where a question leaves its blank for the child to fill in: no blank, the first, second or
// third operand, or any operand, chosen afresh for each question.
enum class BlankPlace : qint16 { None = 0, First = 1, Second = 2, Third = 3, Any = 4 };

// The words the command line and the data file name a place by: "first", "second", "third",
// "any"; none for BlankPlace::None.
QString blankPlaceWord(BlankPlace place);
std::optional<BlankPlace> blankPlaceNamed(const QString &word);

// Fill in the blank: one operand of a question line is left for the child to write. A sheet
// keeps such a question with the number in brackets, "  7 ＋（17）＝ 24", which is also how
// its answer sheet prints it; the question sheet prints brackets around ideographic spaces,
// wide enough to write the number by hand: "  7 ＋（　　）＝ 24". No blank touches the
// brackets (" 10 ＋  7" becomes " 10 ＋（　　）", "  7 ＋ 17" becomes "（　　）＋ 17"); the rest
// of the line stays as its type writes it, the result after "＝" included.
namespace blankform {

// The line with operand `index` (0 for the first) in brackets; nothing where the line has no
// such operand.
std::optional<QString> make(const QString &line, int index);
bool isBlank(const QString &text);
// The question as printed: the brackets emptied.
QString question(const QString &blank);
// A question as printed with number put in its blank: the form a sheet keeps.
QString filledIn(const QString &question, const QString &number);
// The number that fills the blank.
QString filler(const QString &blank);
// The line the blank was made from, with one blank either side of the number where its
// field may have had more.
QString wholeLine(const QString &blank);

} // namespace blankform
