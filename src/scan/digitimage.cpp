#include "digitimage.h"

#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

#include <algorithm>
#include <cmath>

namespace digitimage {

namespace {

// Grey below this is paper noise or the faint edge of a scaled stroke, not ink that should
// widen the box.
constexpr int kFaint = 40;

// A slant beyond this is a digit lying down, not handwriting leaning over: straightening it
// would distort more than it helps.
constexpr double kMaxSkew = 0.7;

// A piece of ink with less than this share of the crop's ink is a speck, not a stroke.
constexpr double kSpeckShare = 0.05;

cv::Rect inkBox(const cv::Mat &grey)
{
    return cv::boundingRect(grey > kFaint);
}

// Shears the ink about its centre of mass so that its principal axis stands upright, as
// handwriting's slant differs from writer to writer while the digit does not.
cv::Mat deskew(const cv::Mat &crop)
{
    const cv::Moments m = cv::moments(crop);
    if (m.m00 <= 0 || std::abs(m.mu02) < 1e-2 * m.m00)
        return crop;
    const double skew = std::clamp(m.mu11 / m.mu02, -kMaxSkew, kMaxSkew);
    const int pad = int(std::ceil(std::abs(skew) * crop.rows / 2.0)) + 2;
    cv::Mat canvas;
    // Isolated: the crop is usually a view into a larger image, whose pixels beyond the crop
    // must not become part of the border.
    cv::copyMakeBorder(crop, canvas, 2, 2, pad, pad, cv::BORDER_CONSTANT | cv::BORDER_ISOLATED, 0);
    const double cy = m.m01 / m.m00 + 2;
    const cv::Matx23d shear(1, skew, -skew * cy, 0, 1, 0);
    cv::Mat straight;
    cv::warpAffine(canvas, straight, shear, canvas.size(), cv::WARP_INVERSE_MAP | cv::INTER_LINEAR,
        cv::BORDER_CONSTANT, 0);
    return straight;
}

// Drops specks far smaller than the digit's strokes (dust, a neighbour's stray pixel), which
// would otherwise stretch the box the digit is scaled by.
cv::Mat withoutSpecks(const cv::Mat &crop)
{
    cv::Mat labels, stats, centroids;
    const int count = cv::connectedComponentsWithStats(crop > kFaint, labels, stats, centroids, 8);
    if (count <= 2)
        return crop;
    int total = 0;
    for (int i = 1; i < count; ++i)
        total += stats.at<int>(i, cv::CC_STAT_AREA);
    cv::Mat clean = crop.clone();
    for (int i = 1; i < count; ++i) {
        if (stats.at<int>(i, cv::CC_STAT_AREA) < kSpeckShare * total)
            clean.setTo(0, labels == i);
    }
    return clean;
}

} // namespace

cv::Mat normalise(const cv::Mat &ink)
{
    cv::Mat grey;
    if (ink.channels() != 1)
        cv::cvtColor(ink, grey, cv::COLOR_BGR2GRAY);
    else
        grey = ink;
    if (grey.depth() != CV_8U)
        grey.convertTo(grey, CV_8U);
    cv::Rect box = inkBox(grey);
    if (box.empty())
        return {};
    cv::Mat straight = deskew(withoutSpecks(grey(box)));
    box = inkBox(straight);
    if (box.empty())
        return {};
    straight = straight(box);

    const double factor = double(kInkBox) / std::max(box.width, box.height);
    const cv::Size size(std::clamp(int(std::lround(box.width * factor)), 1, kInkBox),
        std::clamp(int(std::lround(box.height * factor)), 1, kInkBox));
    cv::Mat scaled;
    cv::resize(straight, scaled, size, 0, 0, factor < 1 ? cv::INTER_AREA : cv::INTER_LINEAR);

    // Centred by mass rather than by box, so that a tail (a 7's foot, a 9's stem) does not pull
    // the body aside; but never pushed out of the image.
    const cv::Moments m = cv::moments(scaled);
    int x = (kSide - size.width) / 2, y = (kSide - size.height) / 2;
    if (m.m00 > 0) {
        x = std::clamp(int(std::lround(kSide / 2.0 - m.m10 / m.m00)), 0, kSide - size.width);
        y = std::clamp(int(std::lround(kSide / 2.0 - m.m01 / m.m00)), 0, kSide - size.height);
    }
    cv::Mat out = cv::Mat::zeros(kSide, kSide, CV_8U);
    scaled.copyTo(out(cv::Rect(x, y, size.width, size.height)));
    return out;
}

namespace {

constexpr int kCoarse = kSide / 2;

const cv::HOGDescriptor &hog()
{
    // Cells of a quarter of the image in each direction, overlapping blocks of two by two
    // cells: the strokes' directions by region, robust to a pixel's shift and to thickness.
    // Signed directions (16 over the full turn) tell a stroke's two edges apart: on the
    // held-out digits, fewer wrong readings were sure than with the unsigned default's 9.
    static const cv::HOGDescriptor descriptor(cv::Size(kSide, kSide), cv::Size(10, 10),
        cv::Size(5, 5), cv::Size(5, 5), 16, 1, -1, cv::HOGDescriptor::L2Hys, 0.2, false,
        cv::HOGDescriptor::DEFAULT_NLEVELS, true);
    return descriptor;
}

} // namespace

cv::Mat features(const cv::Mat &normalised)
{
    CV_Assert(normalised.type() == CV_8U && normalised.rows == kSide && normalised.cols == kSide);
    std::vector<float> values;
    hog().compute(normalised, values);
    // And the ink itself at half resolution: where the strokes are, which the directions
    // alone blur.
    cv::Mat coarse;
    cv::resize(normalised, coarse, cv::Size(kCoarse, kCoarse), 0, 0, cv::INTER_AREA);
    for (int i = 0; i < kCoarse * kCoarse; ++i)
        values.push_back(coarse.data[i] / 255.0f);
    return cv::Mat(values, true).reshape(1, 1);
}

int featureCount()
{
    return int(hog().getDescriptorSize()) + kCoarse * kCoarse;
}

} // namespace digitimage
