#include "sheetlayout.h"

#include "sheetdocument.h"

#include <algorithm>
#include <cmath>

namespace {

// A line of text and a little air below (header) or above (footer) it.
double headerBlock(qreal points)
{
    return points * 20 * 1.5 + 120;
}

} // namespace

QRectF SheetLayout::printableRect()
{
    return QRectF(kMarginLeft, kMarginTop, kPaperWidth - kMarginLeft - kMarginRight,
        kPaperHeight - kMarginTop - kMarginBottom);
}

SheetLayout SheetLayout::compute(const SheetDocument &document)
{
    SheetLayout layout;
    const QRectF printable = printableRect();
    layout.columns = std::max(1, document.columns);
    layout.columnWidth = document.columnWidthTwips;
    layout.rowHeight = std::max(1.0, document.rowHeightTwips);
    const double gridWidth = layout.columnWidth * layout.columns;

    const double header = headerBlock(document.headerPoints);
    const double footer = headerBlock(document.footerPoints);
    layout.headerRect
        = QRectF(printable.left(), printable.top(), gridWidth, document.headerPoints * 20 * 1.5);
    layout.footerRect
        = QRectF(printable.left(), printable.bottom() - document.footerPoints * 20 * 1.5, gridWidth,
            document.footerPoints * 20 * 1.5);
    layout.gridRect = QRectF(printable.left(), printable.top() + header, gridWidth,
        printable.height() - header - footer);

    // Rows are never split: a page takes as many whole rows as fit, and at
    // least one, so that even an oversized row is printed.
    layout.rowsPerPage
        = std::max(1, int(std::floor(layout.gridRect.height() / layout.rowHeight + 1e-9)));
    const int rows = int(document.rows.size());
    for (int first = 0; first < rows; first += layout.rowsPerPage)
        layout.pages.append({ first, std::min(layout.rowsPerPage, rows - first) });
    if (layout.pages.isEmpty())
        layout.pages.append({ 0, 0 });
    return layout;
}

QRectF SheetLayout::cellRect(int rowOnPage, int column) const
{
    return QRectF(gridRect.left() + column * columnWidth, gridRect.top() + rowOnPage * rowHeight,
        columnWidth, rowHeight);
}
