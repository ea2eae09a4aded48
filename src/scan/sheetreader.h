#pragma once

#include "pagefinder.h"

#include "quiz/sheetmarking.h"

#include <QMap>

struct ScannableSheet;

// Reading the handwritten answers of a straightened page: each room of the sheet's questions
// on that page cut out and read as a whole, and the room's right answer weighed against the
// ink. An answer is sure only where the ink holds nothing the reading leaves out and one
// reading clearly beats the others.
namespace sheetreader {

// expected: the answer the room should hold.
ReadAnswer readRoom(const cv::Mat &straightenedPage, const QRectF &room, const QString &expected);
// The answers of the questions on the page, by their position on the sheet.
QMap<int, ReadAnswer> readAnswers(const StraightenedPage &page, const ScannableSheet &sheet);

} // namespace sheetreader
