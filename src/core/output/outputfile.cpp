#include "outputfile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

QString fileFailureReason(const QFileDevice &file)
{
    // Qt words its errors with the system's own (English) text of errno.
    static const std::pair<int, const char16_t *> known[] = {
        { ENOSPC, u"磁盘已满" },
        { EDQUOT, u"磁盘配额已用完" },
        { EACCES, u"没有写入权限" },
        { EPERM, u"没有写入权限" },
        { EROFS, u"磁盘是只读的" },
        { ENOENT, u"文件夹不存在" },
        { ENOTDIR, u"路径中有一段不是文件夹" },
        { EISDIR, u"这是一个文件夹" },
        { ENAMETOOLONG, u"文件名太长" },
        { EIO, u"读写磁盘时出错" },
    };
    const QString text = file.errorString();
    for (const auto &[code, reason] : known) {
        if (text.contains(QString::fromLocal8Bit(std::strerror(code))))
            return QString::fromUtf16(reason);
    }
    switch (file.error()) {
    case QFileDevice::OpenError:
        return u"无法打开文件"_s;
    case QFileDevice::WriteError:
        return u"无法写完（磁盘可能已满）"_s;
    case QFileDevice::ResizeError:
    case QFileDevice::RenameError:
        return u"无法把写好的文件放到位"_s;
    case QFileDevice::PermissionsError:
        return u"没有写入权限"_s;
    default:
        break;
    }
    return u"写入失败"_s;
}

OutputFile::OutputFile(const QString &path)
    : m_path(path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir())
        m_file = std::make_unique<QFile>(path);
    else
        m_file = std::make_unique<QSaveFile>(path);
}

OutputFile::~OutputFile() = default;

bool OutputFile::open()
{
    if (m_file->open(QIODevice::WriteOnly))
        return true;
    m_reason = fileFailureReason(*m_file);
    return false;
}

QFileDevice *OutputFile::device() const
{
    return m_file.get();
}

bool OutputFile::commit()
{
    bool written = m_file->error() == QFileDevice::NoError && m_file->flush();
    if (!written)
        m_reason = fileFailureReason(*m_file);
    if (auto *save = dynamic_cast<QSaveFile *>(m_file.get())) {
        if (!written)
            save->cancelWriting();
        written = save->commit() && written;
    } else {
        m_file->close();
        written = written && m_file->error() == QFileDevice::NoError;
    }
    if (!written && m_reason.isEmpty())
        m_reason = fileFailureReason(*m_file);
    return written;
}

QString OutputFile::errorText() const
{
    return u"无法写入“%1”：%2"_s.arg(QDir::toNativeSeparators(m_path), m_reason);
}
