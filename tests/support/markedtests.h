#pragma once

#include "generate/questionmaker.h"
#include "shell/appcontext.h"
#include "test/testsession.h"

#include <QDateTime>
#include <QString>

#include <algorithm>

// Takes and marks a test the way the test window does: `count` questions of the type and
// level made at `moment`, the first `wrong` of them answered wrong, `seconds` on the clock.
// Returns the test's number.
inline QString storeMarkedTest(AppContext &context, QuestionMaker &maker, qint16 type, qint16 level,
    int count, int wrong, int seconds, const QDateTime &moment)
{
    TestSession session(context.database(), context.settings());
    session.generate(maker, type, level, count, moment);
    session.confirm();
    for (int i = 0; i < count; ++i) {
        const QString answer = session.items().at(i).answer;
        session.recordAnswer(i, i < wrong ? answer + QStringLiteral("7") : answer);
    }
    session.setElapsed(seconds);
    session.mark();
    return session.number();
}

// The same test left unfinished after answering its first question.
inline QString storeUnfinishedTest(AppContext &context, QuestionMaker &maker, qint16 type,
    qint16 level, int count, const QDateTime &moment)
{
    TestSession session(context.database(), context.settings());
    session.generate(maker, type, level, count, moment);
    session.confirm();
    session.recordAnswer(0, session.items().at(0).answer);
    session.setElapsed(std::min(count, 30));
    session.leave();
    return session.number();
}
