#include "mistakebook.h"

#include "children/childlist.h"
#include "store/database.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const char *kColumns = "ctb_id, ctb_mc, ctb_daan, ctb_tx, ctb_nd, ctb_cws, ctb_dds, ctb_first,"
                       " ctb_last, ctb_zt";

Mistake mistakeOf(const Statement &row)
{
    Mistake m;
    m.id = row.integer(0);
    m.question = row.text(1);
    m.answer = row.text(2);
    m.type = qint16(row.integer(3));
    m.level = qint16(row.integer(4));
    m.wrongCount = int(row.integer(5));
    m.rightSince = int(row.integer(6));
    m.firstSeen = QDateTime::fromString(row.text(7), Qt::ISODate);
    m.lastSeen = QDateTime::fromString(row.text(8), Qt::ISODate);
    m.learned = row.integer(9) != 0;
    return m;
}

} // namespace

MistakeBook::MistakeBook(Database &db, std::optional<qint64> child)
    : m_db(db)
    , m_child(child.value_or(childlist::first(db).id))
{ }

void MistakeBook::recordMarked(
    const QList<TestItem> &items, qint16 type, qint16 level, const QDateTime &when)
{
    const QString stamp = when.toString(Qt::ISODate);
    // Wrong again: counts up and starts over. The engine of the data file is
    // older than upserts, so an update is tried first.
    Statement wrongAgain = m_db.prepare(
        "UPDATE tab_ctb SET ctb_cws = ctb_cws + 1, ctb_dds = 0, ctb_last = ?, ctb_zt = 0"
        " WHERE ctb_mc = ? AND ctb_child = ?");
    Statement wrongFirst = m_db.prepare(
        "INSERT INTO tab_ctb (ctb_mc, ctb_daan, ctb_tx, ctb_nd, ctb_cws, ctb_dds, ctb_first,"
        " ctb_last, ctb_zt, ctb_child) VALUES (?, ?, ?, ?, 1, 0, ?, ?, 0, ?)");
    Statement right = m_db.prepare("UPDATE tab_ctb SET ctb_dds = ctb_dds + 1, ctb_last = ?,"
                                   " ctb_zt = CASE WHEN ctb_dds + 1 >= ? THEN 1 ELSE 0 END"
                                   " WHERE ctb_mc = ? AND ctb_child = ? AND ctb_zt = 0");
    // A test counts once for each question in it: a question asked twice is wrong in the test
    // when either answer is, and right in it once however often it was answered right.
    QList<TestItem> asked;
    for (const TestItem &item : items) {
        if (!item.error)
            continue;
        const auto same = std::ranges::find(asked, item.question, &TestItem::question);
        if (same == asked.end())
            asked << item;
        else
            same->error = std::max(*same->error, *item.error);
    }
    for (const TestItem &item : std::as_const(asked)) {
        if (*item.error == 1) {
            wrongAgain.bind(1, stamp).bind(2, item.question).bind(3, m_child);
            wrongAgain.run();
            wrongAgain.reset();
            if (m_db.changes() == 0) {
                wrongFirst.bind(1, item.question).bind(2, item.answer).bind(3, int(type));
                wrongFirst.bind(4, int(level)).bind(5, stamp).bind(6, stamp).bind(7, m_child);
                wrongFirst.run();
                wrongFirst.reset();
            }
        } else {
            right.bind(1, stamp).bind(2, kRightToLearn).bind(3, item.question).bind(4, m_child);
            right.run();
            right.reset();
        }
    }
}

QList<Mistake> MistakeBook::toLearn(std::optional<qint16> type, int limit) const
{
    const QByteArray sql = QByteArray("SELECT ") + kColumns
        + " FROM tab_ctb WHERE ctb_child = ? AND ctb_zt = 0 AND (? = 0 OR ctb_tx = ?)"
          " ORDER BY ctb_first, ctb_id LIMIT ?";
    Statement select = m_db.prepare(sql.constData());
    const int wanted = type.value_or(0);
    select.bind(1, m_child).bind(2, wanted).bind(3, wanted).bind(4, limit);
    QList<Mistake> list;
    while (select.next())
        list << mistakeOf(select);
    return list;
}

std::optional<Mistake> MistakeBook::find(const QString &question) const
{
    const QByteArray sql
        = QByteArray("SELECT ") + kColumns + " FROM tab_ctb WHERE ctb_mc = ? AND ctb_child = ?";
    Statement select = m_db.prepare(sql.constData());
    select.bind(1, question).bind(2, m_child);
    if (!select.next())
        return std::nullopt;
    return mistakeOf(select);
}
