#pragma once

#include "pagecode.h"

#include "quiz/sheetmarking.h"
#include "worksheet/scannablesheet.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// A page found in a photo or scan: straightened to the frame of pageframe.h (the frame plus
// kBorder around it, at kPixelsPerMm, 8-bit grey), turned upright, with its code read.
struct FoundPage
{
    QImage image;
    PageCode code;
    // Where the marks' centres lie in the photo: top left, top right, bottom right, bottom left
    // of the upright page.
    std::array<QPointF, 4> marks;
};

// The reader of photographed sheets. It lives in a module of its own, with the image
// processing library it needs, loaded the first time a photo is read: starting either program,
// printing a scannable sheet and everything else never map it.
class PhotoReader
{
public:
    // Raised whenever this interface changes, so that a module of another build is refused
    // instead of called wrongly.
    static constexpr int kInterfaceVersion = 2;

    virtual ~PhotoReader() = default;

    // Finds the page in a JPEG or PNG file; nothing, with *problem in Chinese, where the file
    // is no photo or holds no page with a code of this program.
    virtual std::optional<FoundPage> find(const QString &photoPath, QString *problem) const = 0;
    // The handwriting in the answer rooms of a page found, one reading a room, each weighed
    // against the answer its room should hold (see answerFromInk).
    virtual QList<ReadAnswer> readRooms(const QImage &page, const QList<ScanRoom> &rooms) const = 0;

    // The module, loaded once for the process: the first of moduleFolders() that holds it.
    // Nothing, with *problem in Chinese, where it is missing, broken or of another build.
    static const PhotoReader *load(QString *problem);
    // One module file, each call anew.
    static const PhotoReader *loadFile(const QString &path, QString *problem);
    // Where the module is looked for: beside the executable (the build tree), then where the
    // installation puts it, relative to the executable and as installed.
    static QStringList moduleFolders();
    static QString moduleFileName();
};

// The module's one entry: the reader, or nothing where interfaceVersion is not its own.
using PhotoReaderEntry = const PhotoReader *(*)(int interfaceVersion);
inline constexpr char kPhotoReaderEntry[] = "qrta_photo_reader";
