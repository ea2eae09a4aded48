#include "digitsplitter.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <climits>

namespace {

// Ink is what lies this much darker than the paper around it, at the least (a pencil's grey
// on white paper lies 60 and more below it, a phone photo's noise within 15).
constexpr double kMinContrast = 28;
constexpr double kMaxContrast = 70;
// Beyond these a room is not read as digits with any trust.
constexpr int kMaxPieces = 14;
// Widths of a piece, in its height, beyond which it may be and surely is two digits.
constexpr double kOneDigit = 1.1;
constexpr double kTwoDigits = 1.55;
constexpr int kMaxDigits = 6;
constexpr double kMaxStroke = 1.3; // the longest level stroke, in digit heights
constexpr double kMaxInkShare = 0.35;

struct Piece
{
    cv::Rect box;
    std::vector<int> labels;
};

// Thin and faint parts of strokes stay joined to the strokes they leave: what is half as
// dark as ink counts where it touches ink.
cv::Mat withFaintParts(const cv::Mat &contrast, const cv::Mat &strong, double level)
{
    cv::Mat faint, labels;
    cv::threshold(contrast, faint, std::max(kMinContrast, level / 2), 255, cv::THRESH_BINARY);
    const int count = cv::connectedComponents(faint, labels, 8, CV_32S);
    std::vector<uchar> inked(count, 0);
    for (int y = 0; y < strong.rows; ++y) {
        const uchar *s = strong.ptr<uchar>(y);
        const int *l = labels.ptr<int>(y);
        for (int x = 0; x < strong.cols; ++x) {
            if (s[x])
                inked[l[x]] = 255;
        }
    }
    inked[0] = 0;
    cv::Mat ink(strong.size(), CV_8U);
    for (int y = 0; y < strong.rows; ++y) {
        const int *l = labels.ptr<int>(y);
        uchar *out = ink.ptr<uchar>(y);
        for (int x = 0; x < strong.cols; ++x)
            out[x] = inked[l[x]];
    }
    return ink;
}

// A printed line's remains at the room's edge: the grid's or the "＝"'s, long and thin.
bool printedRemains(const cv::Rect &r, const cv::Size &size)
{
    const int thin = std::max(3, size.height / 12);
    const bool flat = r.height <= thin && r.width >= 3 * r.height;
    const bool upright = r.width <= thin && r.height >= 3 * r.width;
    if (flat && (r.y == 0 || r.br().y == size.height || r.x == 0 || r.br().x == size.width))
        return true;
    if (flat && r.width > size.width * 0.8)
        return true;
    // The end of the "＝" before the room, or of a stroke of the next cell: a short stub on
    // the left or right edge, lower than any digit.
    const bool side = r.x == 0 || r.br().x == size.width;
    if (side && r.height < 0.25 * size.height && r.width < 0.25 * size.height)
        return true;
    return upright && r.y == 0 && r.br().y == size.height && (r.x == 0 || r.br().x == size.width);
}

// A stroke broken off its digit beside it (the end of a 7's bar, the foot of a 2) joins the
// nearer neighbour; far from any, it is a stray mark.
std::vector<Piece> withFragmentsJoined(std::vector<Piece> groups, int digitHeight)
{
    auto small = [&](const Piece &p) { return p.box.height < 0.45 * digitHeight; };
    auto gap = [](const Piece &a, const Piece &b) {
        return std::max(a.box.x, b.box.x) - std::min(a.box.br().x, b.box.br().x);
    };
    for (size_t i = 0; i < groups.size();) {
        if (!small(groups[i]) || groups.size() == 1) {
            ++i;
            continue;
        }
        int nearest = -1, nearestGap = INT_MAX;
        for (const size_t j : { i - 1, i + 1 }) {
            if (j < groups.size() && !small(groups[j]) && gap(groups[i], groups[j]) < nearestGap) {
                nearestGap = gap(groups[i], groups[j]);
                nearest = int(j);
            }
        }
        if (nearest >= 0 && nearestGap <= 0.25 * digitHeight) {
            groups[nearest].box |= groups[i].box;
            groups[nearest].labels.insert(
                groups[nearest].labels.end(), groups[i].labels.begin(), groups[i].labels.end());
            groups.erase(groups.begin() + i);
        } else if (groups[i].box.height < 0.3 * digitHeight) {
            groups.erase(groups.begin() + i);
        } else {
            ++i;
        }
    }
    return groups;
}

// Where a piece too wide for one digit is cut, -1 where it is one digit. A piece twice a
// digit's width is cut where its ink is thinnest; a narrower one (a wide 5 or a slanting 8
// beside two narrow digits run together) only where a single thin stroke joins its halves.
int cutColumn(const cv::Mat &mask, int digitHeight)
{
    const double height = std::max(mask.rows, digitHeight * 3 / 4);
    const int w = mask.cols;
    if (w <= kOneDigit * height)
        return -1;
    const bool surely = w > kTwoDigits * height;
    // How far the ink reaches up and down left of each column and right of it: both halves
    // of a cut stand a digit's height, where a 5's bar or a 7's would not.
    std::vector<int> top(w, mask.rows), bottom(w, -1);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < mask.rows; ++y) {
            if (mask.at<uchar>(y, x)) {
                top[x] = std::min(top[x], y);
                bottom[x] = y;
            }
        }
    }
    std::vector<int> reachLeft(w + 1, 0), reachRight(w + 1, 0);
    for (int x = 0, t = mask.rows, b = -1; x < w; ++x) {
        t = std::min(t, top[x]);
        b = std::max(b, bottom[x]);
        reachLeft[x + 1] = b - t + 1;
    }
    for (int x = w - 1, t = mask.rows, b = -1; x >= 0; --x) {
        t = std::min(t, top[x]);
        b = std::max(b, bottom[x]);
        reachRight[x] = b - t + 1;
    }
    int best = -1;
    double bestScore = 1e18;
    for (int x = int(0.3 * w); x < w - int(0.3 * w); ++x) {
        int ink = 0, runs = 0;
        for (int y = 0; y < mask.rows; ++y) {
            const bool on = mask.at<uchar>(y, x) != 0;
            ink += on;
            runs += on && (y == 0 || !mask.at<uchar>(y - 1, x));
        }
        const bool tall = std::min(reachLeft[x], reachRight[x + 1]) >= 0.55 * height;
        if (!tall || (!surely && (runs > 1 || ink > 0.25 * height)))
            continue;
        const double score = ink + 0.05 * std::abs(x - w / 2);
        if (score < bestScore) {
            bestScore = score;
            best = x;
        }
    }
    return best;
}

// The longest stretch of ink along a row: no digit's stroke reaches much beyond its height.
int longestRun(const cv::Mat &mask)
{
    int longest = 0;
    for (int y = 0; y < mask.rows; ++y) {
        const uchar *row = mask.ptr<uchar>(y);
        for (int x = 0, run = 0; x < mask.cols; ++x) {
            run = row[x] ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

cv::Mat cropped(const cv::Mat &ink)
{
    std::vector<cv::Point> points;
    cv::findNonZero(ink, points);
    if (points.empty())
        return {};
    return ink(cv::boundingRect(points)).clone();
}

} // namespace

namespace digitsplitter {

SplitRoom split(const cv::Mat &room)
{
    SplitRoom result;
    if (room.empty() || room.rows < 8 || room.cols < 8)
        return result;
    cv::Mat grey = room;
    if (grey.channels() != 1)
        cv::cvtColor(room, grey, cv::COLOR_BGR2GRAY);

    // The paper's brightness, strokes closed over, so that shade and a gradient of light stay
    // paper; ink is the difference from it.
    const int stroke = std::max(3, room.rows / 6) | 1;
    cv::Mat paper, contrast;
    cv::dilate(grey, paper, cv::getStructuringElement(cv::MORPH_RECT, { stroke, stroke }));
    cv::blur(paper, paper, { stroke, stroke });
    cv::subtract(paper, grey, contrast);
    cv::Mat strong;
    double level = cv::threshold(contrast, strong, 0, 255, cv::THRESH_BINARY | cv::THRESH_OTSU);
    level = std::clamp(level, kMinContrast, kMaxContrast);
    cv::threshold(contrast, strong, level, 255, cv::THRESH_BINARY);
    const cv::Mat ink = withFaintParts(contrast, strong, level);

    if (cv::countNonZero(ink) > kMaxInkShare * ink.total()) {
        result.messy = true;
        return result;
    }

    cv::Mat labels, stats, centroids;
    const int count = cv::connectedComponentsWithStats(ink, labels, stats, centroids, 8);
    const int speck = std::max(4, room.rows * room.rows / 200);
    std::vector<Piece> pieces;
    for (int i = 1; i < count; ++i) {
        const cv::Rect r(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP),
            stats.at<int>(i, cv::CC_STAT_WIDTH), stats.at<int>(i, cv::CC_STAT_HEIGHT));
        const bool small = stats.at<int>(i, cv::CC_STAT_AREA) < speck
            && std::max(r.width, r.height) < room.rows / 6;
        if (small || printedRemains(r, ink.size()))
            continue;
        pieces.push_back({ r, { i } });
    }
    if (pieces.empty())
        return result;
    if (int(pieces.size()) > kMaxPieces)
        result.messy = true;

    // Pieces above one another are one digit (the bar of a 5 or a 7 written apart).
    std::sort(pieces.begin(), pieces.end(), [](auto &a, auto &b) { return a.box.x < b.box.x; });
    std::vector<Piece> groups;
    for (const Piece &p : pieces) {
        if (!groups.empty()) {
            Piece &last = groups.back();
            const int overlap
                = std::min(last.box.br().x, p.box.br().x) - std::max(last.box.x, p.box.x);
            if (overlap > 0.5 * std::min(last.box.width, p.box.width)) {
                last.box |= p.box;
                last.labels.insert(last.labels.end(), p.labels.begin(), p.labels.end());
                continue;
            }
        }
        groups.push_back(p);
    }
    int digitHeight = 0;
    for (const Piece &g : groups)
        digitHeight = std::max(digitHeight, g.box.height);
    groups = withFragmentsJoined(std::move(groups), digitHeight);
    // What is left this small is a speck or a dot, no digit, whatever the room holds besides.
    std::erase_if(groups,
        [&](const Piece &g) { return std::max(g.box.width, g.box.height) < 0.2 * room.rows; });
    if (groups.empty())
        return result;

    std::vector<cv::Mat> parts;
    for (const Piece &g : groups) {
        cv::Mat mask = cv::Mat::zeros(g.box.size(), CV_8U);
        for (const int label : g.labels)
            mask.setTo(255, labels(g.box) == label);
        if (longestRun(mask) > kMaxStroke * digitHeight)
            result.messy = true; // a line through the answer: crossed out
        // Digits run together: cut until each part is one digit (cutColumn says where).
        std::vector<cv::Mat> queue { mask };
        while (!queue.empty()) {
            cv::Mat part = queue.back();
            queue.pop_back();
            if (const int x = cutColumn(part, digitHeight); x >= 0) {
                cv::Mat right = cropped(part.colRange(x + 1, part.cols));
                cv::Mat left = cropped(part.colRange(0, x));
                if (!right.empty())
                    queue.push_back(right);
                if (!left.empty())
                    queue.push_back(left);
                continue;
            }
            parts.push_back(cropped(part));
        }
    }
    for (cv::Mat &part : parts) {
        if (part.empty())
            continue;
        if (part.cols > 1.5 * part.rows && part.rows > digitHeight / 3)
            result.messy = true;
        result.digits.push_back(part);
    }
    if (int(result.digits.size()) > kMaxDigits)
        result.messy = true;
    return result;
}

} // namespace digitsplitter
