#include "sheetgrid.h"

#include "cjkfont.h"
#include "sheetlayout.h"
#include "chrome/palette.h"

#include "worksheet/sheetchoices.h"

#include <QFontMetrics>
#include <QHeaderView>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

SheetGrid::SheetGrid(QWidget *parent)
    : QTableView(parent)
{
    horizontalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setStyleSheet(
        u"QTableView { background: white; gridline-color: %1; border: 1px solid %2; }"_s.arg(
            palette::css(palette::kGridLine), palette::css(palette::kBandRule)));
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    // A question is one line, as on paper: wrapped in a narrow last column, its answer would
    // stand below it.
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    // The columns are as wide as the paper's; the scroll bar stands outside them.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void SheetGrid::showRowsOf(const SheetLayout &layout)
{
    const int rowPixels = std::max(1, int(std::lround(layout.rowHeight / kTwipsPerPixel)));
    verticalHeader()->setDefaultSectionSize(rowPixels);
    // Whole pixels may leave a row a little lower than on paper, and the grid
    // line takes one: the font follows, so that no glyph is cut or overlaps.
    QFont font = cjkMonoFont();
    int pixels = std::max(1, int(layout.cellPoints * 20 / kTwipsPerPixel));
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > rowPixels - 1)
        font.setPixelSize(--pixels);
    setFont(font);
    QFont numbers = cjkFont(9);
    if (QFontMetrics(numbers).height() > QFontMetrics(font).height())
        numbers.setPixelSize(pixels);
    verticalHeader()->setFont(numbers);
}

void SheetGrid::showColumns(qint16 columns, bool equalForPaper)
{
    const double width = sheetformat::columnWidthTwips(columns);
    for (int column = 0; column < columns; ++column) {
        const double twips = column == columns - 1 && !equalForPaper ? width - 500 : width;
        setColumnWidth(column, int(std::lround(twips / kTwipsPerPixel)));
    }
}
