#pragma once

#include <QList>
#include <QRectF>

struct SheetDocument;

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

    static SheetLayout compute(const SheetDocument &document);

    int pageCount() const { return int(pages.size()); }
    // The rectangle of a cell on its page; row counted on that page.
    QRectF cellRect(int rowOnPage, int column) const;
    // The part of the paper inside the margins.
    static QRectF printableRect();
};
