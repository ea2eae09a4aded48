#include "gradebook.h"

#include "quiz/testrecords.h"
#include "worksheet/recordnumbers.h"
#include "worksheet/sheetworkbook.h"

#include <QDate>
#include <QHash>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

Gradebook Gradebook::of(Database &db, const QString &className)
{
    Gradebook book;
    book.pupils = childlist::ofClass(db, className);
    struct Column
    {
        QDate day;
        QString heading;
    };
    QList<Column> columns;
    QList<QHash<QString, QString>> scores; // per pupil, by heading
    QList<QHash<QString, std::pair<qint64, qint64>>> byType; // right and count per type
    for (const Child &pupil : std::as_const(book.pupils)) {
        QHash<QString, QString> score;
        QHash<QString, std::pair<qint64, qint64>> types;
        // Oldest first, so that a later test of the same column is the one shown.
        QList<TestRecord> records = listTestRecords(db, pupil.id);
        std::reverse(records.begin(), records.end());
        for (const TestRecord &record : std::as_const(records)) {
            if (record.marked.value_or(0) != 1 || !record.count || !record.right)
                continue;
            const QDate day = recordnumbers::madeAt(record.number).date();
            const QString heading
                = u"%1 %2 %3"_s.arg(day.isValid() ? day.toString(u"M月d日"_s) : u"—"_s,
                    record.typeName, record.levelName);
            if (std::none_of(columns.begin(), columns.end(),
                    [&](const Column &c) { return c.heading == heading; }))
                columns.append({ day, heading });
            score.insert(heading, u"%1/%2"_s.arg(*record.right).arg(*record.count));
            auto &[right, count] = types[record.typeName];
            right += *record.right;
            count += *record.count;
            if (!book.types.contains(record.typeName))
                book.types << record.typeName;
        }
        scores << score;
        byType << types;
    }
    std::stable_sort(columns.begin(), columns.end(),
        [](const Column &a, const Column &b) { return a.day < b.day; });
    for (const Column &column : std::as_const(columns))
        book.columns << column.heading;
    for (qsizetype p = 0; p < book.pupils.size(); ++p) {
        QStringList row;
        for (const QString &heading : std::as_const(book.columns))
            row << scores[p].value(heading);
        book.scores << row;
        QList<std::optional<int>> percents;
        for (const QString &type : std::as_const(book.types)) {
            const auto found = byType[p].constFind(type);
            percents << (found == byType[p].cend() || found->second == 0
                    ? std::nullopt
                    : std::optional<int>(int(std::lround(100.0 * found->first / found->second))));
        }
        book.percentRight << percents;
    }
    return book;
}

bool Gradebook::write(const QString &path, QString *error) const
{
    return writeXlsxFile(path, error, [this](const QByteArray &fileName) -> std::optional<int> {
        lxw_workbook *workbook = workbook_new(fileName.constData());
        if (!workbook)
            return int(LXW_ERROR_CREATING_XLSX_FILE);
        lxw_format *text = workbook_add_format(workbook);
        format_set_num_format(text, "@");
        format_set_font_name(text, kWorkbookFontName);
        lxw_error status = LXW_NO_ERROR;
        const auto keep = [&status](lxw_error result) {
            if (status == LXW_NO_ERROR)
                status = result;
        };
        const auto put = [&](lxw_worksheet *sheet, int row, int column, const QString &value) {
            if (!value.isEmpty())
                keep(worksheet_write_string(
                    sheet, lxw_row_t(row), lxw_col_t(column), value.toUtf8().constData(), text));
        };
        lxw_worksheet *results = workbook_add_worksheet(workbook, "成绩");
        lxw_worksheet *shares = workbook_add_worksheet(workbook, "各题型正确率");
        put(results, 0, 0, u"姓名"_s);
        put(shares, 0, 0, u"姓名"_s);
        keep(worksheet_set_column(results, 0, 0, 12, nullptr));
        keep(worksheet_set_column(
            results, 1, lxw_col_t(std::max<qsizetype>(columns.size(), 1)), 18, nullptr));
        keep(worksheet_set_column(shares, 0, lxw_col_t(types.size()), 12, nullptr));
        for (qsizetype c = 0; c < columns.size(); ++c)
            put(results, 0, int(c + 1), columns[c]);
        for (qsizetype t = 0; t < types.size(); ++t)
            put(shares, 0, int(t + 1), types[t] + u"（%）"_s);
        for (qsizetype p = 0; p < pupils.size(); ++p) {
            const int row = int(p + 1);
            put(results, row, 0, pupils[p].name);
            put(shares, row, 0, pupils[p].name);
            for (qsizetype c = 0; c < columns.size(); ++c)
                put(results, row, int(c + 1), scores[p][c]);
            for (qsizetype t = 0; t < types.size(); ++t) {
                if (const std::optional<int> percent = percentRight[p][t])
                    keep(worksheet_write_number(
                        shares, lxw_row_t(row), lxw_col_t(t + 1), *percent, nullptr));
            }
        }
        const lxw_error closed = workbook_close(workbook);
        return int(status != LXW_NO_ERROR ? status : closed);
    });
}
