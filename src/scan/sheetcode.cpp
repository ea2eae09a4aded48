#include "sheetcode.h"

#include "pageframe.h"
#include "qrdecoder.h"

#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

namespace {

constexpr int kModules = 21;

QList<QList<bool>> turned(const QList<QList<bool>> &modules)
{
    QList<QList<bool>> result(kModules, QList<bool>(kModules));
    for (int r = 0; r < kModules; ++r) {
        for (int c = 0; c < kModules; ++c)
            result[c][kModules - 1 - r] = modules[r][c];
    }
    return result;
}

std::optional<QString> readAnyTurn(QList<QList<bool>> modules)
{
    for (int turn = 0; turn < 4; ++turn, modules = turned(modules)) {
        if (std::optional<QString> text = qrdecoder::read(modules))
            return text;
    }
    return std::nullopt;
}

// The modules sampled through the corners of the code (clockwise, any of them first), read in
// any of the four turns. A blurred photo darkens a light module among dark ones, so the
// samples are told apart in more than one way: halfway between the code's dark and light,
// nearer either, and against the module's neighbourhood; Reed-Solomon tells which reading
// holds.
std::optional<QString> readThrough(const cv::Mat &grey, const std::vector<cv::Point2f> &corners)
{
    const std::vector<cv::Point2f> square { { 0, 0 }, { kModules, 0 }, { kModules, kModules },
        { 0, kModules } };
    const cv::Mat toImage = cv::getPerspectiveTransform(square, corners);
    std::vector<cv::Point2f> centres, mapped;
    for (int r = 0; r < kModules; ++r) {
        for (int c = 0; c < kModules; ++c)
            centres.emplace_back(c + 0.5f, r + 0.5f);
    }
    cv::perspectiveTransform(centres, mapped, toImage);
    const double modulePx = cv::norm(corners[1] - corners[0]) / kModules;
    const int radius = std::max(0, int(modulePx / 4));
    cv::Mat samples(kModules, kModules, CV_32F);
    const cv::Rect inside(0, 0, grey.cols, grey.rows);
    for (int i = 0; i < kModules * kModules; ++i) {
        const cv::Point centre(cvRound(mapped[i].x), cvRound(mapped[i].y));
        const cv::Rect box
            = cv::Rect(centre.x - radius, centre.y - radius, 2 * radius + 1, 2 * radius + 1)
            & inside;
        if (box.empty())
            return std::nullopt;
        samples.at<float>(i / kModules, i % kModules) = float(cv::mean(grey(box))[0]);
    }
    cv::Mat eight, dark;
    samples.convertTo(eight, CV_8U);
    cv::threshold(eight, dark, 0, 255, cv::THRESH_BINARY_INV | cv::THRESH_OTSU);
    const double darkLevel = cv::mean(samples, dark)[0], lightLevel = cv::mean(samples, ~dark)[0];
    cv::Mat neighbourhood;
    cv::blur(samples, neighbourhood, { 5, 5 }, { -1, -1 }, cv::BORDER_REPLICATE);
    for (const double share : { 0.5, 0.35, 0.65, -1.0 }) {
        QList<QList<bool>> modules(kModules, QList<bool>(kModules));
        for (int r = 0; r < kModules; ++r) {
            for (int c = 0; c < kModules; ++c) {
                const double global = darkLevel + (lightLevel - darkLevel) * std::abs(share);
                const double local = std::clamp(double(neighbourhood.at<float>(r, c)),
                    darkLevel + (lightLevel - darkLevel) * 0.3,
                    darkLevel + (lightLevel - darkLevel) * 0.7);
                modules[r][c] = samples.at<float>(r, c) < (share > 0 ? global : local);
            }
        }
        if (std::optional<QString> text = readAnyTurn(modules))
            return text;
    }
    return std::nullopt;
}

// The corners of the dark ink's bounding box, leaving out what touches the area's edge (a
// neighbour's part) and specks: on a straightened page the code stands upright.
std::vector<cv::Point2f> inkBox(const cv::Mat &dark)
{
    cv::Mat labels, stats, centroids;
    const int count = cv::connectedComponentsWithStats(dark, labels, stats, centroids, 8);
    const int minArea = std::max(2, dark.rows * dark.cols / 4000);
    cv::Rect box;
    for (int i = 1; i < count; ++i) {
        const cv::Rect r(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP),
            stats.at<int>(i, cv::CC_STAT_WIDTH), stats.at<int>(i, cv::CC_STAT_HEIGHT));
        if (r.x == 0 || r.y == 0 || r.br().x == dark.cols || r.br().y == dark.rows
            || stats.at<int>(i, cv::CC_STAT_AREA) < minArea)
            continue;
        box = box.empty() ? r : (box | r);
    }
    if (box.width < kModules || box.height < kModules)
        return {};
    return { cv::Point2f(box.x, box.y), cv::Point2f(box.br().x, box.y),
        cv::Point2f(box.br().x, box.br().y), cv::Point2f(box.x, box.br().y) };
}

} // namespace

namespace sheetcode {

std::optional<PageCode> decodeArea(const cv::Mat &grey)
{
    if (grey.empty())
        return std::nullopt;
    cv::Mat dark;
    cv::threshold(grey, dark, 0, 255, cv::THRESH_BINARY_INV | cv::THRESH_OTSU);
    std::vector<std::vector<cv::Point2f>> tries;
    if (std::vector<cv::Point2f> box = inkBox(dark); !box.empty())
        tries.push_back(box);
    std::vector<cv::Point2f> found;
    if (cv::QRCodeDetector().detect(grey, found) && found.size() == 4)
        tries.push_back(found);
    for (const std::vector<cv::Point2f> &corners : tries) {
        if (std::optional<QString> text = readThrough(grey, corners))
            return PageCode::read(*text);
        // A blurred photo's modules, sharpened back by as much as a module's blur took.
        const double modulePx = cv::norm(corners[1] - corners[0]) / kModules;
        cv::Mat soft, sharp;
        cv::GaussianBlur(grey, soft, {}, std::max(0.5, modulePx / 2));
        cv::addWeighted(grey, 2, soft, -1, 0, sharp);
        if (std::optional<QString> text = readThrough(sharp, corners))
            return PageCode::read(*text);
    }
    return std::nullopt;
}

std::optional<PageCode> decode(const cv::Mat &straightenedPage)
{
    const QRectF area
        = pageframe::kCode.adjusted(-kPlaceSlack, -kPlaceSlack, kPlaceSlack, kPlaceSlack);
    const QRect pixels = pageframe::pixelRect(area);
    const cv::Rect place = cv::Rect(pixels.x(), pixels.y(), pixels.width(), pixels.height())
        & cv::Rect(0, 0, straightenedPage.cols, straightenedPage.rows);
    if (place.empty())
        return std::nullopt;
    return decodeArea(straightenedPage(place));
}

} // namespace sheetcode
