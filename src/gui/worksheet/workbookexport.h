#pragma once

#include "worksheet/sheetworkbook.h"

#include <QList>
#include <QString>

class QWidget;

// Writing a set of sheets to a workbook from the worksheet window.
namespace workbookexport {

// A new file in the temporary folder named after the sheet number: a workbook still open in
// the spreadsheet program is never overwritten.
QString freshPath(const QString &number);

// Writes the workbook while a progress dialog shows; false when it was not written, which a
// message box says unless the child cancelled.
bool write(QWidget *parent, const QList<TitledSheet> &sheets, const QString &path);

} // namespace workbookexport
