#pragma once

#include <QList>
#include <QString>

#include <optional>

// Reads the text of a version 1 QR code from its modules. The OpenCV that Debian ships finds
// codes but decodes none (it is built without a decoding library), and a page's code is
// always version 1, so the program reads that one size itself: format, mask, the
// Reed-Solomon correction and the numeric and byte segments.
namespace qrdecoder {

// modules: 21 rows of 21, dark true, without quiet zone, upright (finder patterns at top
// left, top right and bottom left). Nothing where the errors are beyond correction.
std::optional<QString> read(const QList<QList<bool>> &modules);

} // namespace qrdecoder
