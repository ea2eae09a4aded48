#pragma once

#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "store/database.h"
#include "store/settings.h"
#include "quiz/testsession.h"

#include <QDateTime>

// `count` marked tests of one question each, oldest first, a second apart, taken as the test
// window takes them, for where only how many there are counts (pruning); `first` numbers them
// apart from the tests of an earlier call. Tests with more to them go through TestData::store.
inline void storeTests(Database &db, int count, int first = 0)
{
    SeededRandom rnd(17);
    Settings settings(db, rnd);
    QuestionMaker maker(rnd);
    const QDateTime start(QDate(2026, 1, 1), QTime(8, 0));
    for (int i = first; i < first + count; ++i) {
        TestSession session(db, settings);
        session.generate(maker, 1, 1, 1, start.addSecs(i));
        session.confirm();
        session.recordAnswer(0, session.items().at(0).answer);
        session.mark();
    }
}

inline qint64 countRows(Database &db, const char *sql)
{
    Statement count = db.prepare(sql);
    count.next();
    return count.integer(0);
}
