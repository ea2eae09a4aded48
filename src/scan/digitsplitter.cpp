#include "digitsplitter.h"

namespace digitsplitter {

SplitRoom split(const cv::Mat &)
{
    return {};
}

} // namespace digitsplitter
