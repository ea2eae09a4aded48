#include "recordnumbers.h"

#include "formatstamp.h"

#include "store/database.h"

using namespace Qt::Literals::StringLiterals;

namespace recordnumbers {

bool isTaken(Database &db, const QString &number)
{
    Statement query = db.prepare("SELECT EXISTS (SELECT 1 FROM tab_test WHERE bh = ?)"
                                 " OR EXISTS (SELECT 1 FROM tab_scan WHERE scan_bh = ?)");
    query.bind(1, number).bind(2, number);
    return query.next() && query.integer(0) != 0;
}

QDateTime madeAt(const QString &number)
{
    return QDateTime::fromString(number.section(u'_', -1), u"yyyyMMddHHmmss"_s);
}

QString firstFree(Database &db, const QString &number)
{
    if (!isTaken(db, number))
        return number;
    const qsizetype cut = number.lastIndexOf(u'_') + 1;
    const QString kind = number.left(cut);
    // Counted as if in UTC: a local clock's missing or doubled hour must not stop the count.
    QDateTime moment = madeAt(number);
    moment.setTimeSpec(Qt::UTC);
    if (!moment.isValid())
        return number;
    QString candidate;
    do {
        moment = moment.addSecs(1);
        candidate = kind + formatStamp(moment, 0, false);
    } while (isTaken(db, candidate));
    return candidate;
}

} // namespace recordnumbers
