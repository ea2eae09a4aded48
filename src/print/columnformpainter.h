#pragma once

#include "worksheet/columnform.h"

#include <QPointF>

#include <array>

class QPainter;
struct SheetDocument;

// 竖式 on paper: squares 8 mm wide, a digit of 15 points in the middle of each, carries at
// 9 points (under two thirds of a digit), the rules and long division's bracket in ink, the
// squares' lines light. Drawn in twips; every digit is text.
namespace columnformpainter {

inline constexpr double kSquareTwips = 8 * 1440 / 25.4;
inline constexpr double kDigitPoints = 15;
inline constexpr double kCarryPoints = 9;

// The squares of a form: as many as the widest and the tallest form of its operation on the
// sheet needs, so that like questions look alike and none tells how long its result is. The
// cells of a sheet are all as large as its largest grid.
struct Grid
{
    int columns = 0;
    int rows = 0;
};
struct Grids
{
    Grid largest;
    std::array<Grid, 3> ofOperation; // by ColumnForm::Operation

    const Grid &of(const ColumnForm &form) const { return ofOperation.at(size_t(form.operation)); }
};
Grids gridsOf(const SheetDocument &document);

// The form's squares and glyphs with the grid's top left corner at origin, the form standing
// at the grid's right; the working only where asked.
void paint(
    QPainter &painter, const ColumnForm &form, const Grid &grid, QPointF origin, bool working);

} // namespace columnformpainter
