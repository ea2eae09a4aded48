#include "matimage.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <opencv2/imgproc.hpp>

namespace matimage {

cv::Mat toMat(const QImage &image)
{
    if (image.isNull())
        return {};
    if (image.format() == QImage::Format_Grayscale8 || image.format() == QImage::Format_Grayscale16) {
        const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
        return cv::Mat(grey.height(), grey.width(), CV_8UC1, const_cast<uchar *>(grey.constBits()),
            size_t(grey.bytesPerLine()))
            .clone();
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const cv::Mat view(rgb.height(), rgb.width(), CV_8UC3, const_cast<uchar *>(rgb.constBits()),
        size_t(rgb.bytesPerLine()));
    cv::Mat bgr;
    cv::cvtColor(view, bgr, cv::COLOR_RGB2BGR);
    return bgr;
}

QImage toImage(const cv::Mat &mat)
{
    if (mat.type() == CV_8UC1)
        return QImage(mat.data, mat.cols, mat.rows, int(mat.step), QImage::Format_Grayscale8)
            .copy();
    if (mat.type() == CV_8UC3) {
        cv::Mat rgb;
        cv::cvtColor(mat, rgb, cv::COLOR_BGR2RGB);
        return QImage(rgb.data, rgb.cols, rgb.rows, int(rgb.step), QImage::Format_RGB888).copy();
    }
    return {};
}

cv::Mat readGrey(const QString &path)
{
    const QImage image(path);
    return image.isNull() ? cv::Mat() : toMat(image.convertToFormat(QImage::Format_Grayscale8));
}

QByteArray jpeg(const cv::Mat &mat, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.write(toImage(mat));
    return bytes;
}

cv::Mat fromJpeg(const QByteArray &bytes)
{
    return toMat(QImage::fromData(bytes, "jpeg"));
}

} // namespace matimage
