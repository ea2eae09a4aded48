#include "testrecords.h"

#include "children/childlist.h"
#include "store/database.h"

namespace {

std::optional<qint64> optionalInteger(const Statement &row, int column)
{
    return row.isNull(column) ? std::nullopt : std::optional<qint64>(row.integer(column));
}

TestRecord recordOf(const Statement &row)
{
    TestRecord record;
    record.id = row.integer(0);
    record.number = row.text(1);
    record.typeName = row.text(2);
    record.levelName = row.text(3);
    record.count = optionalInteger(row, 4);
    record.elapsed = optionalInteger(row, 5);
    record.right = optionalInteger(row, 6);
    record.wrong = optionalInteger(row, 7);
    record.timeText = row.text(8);
    record.marked = optionalInteger(row, 9);
    record.child = row.integer(10);
    return record;
}

} // namespace

QList<TestRecord> listTestRecords(Database &db, std::optional<qint64> child)
{
    Statement select = db.prepare("SELECT id, bh, tx, nd, ts, js, zqs, cws, sj, zt, test_child"
                                  " FROM tab_test WHERE test_child = ? ORDER BY id DESC");
    select.bind(1, child.value_or(childlist::first(db).id));
    QList<TestRecord> records;
    while (select.next())
        records << recordOf(select);
    return records;
}

std::optional<TestRecord> findTestRecord(Database &db, const QString &number)
{
    Statement select
        = db.prepare("SELECT id, bh, tx, nd, ts, js, zqs, cws, sj, zt, test_child FROM tab_test"
                     " WHERE bh = ?");
    select.bind(1, number);
    if (!select.next())
        return std::nullopt;
    return recordOf(select);
}

QList<TestItem> loadTestItems(Database &db, const QString &number, ItemOrder order)
{
    Statement select = db.prepare(order == ItemOrder::WrongFirst
            ? "SELECT mx_id, mx_xh, mx_mc, mx_daan, mx_user, mx_error FROM tab_test_mx"
              " WHERE mx_bh = ? ORDER BY mx_error DESC, mx_id"
            : "SELECT mx_id, mx_xh, mx_mc, mx_daan, mx_user, mx_error FROM tab_test_mx"
              " WHERE mx_bh = ? ORDER BY mx_id");
    select.bind(1, number);
    QList<TestItem> items;
    while (select.next()) {
        TestItem item;
        item.id = select.integer(0);
        item.position = int(select.integer(1));
        item.question = select.text(2);
        item.answer = select.text(3);
        item.userAnswer = select.text(4);
        if (!select.isNull(5))
            item.error = int(select.integer(5));
        items << item;
    }
    return items;
}
