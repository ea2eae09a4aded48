#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

#include <cmath>

// The geometry a scannable sheet and its reader share, in millimetres. Four filled square
// marks stand at the corners of every question page, outside the header, grid and footer;
// the centres of the marks span the frame, and every place on the page is given in the
// frame: x to the right of the top-left mark's centre, y below it. The page's code sits in
// the top band, left of the top-right mark. A straightened page is an image of the frame at
// kPixelsPerMm, so that a place in the frame is a pixel without further scaling.
namespace pageframe {

// A4 portrait.
constexpr double kPaperWidth = 210;
constexpr double kPaperHeight = 297;

constexpr double kMarkSide = 6;
// The centre of the top-left mark on the paper; the others mirror it.
constexpr double kMarkInset = 9;
constexpr double kFrameWidth = kPaperWidth - 2 * kMarkInset; // 192
constexpr double kFrameHeight = kPaperHeight - 2 * kMarkInset; // 279

// The code, its quiet zone included, in frame coordinates: 14 mm square at 181, 4 on the
// paper, left of the top-right mark and right of where any title ends, above the grid.
constexpr QRectF kCode(172, -5, 14, 14);

// The straightened page: the frame plus half a mark around it, at this resolution.
constexpr double kPixelsPerMm = 8;
constexpr double kBorder = kMarkSide; // kept around the frame in the straightened image

// Paper coordinates (mm from the paper's top left) of a frame point, and back.
constexpr QPointF toPaper(QPointF frame)
{
    return { frame.x() + kMarkInset, frame.y() + kMarkInset };
}
constexpr QPointF toFrame(QPointF paper)
{
    return { paper.x() - kMarkInset, paper.y() - kMarkInset };
}

// The pixels of a straightened page that a rectangle of the frame covers. Halves go to the
// even neighbour, as the reader has always rounded them.
inline QRect pixelRect(const QRectF &frameRect)
{
    const auto pixel = [](double mm) { return int(std::lrint((mm + kBorder) * kPixelsPerMm)); };
    const int left = pixel(frameRect.left()), top = pixel(frameRect.top());
    return { left, top, pixel(frameRect.right()) - left, pixel(frameRect.bottom()) - top };
}

} // namespace pageframe
