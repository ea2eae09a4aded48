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
// keeps such a question with the number in brackets where the number stood, one blank on
// either side of it given up to the brackets, so that the line it was made from comes back
// whole. What is shown of it, on the answer sheet "  7 ＋（17）＝ 24" and on the question
// sheet with brackets around ideographic spaces wide enough to write the number by hand,
// "  7 ＋（　　）＝ 24", follows one rule: no blank touches the brackets (" 10 ＋  7" shows
// " 10 ＋（　　）", "  7 ＋ 17" shows "（　　）＋ 17"); the rest of the line stays as its type
// writes it, the result after "＝" included.
namespace blankform {

// The line with operand `index` (0 for the first) in brackets, as a sheet keeps it; nothing
// where the line has no such operand.
std::optional<QString> make(const QString &line, int index);
bool isBlank(const QString &text);
// The question as printed: the brackets emptied.
QString question(const QString &blank);
// A question as printed with number put in its blank, as the answer sheet and the book show it.
QString filledIn(const QString &question, const QString &number);
// A kept blank as the answer sheet shows it: filledIn() of its own number.
QString shown(const QString &blank);
// The number that fills the blank.
QString filler(const QString &blank);
// The line the blank was made from, exactly.
QString wholeLine(const QString &blank);

} // namespace blankform
