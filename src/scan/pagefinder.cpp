#include "pagefinder.h"

#include "pageframe.h"
#include "sheetcode.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// The marks are looked for in a copy of about this many pixels on its longer side: a mark
// still spans some 6 px there when the page fills only a third of the photo, and a phone's
// 12 megapixels are searched in a few milliseconds.
constexpr double kSearchSide = 1000;
// At most this many mark-like squares take part in the search for the page's four.
constexpr size_t kMaxCandidates = 40;

// The code is read from the photo at this many times the straightened page's resolution:
// its modules of half a millimetre keep the sharpness a phone's photo gives them.
constexpr int kCodeZoom = 3;

struct Candidate
{
    cv::Point2f centre;
    double side = 0;
};

cv::Mat greyOf(const cv::Mat &photo)
{
    cv::Mat grey;
    if (photo.channels() == 3)
        cv::cvtColor(photo, grey, cv::COLOR_BGR2GRAY);
    else if (photo.channels() == 4)
        cv::cvtColor(photo, grey, cv::COLOR_BGRA2GRAY);
    else
        grey = photo;
    if (grey.depth() != CV_8U)
        grey.convertTo(grey, CV_8U);
    return grey;
}

// Filled squares, any size a mark may have: the QR code's finder squares and the digits 0, 6,
// 8 and 9 have holes, the printed text is neither square nor solid.
std::vector<Candidate> squares(const cv::Mat &small)
{
    const int block = (std::max(small.cols, small.rows) / 15) | 1;
    cv::Mat ink;
    cv::adaptiveThreshold(
        small, ink, 255, cv::ADAPTIVE_THRESH_MEAN_C, cv::THRESH_BINARY_INV, block, 15);
    std::vector<std::vector<cv::Point>> contours;
    std::vector<cv::Vec4i> hierarchy;
    cv::findContours(ink, contours, hierarchy, cv::RETR_CCOMP, cv::CHAIN_APPROX_SIMPLE);
    const double maxArea = double(small.cols) * small.rows / 200;
    std::vector<std::pair<double, Candidate>> found;
    for (size_t i = 0; i < contours.size(); ++i) {
        if (hierarchy[i][3] >= 0)
            continue;
        const double area = cv::contourArea(contours[i]);
        if (area < 20 || area > maxArea)
            continue;
        bool hollow = false;
        for (int child = hierarchy[i][2]; child >= 0; child = hierarchy[child][0])
            hollow = hollow || cv::contourArea(contours[child]) > 0.03 * area;
        const cv::RotatedRect box = cv::minAreaRect(contours[i]);
        const double shorter = std::min(box.size.width, box.size.height);
        const double longer = std::max(box.size.width, box.size.height);
        if (hollow || shorter < 0.55 * longer)
            continue;
        const double fill = area / (box.size.width * box.size.height);
        std::vector<cv::Point> hull;
        cv::convexHull(contours[i], hull);
        if (fill < 0.7 || area < 0.8 * cv::contourArea(hull))
            continue;
        const cv::Moments m = cv::moments(contours[i]);
        found.push_back({ fill * shorter / longer,
            { cv::Point2f(m.m10 / m.m00, m.m01 / m.m00), std::sqrt(area) } });
    }
    std::sort(found.begin(), found.end(), [](auto &a, auto &b) { return a.first > b.first; });
    if (found.size() > kMaxCandidates)
        found.resize(kMaxCandidates);
    std::vector<Candidate> result;
    for (auto &f : found)
        result.push_back(f.second);
    return result;
}

double cross(cv::Point2f o, cv::Point2f a, cv::Point2f b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// The four centres clockwise (in the image, y down), starting anywhere.
std::array<cv::Point2f, 4> clockwise(std::array<cv::Point2f, 4> points)
{
    const cv::Point2f centre = (points[0] + points[1] + points[2] + points[3]) * 0.25f;
    std::sort(points.begin(), points.end(), [&](cv::Point2f a, cv::Point2f b) {
        return std::atan2(a.y - centre.y, a.x - centre.x)
            < std::atan2(b.y - centre.y, b.x - centre.x);
    });
    return points;
}

// The area of the quadrilateral where four squares can be a page's marks, else 0: convex,
// a page's shape as a tilted or slanting photo shows it, marks of the page's size.
double pageArea(const std::array<Candidate, 4> &marks)
{
    double smallest = marks[0].side, largest = marks[0].side;
    for (const Candidate &m : marks) {
        smallest = std::min(smallest, m.side);
        largest = std::max(largest, m.side);
    }
    if (largest > 2.3 * smallest)
        return 0;
    const std::array<cv::Point2f, 4> p
        = clockwise({ marks[0].centre, marks[1].centre, marks[2].centre, marks[3].centre });
    std::array<double, 4> sides {};
    double area = 0;
    for (int i = 0; i < 4; ++i) {
        const cv::Point2f a = p[i], b = p[(i + 1) % 4], c = p[(i + 2) % 4];
        if (cross(a, b, c) <= 0)
            return 0;
        sides[i] = cv::norm(b - a);
        const cv::Point2f u = a - b, v = c - b;
        if (std::abs(u.dot(v)) > 0.5 * cv::norm(u) * cv::norm(v))
            return 0;
        area += 0.5 * (a.x * b.y - b.x * a.y);
    }
    const double across = (sides[0] + sides[2]) / 2, down = (sides[1] + sides[3]) / 2;
    if (std::min(sides[0], sides[2]) < 0.5 * std::max(sides[0], sides[2])
        || std::min(sides[1], sides[3]) < 0.5 * std::max(sides[1], sides[3]))
        return 0;
    const double aspect = std::max(across, down) / std::min(across, down);
    if (aspect < 1.1 || aspect > 2.0)
        return 0;
    const double markShare
        = (smallest + largest) / 2 / std::min(across, down) * pageframe::kFrameWidth;
    if (markShare < pageframe::kMarkSide / 2 || markShare > pageframe::kMarkSide * 2)
        return 0;
    return area;
}

std::optional<std::array<Candidate, 4>> bestQuad(const std::vector<Candidate> &c)
{
    std::optional<std::array<Candidate, 4>> best;
    double bestArea = 0;
    const size_t n = c.size();
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            for (size_t k = j + 1; k < n; ++k)
                for (size_t l = k + 1; l < n; ++l) {
                    const std::array<Candidate, 4> quad { c[i], c[j], c[k], c[l] };
                    if (const double area = pageArea(quad); area > bestArea) {
                        bestArea = area;
                        best = quad;
                    }
                }
    return best;
}

// The mark's centre at the photo's full resolution: the centroid of the dark blob under the
// coarse centre, thresholded in its own neighbourhood.
cv::Point2f refined(const cv::Mat &grey, cv::Point2f coarse, double side)
{
    const int half = int(std::ceil(side * 1.2)) + 2;
    const cv::Rect roi = cv::Rect(int(coarse.x) - half, int(coarse.y) - half, 2 * half, 2 * half)
        & cv::Rect(0, 0, grey.cols, grey.rows);
    if (roi.width < 4 || roi.height < 4)
        return coarse;
    cv::Mat dark, labels, stats, centroids;
    cv::threshold(grey(roi), dark, 0, 255, cv::THRESH_BINARY_INV | cv::THRESH_OTSU);
    const int count = cv::connectedComponentsWithStats(dark, labels, stats, centroids, 8);
    const cv::Point2f local = coarse - cv::Point2f(roi.x, roi.y);
    int chosen = -1;
    double nearest = side / 2;
    for (int i = 1; i < count; ++i) {
        const double area = stats.at<int>(i, cv::CC_STAT_AREA);
        const cv::Point2f c(centroids.at<double>(i, 0), centroids.at<double>(i, 1));
        const double distance = cv::norm(c - local);
        if (area > 0.4 * side * side && area < 2.5 * side * side && distance < nearest) {
            nearest = distance;
            chosen = i;
        }
    }
    if (chosen < 0)
        return coarse;
    return cv::Point2f(centroids.at<double>(chosen, 0), centroids.at<double>(chosen, 1))
        + cv::Point2f(roi.x, roi.y);
}

cv::Size pageSize()
{
    return { cvRound((pageframe::kFrameWidth + 2 * pageframe::kBorder) * pageframe::kPixelsPerMm),
        cvRound((pageframe::kFrameHeight + 2 * pageframe::kBorder) * pageframe::kPixelsPerMm) };
}

// From the straightened page's pixels to the photo's, the marks given upright.
cv::Mat pageToPhoto(const std::array<cv::Point2f, 4> &marks)
{
    const float b = float(pageframe::kBorder * pageframe::kPixelsPerMm);
    const float w = float(pageframe::kFrameWidth * pageframe::kPixelsPerMm);
    const float h = float(pageframe::kFrameHeight * pageframe::kPixelsPerMm);
    const std::vector<cv::Point2f> page { { b, b }, { b + w, b }, { b + w, b + h }, { b, b + h } };
    return cv::getPerspectiveTransform(page, std::vector<cv::Point2f>(marks.begin(), marks.end()));
}

// From the pixels of a part of the straightened page drawn zoom times larger to the photo's.
cv::Mat partToPhoto(const cv::Mat &toPhoto, cv::Point origin, double zoom)
{
    const cv::Mat part
        = (cv::Mat_<double>(3, 3) << 1 / zoom, 0, origin.x, 0, 1 / zoom, origin.y, 0, 0, 1);
    return toPhoto * part;
}

// Where a point of a photo turned by cv::rotate(code) lies in the photo before the turn.
cv::Point2f beforeTurn(cv::Point2f p, int code, cv::Size before)
{
    const float right = float(before.width - 1), bottom = float(before.height - 1);
    switch (code) {
    case cv::ROTATE_90_CLOCKWISE:
        return { p.y, bottom - p.x };
    case cv::ROTATE_180:
        return { right - p.x, bottom - p.y };
    default:
        return { right - p.y, p.x };
    }
}

std::optional<StraightenedPage> findIn(const cv::Mat &grey, QString *why)
{
    auto fail = [why](const QString &reason) -> std::optional<StraightenedPage> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    const double scale = std::min(1.0, kSearchSide / std::max(grey.cols, grey.rows));
    cv::Mat small = grey;
    if (scale < 1)
        cv::resize(grey, small, cv::Size(), scale, scale, cv::INTER_AREA);
    const std::optional<std::array<Candidate, 4>> quad = bestQuad(squares(small));
    if (!quad)
        return fail(
            u"找不到页面四角的四个黑色定位方块：请把整页拍进照片，光线均匀，不要遮挡四角。"_s);

    std::array<cv::Point2f, 4> centres;
    for (int i = 0; i < 4; ++i) {
        centres[i] = refined(grey, (*quad)[i].centre * (1 / scale), (*quad)[i].side / scale);
    }
    centres = clockwise(centres);

    // The page may lie any way round: the turns that make it portrait come first, and the
    // code, found only at its own corner, decides.
    const bool portraitFromFirst
        = cv::norm(centres[1] - centres[0]) + cv::norm(centres[3] - centres[2])
        < cv::norm(centres[2] - centres[1]) + cv::norm(centres[0] - centres[3]);
    const std::array<int, 4> turns
        = portraitFromFirst ? std::array { 0, 2, 1, 3 } : std::array { 1, 3, 0, 2 };
    const double slack = sheetcode::kPlaceSlack;
    const cv::Rect codeRect
        = pagefinder::pixelRect(pageframe::kCode.adjusted(-slack, -slack, slack, slack));
    for (const int turn : turns) {
        StraightenedPage page;
        for (int i = 0; i < 4; ++i)
            page.marks[i] = centres[(i + turn) % 4];
        const cv::Mat toPhoto = pageToPhoto(page.marks);
        cv::Mat codeImage;
        cv::warpPerspective(grey, codeImage, partToPhoto(toPhoto, codeRect.tl(), kCodeZoom),
            cv::Size(codeRect.width * kCodeZoom, codeRect.height * kCodeZoom),
            cv::INTER_LINEAR | cv::WARP_INVERSE_MAP, cv::BORDER_REPLICATE);
        const std::optional<PageCode> code = sheetcode::decodeArea(codeImage);
        if (!code)
            continue;
        page.code = *code;
        cv::warpPerspective(grey, page.image, toPhoto, pageSize(),
            cv::INTER_LINEAR | cv::WARP_INVERSE_MAP, cv::BORDER_REPLICATE);
        return page;
    }
    return fail(
        u"找到了页面的四角，却读不出右上角的二维码：请拍得更近、更清楚些，别让二维码反光或被遮住。"_s);
}

} // namespace

namespace pagefinder {

std::optional<StraightenedPage> find(const cv::Mat &photo, QString *why)
{
    if (photo.empty()) {
        if (why)
            *why = u"图片是空的。"_s;
        return std::nullopt;
    }
    const cv::Mat grey = greyOf(photo);
    std::optional<StraightenedPage> page = findIn(grey, why);
    if (!page)
        return page;
    // The page is found again in the photo turned so that the page stands upright in it: that
    // is the same picture to the pixel whichever way round the photo was taken, so a page
    // reads the same in every orientation, even where a hair's shift of the marks would tip
    // a doubtful answer one way or the other.
    const cv::Point2f up = page->marks[0] - page->marks[3];
    if (std::abs(up.y) >= std::abs(up.x) && up.y < 0)
        return page;
    const int code = std::abs(up.y) >= std::abs(up.x) ? cv::ROTATE_180
        : up.x > 0                                    ? cv::ROTATE_90_COUNTERCLOCKWISE
                                                      : cv::ROTATE_90_CLOCKWISE;
    cv::Mat upright;
    cv::rotate(grey, upright, code);
    std::optional<StraightenedPage> again = findIn(upright, why);
    if (!again)
        return page;
    for (cv::Point2f &mark : again->marks)
        mark = beforeTurn(mark, code, grey.size());
    return again;
}

cv::Rect pixelRect(const QRectF &frameRect)
{
    const QRect pixels = pageframe::pixelRect(frameRect);
    return { pixels.x(), pixels.y(), pixels.width(), pixels.height() };
}

} // namespace pagefinder
