#pragma once

#include "pagecode.h"

#include <QList>

#include <optional>

namespace cv {
class Mat;
}

// The QR code of a scannable page: its modules for printing, and reading it back.
namespace sheetcode {

// How far around its place (pageframe::kCode) the code is looked for, in millimetres: a
// straightened page may be a millimetre or so off, and the quiet zone keeps neighbours away.
constexpr double kPlaceSlack = 1.5;

// The dark (true) and light modules of the page's code, row by row, without quiet zone.
QList<QList<bool>> modules(const PageCode &code);

// The code on a straightened page (8-bit grey, see pageframe), looked for where it is
// printed; nothing where it does not read or is not this program's.
std::optional<PageCode> decode(const cv::Mat &straightenedPage);

// The code in a small 8-bit grey image that holds it upright with its quiet zone (the code's
// place with some slack), as the page finder tries each way a page may be turned.
std::optional<PageCode> decodeArea(const cv::Mat &grey);

} // namespace sheetcode
