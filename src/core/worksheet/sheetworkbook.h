#pragma once

#include "worksheet.h"

#include "output/progress.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// The face the workbook's cells and title are set in: installed with the
// program, and with its digits and blanks half as wide as a Chinese character
// the number fields of the question lines stay lined up from row to row.
inline constexpr char kWorkbookFontName[] = "Noto Sans Mono CJK SC";

// Writes the question sheet and the answer sheet as the first two worksheets
// of an .xlsx workbook, named after the sheet number (the second with
// "(答案)"): the title merged across row 1 of the first, one spreadsheet row
// per sheet row below it, every cell the sheet's text as a string in columns
// formatted as text, so no spreadsheet program turns a line into a number, a
// date or a formula. The file appears whole or not at all; on failure error
// says why, in Chinese, naming the path.
bool writeSheetWorkbook(
    const Worksheet &sheet, const QString &title, const QString &path, QString *error);

// Writes a workbook that build fills (libxlsxwriter, into a file of its own naming) to path,
// whole or not at all; build returns the first failure, or none when stopped. On failure
// error says why, in Chinese, naming the path; stopped, it writes nothing and clears error.
bool writeXlsxFile(const QString &path, QString *error,
    const std::function<std::optional<int>(const QByteArray &fileName)> &build);

// A sheet with its printed title, one of a class set.
struct TitledSheet
{
    Worksheet sheet;
    QString title;
};

// A class set in one workbook: a question and an answer worksheet per sheet,
// in the order of the list. Progress counts a step for each sheet and one for
// packing the file; stopped by progress, it writes nothing and leaves error
// empty.
bool writeSheetWorkbook(const QList<TitledSheet> &sheets, const QString &path, QString *error,
    const ProgressCallback &progress = {});
