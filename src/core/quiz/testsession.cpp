#include "testsession.h"

#include "worksheet/scannablesheet.h"

#include "worksheet/formatstamp.h"
#include "worksheet/recordnumbers.h"
#include "generate/catalogue.h"
#include "generate/questionmaker.h"
#include "children/childlist.h"
#include "store/database.h"
#include "store/settings.h"
#include "mistakebook.h"
#include "testrecords.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

TestSession::TestSession(Database &db, Settings &settings)
    : m_db(db)
    , m_settings(settings)
{ }

void TestSession::begin(Origin origin, const QString &number, const QList<TestItem> &items)
{
    m_origin = origin;
    m_number = number;
    m_items = items;
    m_sheetTypeName.clear();
    m_sheetLevelName.clear();
    m_formOfPosition.clear();
    m_elapsed = m_unsavedSeconds = 0;
    m_confirmed = m_marked = false;
    m_wrong = 0;
}

TestSession::State TestSession::state() const
{
    return !m_confirmed ? State::NotStarted : m_marked ? State::Marked : State::Running;
}

void TestSession::generate(
    QuestionMaker &maker, const QuestionForm &form, int count, const QDateTime &now)
{
    begin(Origin::Screen, recordNumber(form.type, form.level, count, now), {});
    m_type = form.type;
    m_level = form.level;
    for (int attempt = 1; attempt < 3 * count && m_items.size() < count; ++attempt) {
        m_items << testItemOf(maker.make(form), int(m_items.size()) + 1);
    }
}

QString TestSession::practiceName()
{
    return u"错题重练"_s;
}

QString TestSession::typeLabel(qint16 type)
{
    return type == 0 ? practiceName() : catalogue::typeLabel(type);
}

QString TestSession::label() const
{
    return m_origin == Origin::PhotographedSheet && m_type == 0 ? m_sheetTypeName
                                                                : typeLabel(m_type);
}

void TestSession::generatePractice(const QList<Mistake> &mistakes, const QDateTime &now)
{
    begin(Origin::Practice, recordNumber(0, 0, int(mistakes.size()), now), {});
    m_type = 0;
    m_level = 0;
    for (const Mistake &mistake : mistakes) {
        TestItem item;
        item.position = int(m_items.size()) + 1;
        item.question = mistake.question;
        item.answer = mistake.answer;
        m_items << item;
    }
}

void TestSession::takeSheet(const QString &number, const QString &typeName,
    const QString &levelName, const QList<TestItem> &items)
{
    begin(Origin::PhotographedSheet, number, items);
    m_type = qint16(catalogue::typeNames().indexOf(typeName) + 1);
    m_level = qint16(catalogue::levelNames().indexOf(levelName) + 1);
    m_sheetTypeName = typeName;
    m_sheetLevelName = levelName;
    rememberSheetForms();
}

void TestSession::confirm()
{
    Transaction transaction(m_db);
    // A photographed sheet keeps the number printed on it.
    if (m_origin != Origin::PhotographedSheet)
        m_number = recordnumbers::firstFree(m_db, m_number);
    // Only a test made on screen has a level and count of its own to remember.
    if (m_origin == Origin::Screen)
        m_settings.setTestChoices(m_type, TestChoices { m_level, int(m_items.size()) });

    Statement header
        = m_db.prepare("INSERT INTO tab_test (bh, tx, nd, ts, test_child) VALUES (?, ?, ?, ?, ?)");
    header.bind(1, m_number)
        .bind(2,
            m_origin == Origin::PhotographedSheet ? m_sheetTypeName
                : isPractice()                    ? practiceName()
                                                  : catalogue::typeName(m_type))
        .bind(3,
            m_origin == Origin::PhotographedSheet ? m_sheetLevelName
                                                  : catalogue::levelName(m_level))
        .bind(4, int(m_items.size()));
    if (!m_child)
        m_child = childlist::first(m_db).id;
    header.bind(5, *m_child);
    header.run();

    Statement insert = m_db.prepare("INSERT INTO tab_test_mx (mx_bh, mx_xh, mx_mc, mx_daan)"
                                    " VALUES (?, ?, ?, ?)");
    for (TestItem &item : m_items) {
        insert.bind(1, m_number).bind(2, item.position).bind(3, item.question).bind(4, item.answer);
        insert.run();
        insert.reset();
        item.id = m_db.lastInsertId();
    }
    transaction.commit();
    m_elapsed = m_unsavedSeconds = 0;
    m_confirmed = true;
}

bool TestSession::resume(const QString &number)
{
    const std::optional<TestRecord> record = findTestRecord(m_db, number);
    if (!record)
        return false;
    m_type = qint16(catalogue::typeNames().indexOf(record->typeName) + 1);
    m_level = qint16(catalogue::levelNames().indexOf(record->levelName) + 1);
    const bool practice = m_type == 0 && record->typeName == practiceName();
    begin(practice ? Origin::Practice : Origin::Screen, number,
        loadTestItems(m_db, number, ItemOrder::Question));
    m_elapsed = std::clamp(int(record->elapsed.value_or(0)), 0, kMaxSeconds);
    m_marked = record->marked.value_or(0) == 1;
    m_wrong = m_marked ? int(record->wrong.value_or(0)) : 0;
    m_confirmed = true;
    m_child = record->child;
    if (!practice && rememberSheetForms()) {
        m_origin = Origin::PhotographedSheet;
        m_sheetTypeName = record->typeName;
        m_sheetLevelName = record->levelName;
    }
    return true;
}

bool TestSession::rememberSheetForms()
{
    m_formOfPosition.clear();
    const std::optional<ScannableSheet> sheet = scannablesheets::find(m_db, m_number);
    if (!sheet)
        return false;
    for (const ScanRoom &room : sheet->rooms)
        m_formOfPosition.insert(room.position, { room.type, room.level });
    return true;
}

void TestSession::writeAnswer(const TestItem &item)
{
    Statement update = m_db.prepare("UPDATE tab_test_mx SET mx_user = ? WHERE mx_id = ?");
    if (item.userAnswer.isEmpty())
        update.bindNull(1);
    else
        update.bind(1, item.userAnswer);
    update.bind(2, item.id);
    update.run();
}

void TestSession::recordAnswer(int index, const QString &digits)
{
    if (index < 0 || index >= m_items.size())
        return;
    TestItem &item = m_items[index];
    item.userAnswer = digits;
    if (m_confirmed)
        writeAnswer(item); // a statement of its own is a transaction of its own
}

bool TestSession::tick()
{
    if (isPhotographed() || m_elapsed >= kMaxSeconds)
        return false;
    ++m_elapsed;
    ++m_unsavedSeconds;
    return m_elapsed < kMaxSeconds;
}

bool TestSession::clockSaveDue() const
{
    return m_unsavedSeconds > 0
        && (m_unsavedSeconds >= kSaveEverySeconds || m_elapsed >= kMaxSeconds);
}

void TestSession::setElapsed(int seconds)
{
    m_elapsed = std::clamp(seconds, 0, kMaxSeconds);
}

void TestSession::saveElapsed()
{
    if (!m_confirmed || isPhotographed())
        return;
    Statement update = m_db.prepare("UPDATE tab_test SET js = ? WHERE bh = ?");
    update.bind(1, m_elapsed).bind(2, m_number);
    update.run();
    m_unsavedSeconds = 0;
}

void TestSession::leave()
{
    if (!m_confirmed || m_marked)
        return;
    Transaction transaction(m_db);
    for (const TestItem &item : std::as_const(m_items))
        writeAnswer(item);
    saveElapsed();
    transaction.commit();
}

int TestSession::answeredCount() const
{
    return int(std::count_if(
        m_items.begin(), m_items.end(), [](const TestItem &item) { return item.isAnswered(); }));
}

int TestSession::firstUnanswered() const
{
    const auto open = std::find_if(
        m_items.begin(), m_items.end(), [](const TestItem &item) { return !item.isAnswered(); });
    return open == m_items.end() ? -1 : int(open - m_items.begin());
}

MarkResult TestSession::mark()
{
    MarkResult result;
    // Marked once: handed in again, its right answers would count twice towards the book.
    if (!m_confirmed || m_marked || firstUnanswered() >= 0)
        return result;

    Transaction transaction(m_db);
    Statement update
        = m_db.prepare("UPDATE tab_test_mx SET mx_user = ?, mx_error = ? WHERE mx_id = ?");
    for (TestItem &item : m_items) {
        item.error = answersMatch(item.userAnswer, item.answer) ? 0 : 1;
        update.bind(1, item.userAnswer).bind(2, *item.error).bind(3, item.id);
        update.run();
        update.reset();
        result.wrong += *item.error;
    }
    Statement header = m_db.prepare(
        "UPDATE tab_test SET zqs = ts - ?, cws = ?, sj = ?, zt = 1, js = ? WHERE bh = ?");
    header.bind(1, result.wrong).bind(2, result.wrong).bind(5, m_number);
    if (isPhotographed()) {
        header.bindNull(3).bindNull(4);
    } else {
        result.timeText = elapsedText(m_elapsed);
        header.bind(3, result.timeText).bind(4, m_elapsed);
    }
    header.run();
    const QDateTime now = QDateTime::currentDateTime();
    if (m_formOfPosition.isEmpty()) {
        MistakeBook(m_db, m_child).recordMarked(m_items, m_type, m_level, now);
    } else {
        for (const TestItem &item : std::as_const(m_items)) {
            const QuestionForm form = m_formOfPosition.value(item.position, { m_type, m_level });
            MistakeBook(m_db, m_child).recordMarked({ item }, form.type, form.level, now);
        }
    }
    transaction.commit();

    result.complete = true;
    m_marked = true;
    m_wrong = result.wrong;
    if (result.wrong > 0)
        m_items = loadTestItems(m_db, m_number, ItemOrder::WrongFirst);
    return result;
}
