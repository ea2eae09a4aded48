#pragma once

#include <QFile>
#include <QSaveFile>
#include <QString>

#include <memory>

// A file a person asked for: a PDF, a workbook. An ordinary file is written through a save
// file, which takes the old one's place only once it is complete; a device or pipe
// (/dev/stdout, /dev/full) is written straight, as a save file would put a file of its own
// in its place. Every failure, at the open, on the way or at the close, is reported with
// the file's name and a Chinese reason.
class OutputFile final
{
public:
    explicit OutputFile(const QString &path);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    bool open();
    QFileDevice *device() const;
    // Flushes and closes, and puts a save file in place; false when anything failed.
    bool commit();
    // "无法写入“…”：磁盘已满" and the like, after a failure.
    QString errorText() const;

private:
    QString m_path;
    std::unique_ptr<QFileDevice> m_file;
    QString m_reason;
};

// The reason a file operation failed, in Chinese, for a file device that reported an error.
QString fileFailureReason(const QFileDevice &file);
