#include "workbookexport.h"

#include "chrome/messagebox.h"
#include "chrome/workprogress.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace workbookexport {

QString freshPath(const QString &number)
{
    const QString folder = QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
                               .filePath(u"qrta-workbooks"_s);
    QDir().mkpath(folder);
    QString path = QDir(folder).filePath(number + u".xlsx"_s);
    for (int copy = 2; QFile::exists(path); ++copy)
        path = QDir(folder).filePath(u"%1(%2).xlsx"_s.arg(number).arg(copy));
    return path;
}

bool write(QWidget *parent, const QList<TitledSheet> &sheets, const QString &path)
{
    QString error;
    WorkProgress progress(parent, u"正在导出试题和答案…"_s);
    if (writeSheetWorkbook(sheets, path, &error, progress.callback()))
        return true;
    if (!progress.wasCancelled())
        showMessage(parent, error);
    return false;
}

} // namespace workbookexport
