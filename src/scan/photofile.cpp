#include "photofile.h"

#include "matimage.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

using namespace Qt::Literals::StringLiterals;

namespace photofile {

cv::Mat load(const QString &path, QString *problem)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *problem = u"找不到文件"_s;
        return {};
    }
    if (!info.isFile()) {
        *problem = u"不是普通文件，不是照片"_s;
        return {};
    }
    if (info.size() > kMaxBytes) {
        *problem = u"文件太大（%1 MB），照片最多 %2 MB"_s.arg(info.size() / (1024 * 1024))
                       .arg(kMaxBytes / (1024 * 1024));
        return {};
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (!reader.canRead() || size.isEmpty()) {
        *problem = u"不是能读的 JPEG 或 PNG 图片"_s;
        return {};
    }
    if (qint64(size.width()) * size.height() > kMaxPixels) {
        *problem = u"图片太大（%1×%2 像素），最多一亿像素"_s.arg(size.width()).arg(size.height());
        return {};
    }
    // Room for the largest photo taken, four bytes a pixel, and no more.
    reader.setAllocationLimit(int(kMaxPixels * 4 / (1024 * 1024)) + 1);
    QImage image = reader.read();
    if (image.isNull()) {
        *problem = u"不是能读的 JPEG 或 PNG 图片"_s;
        return {};
    }
    return matimage::toMat(std::move(image).convertToFormat(QImage::Format_RGB888));
}

} // namespace photofile
