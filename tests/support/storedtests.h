#pragma once

#include "store/database.h"

#include <QString>

// Rows of `count` finished tests in tab_test, each with one item, oldest first, written
// straight into the file where only their number counts (pruning); `first` numbers them
// apart from the tests of an earlier call. Tests that are taken go through TestData::store.
inline void storeTests(Database &db, int count, int first = 0)
{
    Transaction transaction(db);
    Statement test = db.prepare("INSERT INTO tab_test (bh, tx, nd, ts, js, zqs, cws, sj, zt)"
                                " VALUES (?, 'A + B', '一级', 10, 60, 10, 0, '1分', 1)");
    Statement item = db.prepare("INSERT INTO tab_test_mx (mx_bh, mx_xh, mx_mc, mx_daan)"
                                " VALUES (?, 1, '1 ＋ 1 ＝', '2')");
    for (int i = first; i < first + count; ++i) {
        const QString number = QStringLiteral("01_1_10_2026%1").arg(i, 10, 10, QLatin1Char('0'));
        test.bind(1, number);
        test.run();
        test.reset();
        item.bind(1, number);
        item.run();
        item.reset();
    }
    transaction.commit();
}

inline qint64 countRows(Database &db, const char *sql)
{
    Statement count = db.prepare(sql);
    count.next();
    return count.integer(0);
}
