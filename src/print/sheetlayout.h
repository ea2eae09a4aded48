#pragma once

#include "columnformpainter.h"
#include "worksheet/sheetdocument.h"

#include <QFont>
#include <QList>
#include <QRectF>

#include <functional>

struct SheetChoices;

// Where everything of a sheet stands on A4 portrait paper, in twips (1440 to
// the inch) from the paper's top left corner. Plain data, so that pagination
// can be checked without painting.
struct SheetLayout
{
    static constexpr double kPaperWidth = 11906; // 210 mm
    static constexpr double kPaperHeight = 16838; // 297 mm
    static constexpr double kMarginTop = 1000;
    static constexpr double kMarginBottom = 400;
    static constexpr double kMarginLeft = 700;
    static constexpr double kMarginRight = 0;
    // Between a column's edges and its text, so that neighbours never touch.
    static constexpr double kCellPadding = 80;

    struct Page
    {
        int firstRow = 0;
        int rowCount = 0;
    };

    QRectF headerRect; // the page header's line
    QRectF gridRect; // the area the rows may fill on every page
    QRectF footerRect; // the page footer's line
    double rowHeight = 0;
    double columnWidth = 0;
    int columns = 0;
    int rowsPerPage = 0;
    QList<Page> pages; // at least one, even for an empty sheet

    // Every line of a sheet prints in one size, so that its columns stay
    // aligned: the chosen size where the widest line with the room for its
    // answer fits a column and a line's height fits a row, else the largest
    // whole or half point size that does, but never below kFloorPoints: a child
    // of six reads and writes nothing smaller. Rows too low for it are made
    // higher, so that fewer go on a page; columns too narrow for it overflow,
    // and the sheet must be laid out in fewer columns (columnsThatFit). What
    // stood in the way is kept for the worksheet window to say.
    static constexpr qreal kFloorPoints = 10.5; // 五号
    enum class Limit { None, ColumnWidth, RowHeight };
    qreal cellPoints = 0;
    Limit limit = Limit::None;
    bool overflows = false; // lines wider than their column even at the floor
    bool rowsRaised = false; // rows made higher than chosen to hold the floor's lines
    double answerRoom = 0; // blank after every line, for the answer written by hand
    // 竖式: the squares below every line, and the height the line takes above them. A row is
    // as high as both at the largest; the columns chosen are the most.
    columnformpainter::Grids forms;
    double lineHeight = 0;
    QFont cellFont() const; // sized in twips

    static SheetLayout compute(const SheetDocument &document);

    int pageCount() const { return int(pages.size()); }
    // The rectangle of a cell on its page; row counted on that page.
    QRectF cellRect(int rowOnPage, int column) const;
    // What a line and its answer room may take of a column.
    double textWidth() const { return columnWidth - 2 * kCellPadding; }
    // The part of the paper inside the margins.
    static QRectF printableRect();
};

// A word for the worksheet window and qrta-cli where the question sheet cannot print in
// the chosen font, e.g. "五列放不下三号字，打印时用小四": what is too small for
// it and the size that prints instead, and how many rows a page then takes where rows were
// raised. Empty where the chosen size prints.
QString printedSizeNote(const SheetLayout &layout, const SheetChoices &choices);
QString columnsCaption(int columns); // "三列"
// Where the lines do not fit their columns even at the floor: "五列放不下这些题（至少五号字，
// 留出写答案的地方）".
QString overflowNote(int columns);

// The most columns, no more than asked and at least one, in which a sheet's lines print at
// the floor size or larger with the room for their answers; documentWith lays the same
// lines out in a number of columns.
int columnsThatFit(const std::function<SheetDocument(int columns)> &documentWith, int asked);
// The same cells laid out again in another number of columns, in the same order.
SheetDocument reflowed(const SheetDocument &document, int columns);
// A sheet as it prints, with its layout: reflowed into the columns that fit where its lines
// overflow. A sheet to be photographed is never reflowed, as its answer rooms are filed where
// they are: whoever makes one makes it in columns that fit.
struct FittedSheet
{
    SheetDocument document;
    SheetLayout layout;
};
FittedSheet fittedToFloor(const SheetDocument &document);
