#pragma once

#include <QString>

#include <opencv2/core.hpp>

// A photo or scan of a sheet from a JPEG or PNG file, decoded by Qt, which turns it as the
// phone recorded. Only a regular file of sane size is opened, and its pixel size is read from
// its header before anything is decoded: a pipe, a device or a huge image is refused at once
// instead of hanging or filling the memory.
namespace photofile {

inline constexpr qint64 kMaxBytes = 64 * 1024 * 1024;
inline constexpr qint64 kMaxPixels = 100'000'000;

// Blue, green, red as OpenCV keeps colour; empty with *problem in Chinese where the file is
// no photo that can be read.
cv::Mat load(const QString &path, QString *problem);

} // namespace photofile
