#include "columnformpainter.h"

#include "cjkfont.h"

#include "worksheet/sheetdocument.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace columnformpainter {

namespace {

constexpr double kSquare = kSquareTwips;
// Squares light enough to write over, rules as a pen draws them.
constexpr QColor kSquareInk(150, 160, 170);
constexpr double kSquarePen = 8;
constexpr double kRulePen = 22;
constexpr double kDotRadius = 0.7 * 1440 / 25.4;

} // namespace

Grids gridsOf(const SheetDocument &document)
{
    Grids grids;
    const auto widen = [](Grid &grid, const ColumnForm &form) {
        grid.columns = std::max(grid.columns, form.columns);
        grid.rows = std::max(grid.rows, form.rows);
    };
    for (const QStringList &row : document.rows) {
        for (const QString &cell : row) {
            if (const std::optional<ColumnForm> form = columnform::of(cell)) {
                widen(grids.largest, *form);
                widen(grids.ofOperation.at(size_t(form->operation)), *form);
            }
        }
    }
    return grids;
}

void paint(
    QPainter &painter, const ColumnForm &form, const Grid &grid, QPointF origin, bool working)
{
    painter.save();
    painter.setPen(QPen(kSquareInk, kSquarePen));
    painter.setBrush(Qt::NoBrush);
    for (int row = 0; row <= grid.rows; ++row)
        painter.drawLine(QPointF(origin.x(), origin.y() + row * kSquare),
            QPointF(origin.x() + grid.columns * kSquare, origin.y() + row * kSquare));
    for (int column = 0; column <= grid.columns; ++column)
        painter.drawLine(QPointF(origin.x() + column * kSquare, origin.y()),
            QPointF(origin.x() + column * kSquare, origin.y() + grid.rows * kSquare));

    const int shift = grid.columns - form.columns;
    const auto square = [&](int row, int column) {
        return QRectF(
            origin.x() + (column + shift) * kSquare, origin.y() + row * kSquare, kSquare, kSquare);
    };
    const QFont digitFont = inTwips(cjkMonoFont(), kDigitPoints);
    const QFont carryFont = inTwips(cjkMonoFont(), kCarryPoints);
    const QPen ink(Qt::black, kRulePen, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(ink);
    for (ColumnGlyph glyph : form.glyphs) {
        if (glyph.working && !working)
            continue;
        // A form narrower than the grid keeps its operator at the grid's left edge, and its
        // rules run there, so that every cell of the sheet looks alike.
        if (glyph.column == 0 && glyph.kind != ColumnGlyph::Kind::Digit) {
            glyph.column = -shift;
            glyph.span += shift;
        }
        const QRectF at = square(glyph.row, glyph.column);
        switch (glyph.kind) {
        case ColumnGlyph::Kind::Digit:
        case ColumnGlyph::Kind::Operator:
            painter.setFont(digitFont);
            painter.drawText(at, Qt::AlignCenter, QString(glyph.text));
            break;
        case ColumnGlyph::Kind::Carry: {
            // Low at the right of the square, just above the rule, clear of the digit.
            painter.setFont(carryFont);
            const QRectF corner(at.left() + 0.62 * kSquare, at.top() + 0.5 * kSquare,
                0.38 * kSquare, 0.5 * kSquare);
            painter.drawText(corner, Qt::AlignCenter, QString(glyph.text));
            break;
        }
        case ColumnGlyph::Kind::BorrowDot:
            painter.setBrush(Qt::black);
            painter.setPen(Qt::NoPen);
            painter.drawEllipse(
                QPointF(at.center().x(), at.top() + 0.13 * kSquare), kDotRadius, kDotRadius);
            painter.setBrush(Qt::NoBrush);
            painter.setPen(ink);
            break;
        case ColumnGlyph::Kind::Rule:
            painter.drawLine(QPointF(at.left() + 0.1 * kSquare, at.bottom()),
                QPointF(at.left() + (glyph.span - 0.1) * kSquare, at.bottom()));
            break;
        case ColumnGlyph::Kind::Bracket: {
            // 厂: over the dividend, and down its left side in a slight curve.
            const QPointF top(at.left() - 0.15 * kSquare, at.top());
            painter.drawLine(top, QPointF(at.left() + glyph.span * kSquare, at.top()));
            QPainterPath stroke(top);
            stroke.cubicTo(QPointF(top.x() + 0.2 * kSquare, top.y() + 0.35 * kSquare),
                QPointF(top.x() + 0.2 * kSquare, top.y() + 0.7 * kSquare),
                QPointF(top.x() - 0.1 * kSquare, top.y() + kSquare));
            painter.drawPath(stroke);
            break;
        }
        }
    }
    painter.restore();
}

} // namespace columnformpainter
