#pragma once

#include <opencv2/core.hpp>

#include <vector>

// The handwriting in one answer room of a straightened page, cut into digits.
struct SplitRoom
{
    // Each digit's ink, left to right: white ink on black, cropped to the digit.
    std::vector<cv::Mat> digits;
    // Ink that is not digits the splitter trusts (a crossing-out, a smudge, digits run
    // together beyond splitting): the reader must not be sure of this room.
    bool messy = false;
};

namespace digitsplitter {

// room: the room's pixels of a straightened page, 8-bit grey, dark ink on light paper.
SplitRoom split(const cv::Mat &room);

} // namespace digitsplitter
