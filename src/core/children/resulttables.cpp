#include "resulttables.h"

#include "worksheet/sheetworkbook.h"

#include <xlsxwriter.h>

bool writeResultTables(const QList<ResultTable> &tables, const QString &path, QString *error)
{
    return writeXlsxFile(path, error, [&tables](const QByteArray &fileName) -> std::optional<int> {
        lxw_workbook *workbook = workbook_new(fileName.constData());
        if (!workbook)
            return int(LXW_ERROR_CREATING_XLSX_FILE);
        lxw_format *text = workbook_add_format(workbook);
        format_set_num_format(text, "@");
        format_set_font_name(text, kWorkbookFontName);
        lxw_format *number = workbook_add_format(workbook);
        format_set_font_name(number, kWorkbookFontName);
        lxw_error status = LXW_NO_ERROR;
        const auto keep = [&status](lxw_error result) {
            if (status == LXW_NO_ERROR)
                status = result;
        };
        for (const ResultTable &table : tables) {
            lxw_worksheet *sheet
                = workbook_add_worksheet(workbook, table.name.toUtf8().constData());
            if (!sheet) {
                keep(LXW_ERROR_PARAMETER_VALIDATION);
                break;
            }
            qsizetype columns = 1;
            for (const QVariantList &row : table.rows)
                columns = std::max(columns, row.size());
            for (qsizetype c = 0; c < table.widths.size() && c < columns; ++c) {
                const lxw_col_t last = lxw_col_t(c + 1 == table.widths.size() ? columns - 1 : c);
                keep(worksheet_set_column(sheet, lxw_col_t(c), last, table.widths[c], nullptr));
            }
            for (qsizetype r = 0; r < table.rows.size(); ++r) {
                for (qsizetype c = 0; c < table.rows[r].size(); ++c) {
                    const QVariant &cell = table.rows[r][c];
                    const auto row = lxw_row_t(r);
                    const auto column = lxw_col_t(c);
                    if (cell.typeId() == QMetaType::QString) {
                        if (const QString value = cell.toString(); !value.isEmpty())
                            keep(worksheet_write_string(
                                sheet, row, column, value.toUtf8().constData(), text));
                    } else if (cell.isValid() && !cell.isNull()) {
                        keep(worksheet_write_number(sheet, row, column, cell.toDouble(), number));
                    }
                }
            }
        }
        const lxw_error closed = workbook_close(workbook);
        return int(status != LXW_NO_ERROR ? status : closed);
    });
}
