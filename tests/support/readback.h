#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

// What the program wrote, read back by another program: a PDF by poppler's pdftotext as a person
// copying its text would, a workbook by openpyxl (tests/dump_workbook.py). What the reader says
// on failure goes to the test's log.
namespace readback {

using namespace Qt::Literals::StringLiterals;

inline QByteArray output(const QString &program, const QStringList &args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, args);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

// Blanks and line breaks left out, so that a line is found however the page spaced it.
inline QString unspaced(QString text)
{
    return text.removeIf([](QChar c) { return c.isSpace(); });
}

inline QString pdfText(const QString &path)
{
    return unspaced(QString::fromUtf8(output(QStringLiteral(QRTA_PDFTOTEXT), { path, u"-"_s })));
}

// One object per worksheet: name, merged ranges, column and row formats, cells.
inline QJsonArray workbookSheets(const QString &path)
{
    const QStringList args { QStringLiteral(QRTA_DUMP_WORKBOOK), path };
    return QJsonDocument::fromJson(output(QStringLiteral(QRTA_PYTHON), args))[u"sheets"].toArray();
}

} // namespace readback
