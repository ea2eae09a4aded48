#include "sheetmarking.h"

#include "testrecords.h"
#include "testsession.h"

#include "store/database.h"
#include "worksheet/scannablesheet.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

Verdict verdictOf(const ScanRoom &room, const ReadAnswer &answer)
{
    if (!answer.sure || answer.digits.isEmpty())
        return Verdict::Unsure;
    return answersMatch(answer.digits, room.answer) ? Verdict::Right : Verdict::Wrong;
}

QString nothingWritten()
{
    return u"—"_s;
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

namespace {

QString pageList(const QList<int> &pages)
{
    QStringList numbers;
    for (const int page : pages)
        numbers << QString::number(page);
    return u"第 %1 页"_s.arg(numbers.join(u"、"_s));
}

} // namespace

QString storedSheetSummary(const ScannableSheet &sheet, const StoredSheet &stored)
{
    const int count = int(sheet.rooms.size());
    QString text;
    switch (stored.outcome) {
    case StoredSheet::Outcome::Marked:
        text = u"卷子 %1：%2 题，对 %3 题，错 %4 题，已批改，错题记进了错题本。"_s.arg(sheet.number)
                   .arg(count)
                   .arg(count - stored.wrong)
                   .arg(stored.wrong);
        break;
    case StoredSheet::Outcome::Unfinished:
        if (!stored.pagesToCome.isEmpty()) {
            text = u"卷子 %1：%2 的答案已经存下，%3还没有批改：拍下来再批改一次。"_s.arg(
                sheet.number, pageList(stored.pagesRead), pageList(stored.pagesToCome));
        }
        if (stored.unsure > 0) {
            text += u"卷子 %1：%2 题没认清，已存为未完成的测试：在【测试成绩】里选中它，按【答题】"
                    "补上这几题，再交卷。"_s.arg(sheet.number)
                        .arg(stored.unsure);
        }
        break;
    case StoredSheet::Outcome::AlreadyStored:
        if (stored.pagesReadBefore.isEmpty())
            return u"卷子 %1 已经交卷批改过，没有再存。"_s.arg(sheet.number);
        break;
    }
    if (!stored.pagesReadBefore.isEmpty()) {
        text += u"卷子 %1 %2已经批改过，这次没有再存。"_s.arg(
            sheet.number, pageList(stored.pagesReadBefore));
    }
    return text;
}

StoredSheet storeReadSheet(Database &db, Settings &settings, const ScannableSheet &sheet,
    const QList<int> &pages, const QMap<int, ReadAnswer> &answers, std::optional<qint64> child)
{
    StoredSheet stored;
    // Taken at once, so that a second marking of the same photos waits for this one and then
    // finds its pages read.
    Transaction transaction(db);
    const std::optional<TestRecord> record = findTestRecord(db, sheet.number);
    if (record && record->marked.value_or(0) == 1) {
        stored.pagesReadBefore = pages;
        return stored;
    }
    const QList<int> before = scannablesheets::pagesRead(db, sheet.number);
    for (const int page : pages)
        (before.contains(page) ? stored.pagesReadBefore : stored.pagesRead) << page;
    if (stored.pagesRead.isEmpty())
        return stored;

    TestSession session(db, settings);
    if (!record || !session.resume(sheet.number)) {
        QList<TestItem> items;
        for (const ScanRoom &room : sheet.rooms) {
            TestItem item;
            item.position = room.position;
            item.question = room.question;
            item.answer = room.answer;
            items << item;
        }
        session.takeSheet(sheet.number, sheet.typeName, sheet.levelName, items);
        // A named copy is its pupil's, whoever the photos were marked for.
        if (sheet.child || child)
            session.setChild(sheet.child ? *sheet.child : *child);
        session.confirm();
    }
    const auto indexOf = [&session](int position) {
        const QList<TestItem> &items = session.items();
        const auto item = std::find_if(items.cbegin(), items.cend(),
            [position](const TestItem &i) { return i.position == position; });
        return item == items.cend() ? -1 : int(item - items.cbegin());
    };
    for (const ScanRoom &room : sheet.rooms) {
        const ReadAnswer answer = answers.value(room.position);
        if (stored.pagesRead.contains(room.page) && verdictOf(room, answer) != Verdict::Unsure)
            session.recordAnswer(indexOf(room.position), answer.digits);
    }
    scannablesheets::markPagesRead(db, sheet.number, stored.pagesRead);
    for (int page = 1; page <= sheet.pageCount(); ++page) {
        if (!before.contains(page) && !stored.pagesRead.contains(page))
            stored.pagesToCome << page;
    }
    for (const ScanRoom &room : sheet.rooms) {
        const int index = indexOf(room.position);
        if (!stored.pagesToCome.contains(room.page) && index >= 0
            && !session.items().at(index).isAnswered())
            ++stored.unsure;
    }
    if (stored.unsure > 0 || !stored.pagesToCome.isEmpty()) {
        stored.outcome = StoredSheet::Outcome::Unfinished;
    } else {
        stored.wrong = session.mark().wrong;
        stored.outcome = StoredSheet::Outcome::Marked;
    }
    transaction.commit();
    return stored;
}
