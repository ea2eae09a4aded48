#pragma once

#include "pagecode.h"

#include "worksheet/scannablesheet.h"

#include <functional>

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

// Files a set of sheets to be photographed in the data file, all of them or none, before any
// reaches paper: each under a number that nothing there holds yet, renumbered to the next
// free one where its own is taken (a sheet printed again just as it was keeps its number),
// and returns each question document made by documentOf for the number it got, marked for
// scanning.
QList<SheetDocument> fileSet(Database &db, int installationNumber, QList<Worksheet> &sheets,
    const std::function<SheetDocument(const Worksheet &)> &documentOf);

} // namespace scanpage
