#include "scannablesheet.h"

#include "store/database.h"

#include <QCryptographicHash>
#include <QtEndian>

using namespace Qt::Literals::StringLiterals;

int ScannableSheet::pageCount() const
{
    int pages = 0;
    for (const ScanRoom &room : rooms)
        pages = std::max(pages, room.page);
    return pages;
}

QString ScannableSheet::pageCheck(int installationNumber, int page) const
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QStringList parts { QString::number(installationNumber), number, QString::number(page) };
    for (const ScanRoom &room : rooms) {
        if (room.page == page)
            parts << QString::number(room.position) << room.question << room.answer;
    }
    hash.addData(parts.join(u'\n').toUtf8());
    const quint64 head = qFromBigEndian<quint64>(hash.resultView().data());
    return u"%1"_s.arg(head % 10'000'000U, 7, 10, QChar(u'0'));
}

namespace scannablesheets {

void store(Database &db, const ScannableSheet &sheet)
{
    Transaction transaction(db);
    Statement insert = db.prepare(
        "INSERT INTO tab_scan (scan_bh, scan_txmc, scan_ndmc, scan_xh, scan_ym, scan_mc,"
        " scan_daan, scan_tx, scan_nd, scan_x, scan_y, scan_w, scan_h, scan_child)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const ScanRoom &room : sheet.rooms) {
        insert.bind(1, sheet.number).bind(2, sheet.typeName).bind(3, sheet.levelName);
        insert.bind(4, room.position).bind(5, room.page).bind(6, room.question);
        insert.bind(7, room.answer).bind(8, room.type).bind(9, room.level);
        insert.bind(10, room.room.x()).bind(11, room.room.y());
        insert.bind(12, room.room.width()).bind(13, room.room.height());
        if (sheet.child)
            insert.bind(14, *sheet.child);
        else
            insert.bindNull(14);
        insert.run();
        insert.reset();
    }
    transaction.commit();
}

std::optional<ScannableSheet> find(Database &db, const QString &number)
{
    Statement query = db.prepare(
        "SELECT scan_txmc, scan_ndmc, scan_xh, scan_ym, scan_mc, scan_daan, scan_x, scan_y,"
        " scan_w, scan_h, scan_tx, scan_nd, scan_child FROM tab_scan WHERE scan_bh = ?"
        " ORDER BY scan_xh");
    query.bind(1, number);
    ScannableSheet sheet { number, {}, {}, {} };
    while (query.next()) {
        sheet.typeName = query.text(0);
        sheet.levelName = query.text(1);
        sheet.rooms.append({ int(query.integer(2)), int(query.integer(3)), query.text(4),
            query.text(5), QRectF(query.real(6), query.real(7), query.real(8), query.real(9)),
            qint16(query.integer(10)), qint16(query.integer(11)) });
        if (!query.isNull(12))
            sheet.child = query.integer(12);
    }
    if (sheet.rooms.isEmpty())
        return std::nullopt;
    return sheet;
}

QList<int> pagesRead(Database &db, const QString &number)
{
    Statement query = db.prepare("SELECT ym_ym FROM tab_scan_ym WHERE ym_bh = ? ORDER BY ym_ym");
    query.bind(1, number);
    QList<int> pages;
    while (query.next())
        pages << int(query.integer(0));
    return pages;
}

void markPagesRead(Database &db, const QString &number, const QList<int> &pages)
{
    Statement insert = db.prepare("INSERT INTO tab_scan_ym (ym_bh, ym_ym) VALUES (?, ?)");
    for (const int page : pages) {
        insert.bind(1, number).bind(2, page);
        insert.run();
        insert.reset();
    }
}

} // namespace scannablesheets
