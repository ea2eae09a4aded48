#pragma once

#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "program/appcontext.h"
#include "store/database.h"
#include "store/settings.h"
#include "quiz/testrecords.h"
#include "quiz/testsession.h"

#include <QDateTime>
#include <QList>
#include <QTemporaryDir>

// A test as the test window takes it: `count` questions of the type and level made at
// `moment`; every question answered, the rows in `wrong` wrong, and marked; or, with
// `answered` set, the first `answered` questions answered right and the test left.
struct TakenTest
{
    qint16 type = 1;
    qint16 level = 1;
    int count = 10;
    QList<int> wrong {};
    int seconds = 60;
    QDateTime moment = QDateTime(QDate(2026, 3, 2), QTime(8, 0));
    std::optional<int> answered {};
    BlankPlace blank = BlankPlace::None;
};

// A fresh data file, opened as the program opens it, and a seeded question maker.
struct TestData
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("QRTA.dat"));
    std::unique_ptr<AppContext> context = AppContext::open(path);
    SeededRandom rnd { 17 };
    QuestionMaker maker { rnd };

    Database &db() { return context->database(); }
    Settings &settings() { return context->settings(); }

    // Stores the test and returns its number.
    QString store(const TakenTest &t)
    {
        TestSession session(db(), settings());
        session.generate(maker, { t.type, t.level, CarryKind::Any, t.blank }, t.count, t.moment);
        session.confirm();
        const int answered = t.answered.value_or(t.count);
        for (int i = 0; i < answered; ++i) {
            const QString answer = session.items().at(i).answer;
            session.recordAnswer(i, t.wrong.contains(i) ? answer + QStringLiteral("7") : answer);
        }
        session.setElapsed(t.seconds);
        if (t.answered)
            session.leave();
        else
            session.mark();
        return session.number();
    }

    // What the file holds as the answer to the question at `row`, in question order.
    QString storedAnswer(const QString &number, int row)
    {
        return loadTestItems(db(), number, ItemOrder::Question).at(row).userAnswer;
    }
};
