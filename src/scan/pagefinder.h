#pragma once

#include "pagecode.h"

#include <QRectF>
#include <QString>

#include <opencv2/core.hpp>

#include <array>
#include <optional>

// A page found in a photo or scan: straightened to the frame of pageframe.h (the frame plus
// kBorder around it, at kPixelsPerMm, in 8-bit grey), turned upright, with its code read.
struct StraightenedPage
{
    cv::Mat image;
    PageCode code;
    // Where the marks' centres lie in the photo: top left, top right, bottom right, bottom left
    // of the upright page.
    std::array<cv::Point2f, 4> marks;
};

namespace pagefinder {

// Finds the four marks of a scannable page in a photo (any of the four orientations, some
// tilt and perspective, uneven light), straightens the page and reads its code. Nothing
// where no page or no code is found; *why then says, in Chinese, what was missing.
std::optional<StraightenedPage> find(const cv::Mat &photo, QString *why = nullptr);

// pageframe::pixelRect as OpenCV has rectangles.
cv::Rect pixelRect(const QRectF &frameRect);

} // namespace pagefinder
