#include "workbookexport.h"

#include "chrome/messagebox.h"
#include "chrome/workprogress.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace workbookexport {

QString freshPath(const QString &number)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir().mkpath(folder))
        folder = QDir::homePath();
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

QString writeAndOpen(QWidget *parent, const QList<TitledSheet> &sheets,
    const std::function<bool(const QUrl &)> &open)
{
    if (sheets.isEmpty())
        return QString();
    const QString path = freshPath(sheets.first().sheet.number());
    if (!write(parent, sheets, path))
        return QString();
    if (!open(QUrl::fromLocalFile(path))) {
        showMessage(parent,
            u"试题和答案已导出到：\n%1\n但没有找到能打开它的表格程序。"
            "可以用“另存为…”（在【导出Excel】上点右键）把它存到别处。"_s.arg(
                QDir::toNativeSeparators(path)));
    }
    return path;
}

void saveAs(QWidget *parent, const QList<TitledSheet> &sheets)
{
    if (sheets.isEmpty())
        return;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(parent, u"另存为"_s,
        QDir(folder).filePath(sheets.first().sheet.number() + u".xlsx"_s),
        u"Excel 工作簿 (*.xlsx)"_s);
    if (!path.isEmpty())
        write(parent, sheets, path);
}

} // namespace workbookexport
