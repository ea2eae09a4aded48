#include "sheetworkbook.h"

#include "output/outputfile.h"

#include "generate/numbers.h"
#include "worksheet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// The columns share this many characters of width, the title row is taller
// than the question rows, and the title a little larger than the cells.
constexpr double kLineCharacters = 76;
constexpr double kTitleRowPoints = 25;
constexpr double kRowPoints = 20;
constexpr double kTitlePoints = 12;
// Set on the columns before anything is written, so that what a user types
// there later stays text as well.
constexpr char kTextFormat[] = "@";
constexpr uint8_t kPaperA4 = 9;

struct Formats
{
    lxw_format *cell = nullptr;
    lxw_format *titleRow = nullptr; // row 1 outside the sheet's columns
    lxw_format *title = nullptr; // row 1 inside them: text as well
};

Formats addFormats(lxw_workbook *workbook)
{
    Formats formats;
    formats.cell = workbook_add_format(workbook);
    format_set_num_format(formats.cell, kTextFormat);
    format_set_font_name(formats.cell, kWorkbookFontName);

    for (lxw_format **format : { &formats.titleRow, &formats.title }) {
        *format = workbook_add_format(workbook);
        format_set_font_name(*format, kWorkbookFontName);
        format_set_font_size(*format, kTitlePoints);
        format_set_align(*format, LXW_ALIGN_CENTER);
        format_set_align(*format, LXW_ALIGN_VERTICAL_CENTER);
    }
    format_set_num_format(formats.title, kTextFormat);
    return formats;
}

// Columns, row heights and the cells of one sheet; row 1 is left to the caller
// apart from its height and format.
lxw_error fillSheet(
    lxw_worksheet *target, const Worksheet &sheet, Worksheet::Sheet which, const Formats &formats)
{
    lxw_error status = LXW_NO_ERROR;
    const auto keep = [&status](lxw_error result) {
        if (status == LXW_NO_ERROR)
            status = result;
    };
    // Spreadsheet programs measure a character by their own default face, so
    // the columns may come out wider than a page; printing scales them to one.
    worksheet_set_paper(target, kPaperA4);
    worksheet_set_portrait(target);
    worksheet_fit_to_pages(target, 1, 0);

    const int columns = sheet.columns();
    const double width = roundHalfEven(kLineCharacters / columns);
    for (int column = 0; column < columns; ++column)
        keep(worksheet_set_column(
            target, lxw_col_t(column), lxw_col_t(column), width, formats.cell));
    keep(worksheet_set_row(target, 0, kTitleRowPoints, formats.titleRow));
    for (int row = 0; row < sheet.rowCount(); ++row) {
        const auto targetRow = lxw_row_t(row + 1);
        keep(worksheet_set_row(target, targetRow, kRowPoints, nullptr));
        for (int column = 0; column < columns; ++column) {
            const QString text = sheet.cell(which, row, column);
            // An empty string would still be a cell; the unfilled end of the
            // last row has none.
            if (!text.isEmpty())
                keep(worksheet_write_string(
                    target, targetRow, lxw_col_t(column), text.toUtf8().constData(), formats.cell));
        }
    }
    return status;
}

// The question worksheet and the answer worksheet of one sheet.
lxw_error addSheet(lxw_workbook *workbook, const TitledSheet &entry, const Formats &formats)
{
    const Worksheet &sheet = entry.sheet;
    const QByteArray titleText = entry.title.toUtf8();
    const QByteArray questionsName = sheet.number().toUtf8();
    const QByteArray answersName = (sheet.number() + u"(答案)"_s).toUtf8();
    lxw_error status = LXW_NO_ERROR;
    for (const QByteArray &name : { questionsName, answersName }) {
        if (status == LXW_NO_ERROR)
            status = workbook_validate_sheet_name(workbook, name.constData());
    }
    if (status != LXW_NO_ERROR)
        return status;
    lxw_worksheet *questions = workbook_add_worksheet(workbook, questionsName.constData());
    lxw_worksheet *answers = workbook_add_worksheet(workbook, answersName.constData());
    status = fillSheet(questions, sheet, Worksheet::Sheet::Questions, formats);
    if (status == LXW_NO_ERROR) {
        const auto lastColumn = lxw_col_t(sheet.columns() - 1);
        status = lastColumn > 0
            ? worksheet_merge_range(
                questions, 0, 0, 0, lastColumn, titleText.constData(), formats.title)
            : worksheet_write_string(questions, 0, 0, titleText.constData(), formats.title);
    }
    if (status == LXW_NO_ERROR)
        status = fillSheet(answers, sheet, Worksheet::Sheet::Answers, formats);
    // The answer sheet's row 1 is one empty cell with the title's format.
    if (status == LXW_NO_ERROR)
        status = worksheet_write_blank(answers, 0, 0, formats.title);
    return status;
}

// None when progress stopped it.
std::optional<lxw_error> buildWorkbook(
    const QList<TitledSheet> &sheets, const QByteArray &fileName, const ProgressCallback &progress)
{
    lxw_workbook *workbook = workbook_new(fileName.constData());
    if (!workbook)
        return LXW_ERROR_CREATING_XLSX_FILE;

    QByteArray titleText = sheets.isEmpty() ? QByteArray() : sheets.first().title.toUtf8();
    lxw_doc_properties properties = {};
    properties.title = titleText.data();
    lxw_error status = workbook_set_properties(workbook, &properties);

    const Formats formats = addFormats(workbook);
    const int total = int(sheets.size()) + 1;
    int done = 0;
    for (const TitledSheet &entry : sheets) {
        if (status == LXW_NO_ERROR)
            status = addSheet(workbook, entry, formats);
        if (progress && !progress(++done, total)) {
            // Freed without packing what nobody will read.
            lxw_workbook_free(workbook);
            return std::nullopt;
        }
    }
    // Closing writes the file and frees the workbook; after an earlier failure
    // the file is thrown away, so only that failure counts.
    const lxw_error closed = workbook_close(workbook);
    if (progress && !progress(++done, total))
        return std::nullopt;
    return status != LXW_NO_ERROR ? status : closed;
}

} // namespace

bool writeSheetWorkbook(
    const Worksheet &sheet, const QString &title, const QString &path, QString *error)
{
    return writeSheetWorkbook(QList<TitledSheet> { { sheet, title } }, path, error);
}

bool writeSheetWorkbook(const QList<TitledSheet> &sheets, const QString &path, QString *error,
    const ProgressCallback &progress)
{
    return writeXlsxFile(path, error, [&](const QByteArray &fileName) -> std::optional<int> {
        const std::optional<lxw_error> status = buildWorkbook(sheets, fileName, progress);
        return status ? std::optional<int>(int(*status)) : std::nullopt;
    });
}

bool writeXlsxFile(const QString &path, QString *error,
    const std::function<std::optional<int>(const QByteArray &fileName)> &build)
{
    OutputFile file(path);
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = u"无法写入“%1”：%2"_s.arg(QDir::toNativeSeparators(path), reason);
        return false;
    };
    const auto failed = [&] {
        if (error)
            *error = file.errorText();
        return false;
    };
    if (!file.open())
        return failed();

    // libxlsxwriter writes only to a file of its own naming. It writes into a
    // private folder, and the result reaches the target through the save
    // file, which renames itself into place once it is complete.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return fail(u"无法建立临时文件夹"_s);
    const QString built = scratch.filePath(u"sheet.xlsx"_s);
    const std::optional<int> status = build(QFile::encodeName(built));
    if (!status) {
        // The save file is dropped unwritten with file.
        if (error)
            error->clear();
        return false;
    }
    if (*status != LXW_NO_ERROR)
        return fail(u"生成工作簿时出错（错误代码 %1）"_s.arg(*status));

    QFile workbook(built);
    if (!workbook.open(QIODevice::ReadOnly))
        return fail(fileFailureReason(workbook));
    const QByteArray bytes = workbook.readAll();
    file.device()->write(bytes);
    return file.commit() || failed();
}
