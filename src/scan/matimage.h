#pragma once

#include <QByteArray>
#include <QString>

#include <opencv2/core.hpp>

class QImage;

// Between Qt's images and the reader's matrices. Image files are decoded and encoded by Qt
// alone: OpenCV's own codecs would bring their whole graphics stack into every process that
// reads a photo.
namespace matimage {

// A deep copy: 8-bit grey from a grey image, blue-green-red (as OpenCV keeps colour) from any
// other.
cv::Mat toMat(const QImage &image);
// A deep copy of an 8-bit grey or blue-green-red matrix.
QImage toImage(const cv::Mat &mat);

// An image file read as 8-bit grey; empty where it cannot be read.
cv::Mat readGrey(const QString &path);
// A grey or blue-green-red matrix as a JPEG of the given quality (0 to 100), and back: what a
// phone's photo goes through.
QByteArray jpeg(const cv::Mat &mat, int quality);
cv::Mat fromJpeg(const QByteArray &bytes);

} // namespace matimage
