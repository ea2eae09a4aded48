#include "sheetmarking.h"

#include "testrecords.h"
#include "testsession.h"

#include "worksheet/scannablesheet.h"

using namespace Qt::Literals::StringLiterals;

Verdict verdictOf(const ScanRoom &room, const ReadAnswer &answer)
{
    if (!answer.sure || answer.digits.isEmpty())
        return Verdict::Unsure;
    return answersMatch(answer.digits, room.answer) ? Verdict::Right : Verdict::Wrong;
}

QString verdictWord(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Right:
        return u"right"_s;
    case Verdict::Wrong:
        return u"wrong"_s;
    case Verdict::Unsure:
        break;
    }
    return u"unsure"_s;
}

QString storedSheetSummary(const ScannableSheet &sheet, const StoredSheet &stored)
{
    const int count = int(sheet.rooms.size());
    switch (stored.outcome) {
    case StoredSheet::Outcome::Marked:
        return u"卷子 %1：%2 题，对 %3 题，错 %4 题，已批改，错题记进了错题本。"_s.arg(sheet.number)
            .arg(count)
            .arg(count - stored.wrong)
            .arg(stored.wrong);
    case StoredSheet::Outcome::Unfinished:
        return u"卷子 %1：%2 题没认清，已存为未完成的测试：在【测试成绩】里选中它，按【答题】"
               "补上这几题，再交卷。"_s.arg(sheet.number)
                   .arg(stored.unsure);
    case StoredSheet::Outcome::AlreadyStored:
        break;
    }
    return u"卷子 %1 已经批改过（或已存为未完成的测试），没有再存。"_s.arg(sheet.number);
}

StoredSheet storeReadSheet(Database &db, Settings &settings, const ScannableSheet &sheet,
    const QMap<int, ReadAnswer> &answers, const QDateTime &now)
{
    StoredSheet stored;
    if (findTestRecord(db, sheet.number))
        return stored;
    QList<TestItem> items;
    for (const ScanRoom &room : sheet.rooms) {
        TestItem item;
        item.position = room.position;
        item.question = room.question;
        item.answer = room.answer;
        items << item;
    }
    TestSession session(db, settings);
    session.takeSheet(sheet.number, sheet.typeName, sheet.levelName, items, now);
    session.confirm();
    for (qsizetype i = 0; i < sheet.rooms.size(); ++i) {
        const ReadAnswer answer = answers.value(sheet.rooms.at(i).position);
        if (verdictOf(sheet.rooms.at(i), answer) == Verdict::Unsure)
            ++stored.unsure;
        else
            session.recordAnswer(int(i), answer.digits);
    }
    if (stored.unsure > 0) {
        stored.outcome = StoredSheet::Outcome::Unfinished;
        return stored;
    }
    stored.wrong = session.mark().wrong;
    stored.outcome = StoredSheet::Outcome::Marked;
    return stored;
}
