#pragma once

#include "worksheet/sheetworkbook.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

// Writing a set of sheets to a workbook from the worksheet window.
namespace workbookexport {

// A new file in the user's documents named after the sheet number: a workbook still open in
// the spreadsheet program is never overwritten.
QString freshPath(const QString &number);

// Writes the workbook while a progress dialog shows; false when it was not written, which a
// message box says unless the child cancelled.
bool write(QWidget *parent, const QList<TitledSheet> &sheets, const QString &path);

// Writes a fresh workbook and hands it to open; where nothing opens it, says where it is.
// The path written, empty where nothing was.
QString writeAndOpen(QWidget *parent, const QList<TitledSheet> &sheets,
    const std::function<bool(const QUrl &)> &open);

// Asks where to save the workbook, offering the documents folder and the sheet's number.
void saveAs(QWidget *parent, const QList<TitledSheet> &sheets);

} // namespace workbookexport
