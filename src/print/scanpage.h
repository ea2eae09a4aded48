#pragma once

#include "worksheet/scannablesheet.h"

class QPainter;
class Worksheet;
struct SheetDocument;

// A question sheet printed to be photographed: the corner marks and the page's code painted
// on every page, and where each question's answer is written by hand, for the data file.
namespace scanpage {

// On a painter that draws in twips from the paper's top left corner.
void paintMarks(QPainter &painter, const QString &sheetNumber, int page);

// The sheet as the data file keeps it: each question's page and the room of its answer,
// right of its "＝" or inside its blank's brackets, as the document lays it out.
ScannableSheet describe(const Worksheet &sheet, const SheetDocument &document);

} // namespace scanpage
