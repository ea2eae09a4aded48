#include "scannablesheet.h"

#include "store/database.h"

int ScannableSheet::pageCount() const
{
    int pages = 0;
    for (const ScanRoom &room : rooms)
        pages = std::max(pages, room.page);
    return pages;
}

namespace scannablesheets {

void store(Database &db, const ScannableSheet &sheet)
{
    Transaction transaction(db);
    Statement clear = db.prepare("DELETE FROM tab_scan WHERE scan_bh = ?");
    clear.bind(1, sheet.number).run();
    Statement insert = db.prepare(
        "INSERT INTO tab_scan (scan_bh, scan_txmc, scan_ndmc, scan_xh, scan_ym, scan_mc,"
        " scan_daan, scan_tx, scan_nd, scan_x, scan_y, scan_w, scan_h)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const ScanRoom &room : sheet.rooms) {
        insert.bind(1, sheet.number).bind(2, sheet.typeName).bind(3, sheet.levelName);
        insert.bind(4, room.position).bind(5, room.page).bind(6, room.question);
        insert.bind(7, room.answer).bind(8, room.type).bind(9, room.level);
        insert.bind(10, room.room.x()).bind(11, room.room.y());
        insert.bind(12, room.room.width()).bind(13, room.room.height());
        insert.run();
        insert.reset();
    }
    transaction.commit();
}

std::optional<ScannableSheet> find(Database &db, const QString &number)
{
    Statement query = db.prepare(
        "SELECT scan_txmc, scan_ndmc, scan_xh, scan_ym, scan_mc, scan_daan, scan_x, scan_y,"
        " scan_w, scan_h, scan_tx, scan_nd FROM tab_scan WHERE scan_bh = ? ORDER BY scan_xh");
    query.bind(1, number);
    ScannableSheet sheet { number, {}, {}, {} };
    while (query.next()) {
        sheet.typeName = query.text(0);
        sheet.levelName = query.text(1);
        sheet.rooms.append({ int(query.integer(2)), int(query.integer(3)), query.text(4),
            query.text(5), QRectF(query.real(6), query.real(7), query.real(8), query.real(9)),
            qint16(query.integer(10)), qint16(query.integer(11)) });
    }
    if (sheet.rooms.isEmpty())
        return std::nullopt;
    return sheet;
}

} // namespace scannablesheets
