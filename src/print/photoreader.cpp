#include "photoreader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <mutex>

using namespace Qt::Literals::StringLiterals;

QString PhotoReader::moduleFileName()
{
    return QStringLiteral(QRTA_READER_FILE);
}

QStringList PhotoReader::moduleFolders()
{
    const QString programs = QCoreApplication::applicationDirPath();
    QStringList folders { programs,
        QDir::cleanPath(programs + u'/' + QStringLiteral(QRTA_READER_RELATIVE_DIR)),
        QStringLiteral(QRTA_READER_INSTALL_DIR) };
    folders.removeDuplicates();
    return folders;
}

const PhotoReader *PhotoReader::loadFile(const QString &path, QString *problem)
{
    // Kept for the process: the reader's code must stay mapped while the reader is used.
    auto *library = new QLibrary(path);
    const auto fail = [&](const QString &why) -> const PhotoReader * {
        *problem = u"读照片的模块 %1 %2，请重新安装晨曦算苑"_s.arg(QDir::toNativeSeparators(path), why);
        library->unload();
        delete library;
        return nullptr;
    };
    if (!library->load())
        return fail(u"无法载入（%1）"_s.arg(library->errorString()));
    const auto entry = reinterpret_cast<PhotoReaderEntry>(library->resolve(kPhotoReaderEntry));
    if (!entry)
        return fail(u"不是晨曦算苑读照片的模块"_s);
    const PhotoReader *reader = entry(kInterfaceVersion);
    if (!reader)
        return fail(u"和这个版本的晨曦算苑不配套"_s);
    return reader;
}

const PhotoReader *PhotoReader::load(QString *problem)
{
    static std::once_flag once;
    static const PhotoReader *reader = nullptr;
    static QString why;
    std::call_once(once, [] {
        const QStringList folders = moduleFolders();
        for (const QString &folder : folders) {
            const QString path = QDir(folder).filePath(moduleFileName());
            if (QFileInfo::exists(path)) {
                reader = loadFile(path, &why);
                return;
            }
        }
        why = u"找不到读照片的模块 %1（在 %2 都没有），请重新安装晨曦算苑"_s.arg(moduleFileName(),
            QDir::toNativeSeparators(folders.join(u"、"_s)));
    });
    if (!reader)
        *problem = why;
    return reader;
}
