// The reader module's entry: the page finder, the code and the recogniser behind the program's
// PhotoReader interface. Nothing of OpenCV crosses it, neither types nor exceptions.

#include "matimage.h"
#include "pagefinder.h"
#include "photofile.h"
#include "photoreader.h"
#include "sheetreader.h"

#include <exception>

using namespace Qt::Literals::StringLiterals;

namespace {

class OpenCvPhotoReader final : public PhotoReader
{
public:
    std::optional<FoundPage> find(const QString &photoPath, QString *problem) const override
    {
        problem->clear();
        try {
            const cv::Mat photo = photofile::load(photoPath, problem);
            if (photo.empty())
                return std::nullopt;
            if (const std::optional<StraightenedPage> page = pagefinder::find(photo, problem)) {
                FoundPage found { matimage::toImage(page->image), page->code, {} };
                for (size_t i = 0; i < page->marks.size(); ++i)
                    found.marks[i] = QPointF(page->marks[i].x, page->marks[i].y);
                return found;
            }
        } catch (const std::exception &) {
            // An image of a size or kind the finder cannot take is no page, not a failure.
        }
        if (problem->isEmpty())
            *problem = u"照片里找不到卷子四角的定位块和二维码"_s;
        return std::nullopt;
    }

    QList<ReadAnswer> readRooms(const QImage &page, const QList<ScanRoom> &rooms) const override
    {
        const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
        const cv::Mat pixels(grey.height(), grey.width(), CV_8UC1,
            const_cast<uchar *>(grey.constBits()), size_t(grey.bytesPerLine()));
        QList<ReadAnswer> answers;
        try {
            for (const ScanRoom &room : rooms)
                answers << sheetreader::readRoom(pixels, room.room, room.answer);
        } catch (const std::exception &) {
            // Nothing read is nothing sure: the parent types the answers.
            return QList<ReadAnswer>(rooms.size());
        }
        return answers;
    }
};

} // namespace

extern "C" Q_DECL_EXPORT const PhotoReader *qrta_photo_reader(int interfaceVersion)
{
    static const OpenCvPhotoReader reader;
    return interfaceVersion == PhotoReader::kInterfaceVersion ? &reader : nullptr;
}
