#pragma once

#include "pagecode.h"

#include "worksheet/scannablesheet.h"

#include <functional>

class ClassSet;
class Database;
class QPainter;
class Worksheet;
struct SheetDocument;

// A question sheet printed to be photographed: the corner marks and the page's code painted
// on every page, and where each question's answer is written by hand, for the data file.
namespace scanpage {

// On a painter that draws in twips from the paper's top left corner.
void paintMarks(QPainter &painter, const PageCode &code);

// The sheet as the data file keeps it: each question's page and the room of its answer,
// right of its "＝" or inside its blank's brackets, as the document lays it out.
ScannableSheet describe(const Worksheet &sheet, const SheetDocument &document);

// The document of a described sheet, ready to print: its number and each page's check.
void markForScanning(SheetDocument &document, const ScannableSheet &sheet, int installationNumber);

// Files the first count copies of a class set to be photographed (ClassSet::fileScannable)
// and returns each one's question document made by documentOf for the number it got, marked
// for scanning.
QList<SheetDocument> fileSet(Database &db, int installationNumber, ClassSet &set, int count,
    const std::function<SheetDocument(const Worksheet &)> &documentOf);

} // namespace scanpage
