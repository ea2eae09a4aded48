#include "sheetcode.h"

#include <opencv2/core.hpp>

namespace sheetcode {

QList<QList<bool>> modules(const PageCode &)
{
    return {};
}

std::optional<PageCode> decode(const cv::Mat &)
{
    return std::nullopt;
}

} // namespace sheetcode
