#pragma once

#include "pagecode.h"

#include <optional>

namespace cv {
class Mat;
}

// Reading the QR code of a scannable page back (printing it needs only qrcode.h).
namespace sheetcode {

// How far around its place (pageframe::kCode) the code is looked for, in millimetres: a
// straightened page may be a millimetre or so off, and the quiet zone keeps neighbours away.
constexpr double kPlaceSlack = 1.5;

// The code on a straightened page (8-bit grey, see pageframe), looked for where it is
// printed; nothing where it does not read or is not this program's.
std::optional<PageCode> decode(const cv::Mat &straightenedPage);

// The code in a small 8-bit grey image that holds it upright with its quiet zone (the code's
// place with some slack), as the page finder tries each way a page may be turned.
std::optional<PageCode> decodeArea(const cv::Mat &grey);

} // namespace sheetcode
