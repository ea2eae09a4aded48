#pragma once

#include <opencv2/core.hpp>

// The one way a digit's ink becomes the recogniser's input, shared by the trainer and the
// reader: whatever the crop's size, position, slant and stroke, the same digit should give
// nearly the same features.
namespace digitimage {

// Side of the normalised image, and of the box the ink is scaled to fit inside it (the margin
// keeps the gradients at the ink's edge).
inline constexpr int kSide = 20;
inline constexpr int kInkBox = 16;

// ink: white (or grey) ink on black, 8-bit, any size. Gives a kSide × kSide 8-bit image with the
// ink deskewed, scaled to fit kInkBox keeping its aspect ratio and centred by mass; empty when
// there is no ink.
cv::Mat normalise(const cv::Mat &ink);

// A normalised image's features: one CV_32F row of featureCount() values.
cv::Mat features(const cv::Mat &normalised);
int featureCount();

} // namespace digitimage
