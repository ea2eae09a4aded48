#include "childlist.h"

#include "store/database.h"

using namespace Qt::Literals::StringLiterals;

ChildError::ChildError(const QString &message)
    : std::runtime_error(message.toStdString())
    , m_message(message)
{ }

namespace childlist {

namespace {

Child childOf(const Statement &row)
{
    return { row.integer(0), row.text(1), row.text(2) };
}

QList<Child> select(Database &db, const char *sql, const QString &value = QString())
{
    Statement query = db.prepare(sql);
    if (!value.isNull())
        query.bind(1, value);
    QList<Child> children;
    while (query.next())
        children << childOf(query);
    return children;
}

int countOf(Database &db, const char *sql, qint64 id)
{
    Statement query = db.prepare(sql);
    query.bind(1, id);
    query.next();
    return int(query.integer(0));
}

} // namespace

QString problemOf(const QString &typed)
{
    const QString name = typed.trimmed();
    if (name.isEmpty())
        return u"名字不能是空的"_s;
    // Counted as a reader counts characters: an emoji is one.
    if (name.toUcs4().size() > kMaxNameLength)
        return u"名字最多 %1 个字"_s.arg(kMaxNameLength);
    if (name.contains(u'\t') || name.contains(u'\n') || name.contains(u'\r'))
        return u"名字里不能有制表符或换行"_s;
    return QString();
}

QList<Child> all(Database &db)
{
    return select(
        db, "SELECT child_id, child_name, child_class FROM tab_child ORDER BY child_xh, child_id");
}

Child first(Database &db)
{
    const QList<Child> children = all(db);
    if (children.isEmpty())
        throw ChildError(u"数据文件里没有孩子"_s);
    return children.first();
}

std::optional<Child> find(Database &db, const QString &name)
{
    const QList<Child> found
        = select(db, "SELECT child_id, child_name, child_class FROM tab_child WHERE child_name = ?",
            name.trimmed());
    return found.isEmpty() ? std::nullopt : std::optional<Child>(found.first());
}

std::optional<Child> find(Database &db, qint64 id)
{
    Statement query
        = db.prepare("SELECT child_id, child_name, child_class FROM tab_child WHERE child_id = ?");
    query.bind(1, id);
    return query.next() ? std::optional<Child>(childOf(query)) : std::nullopt;
}

QStringList classes(Database &db)
{
    Statement query = db.prepare("SELECT child_class FROM tab_child WHERE child_class <> ''"
                                 " GROUP BY child_class ORDER BY min(child_xh), min(child_id)");
    QStringList names;
    while (query.next())
        names << query.text(0);
    return names;
}

QList<Child> ofClass(Database &db, const QString &className)
{
    return select(db,
        "SELECT child_id, child_name, child_class FROM tab_child WHERE child_class = ?"
        " ORDER BY child_xh, child_id",
        className.trimmed());
}

Child add(Database &db, const QString &typed, const QString &className)
{
    if (const QString problem = problemOf(typed); !problem.isEmpty())
        throw ChildError(problem);
    const QString name = typed.trimmed();
    Transaction transaction(db);
    if (find(db, name))
        throw ChildError(u"已经有叫“%1”的孩子"_s.arg(name));
    Statement insert = db.prepare("INSERT INTO tab_child (child_name, child_class, child_xh)"
                                  " VALUES (?, ?, (SELECT coalesce(max(child_xh), 0) + 1"
                                  " FROM tab_child))");
    insert.bind(1, name).bind(2, className.trimmed());
    insert.run();
    const Child child { db.lastInsertId(), name, className.trimmed() };
    transaction.commit();
    return child;
}

void rename(Database &db, const Child &child, const QString &typed)
{
    if (const QString problem = problemOf(typed); !problem.isEmpty())
        throw ChildError(problem);
    const QString name = typed.trimmed();
    Transaction transaction(db);
    if (const std::optional<Child> other = find(db, name); other && other->id != child.id)
        throw ChildError(u"已经有叫“%1”的孩子"_s.arg(name));
    Statement update = db.prepare("UPDATE tab_child SET child_name = ? WHERE child_id = ?");
    update.bind(1, name).bind(2, child.id);
    update.run();
    transaction.commit();
}

void remove(Database &db, const Child &child)
{
    Transaction transaction(db);
    if (all(db).size() <= 1)
        throw ChildError(u"至少要留下一个孩子"_s);
    Statement items = db.prepare(
        "DELETE FROM tab_test_mx WHERE mx_bh IN (SELECT bh FROM tab_test WHERE test_child = ?)");
    items.bind(1, child.id);
    items.run();
    for (const char *sql :
        { "DELETE FROM tab_test WHERE test_child = ?", "DELETE FROM tab_ctb WHERE ctb_child = ?",
            "DELETE FROM tab_child WHERE child_id = ?" }) {
        Statement remove = db.prepare(sql);
        remove.bind(1, child.id);
        remove.run();
    }
    transaction.commit();
}

Child chosen(Database &db)
{
    Statement query = db.prepare("SELECT form_bz FROM tab_form WHERE form_dm = ?");
    query.bind(1, u"child"_s);
    bool ok = false;
    const qint64 id = query.next() ? query.text(0).toLongLong(&ok) : 0;
    const std::optional<Child> child = ok ? find(db, id) : std::nullopt;
    return child ? *child : first(db);
}

void choose(Database &db, const Child &child)
{
    Statement upsert
        = db.prepare("INSERT OR REPLACE INTO tab_form (form_dm, form_bz) VALUES (?, ?)");
    upsert.bind(1, u"child"_s).bind(2, QString::number(child.id));
    upsert.run();
}

int testCount(Database &db, const Child &child)
{
    return countOf(db, "SELECT count(*) FROM tab_test WHERE test_child = ?", child.id);
}

int mistakeCount(Database &db, const Child &child)
{
    return countOf(db, "SELECT count(*) FROM tab_ctb WHERE ctb_child = ? AND ctb_zt = 0", child.id);
}

Imported importList(Database &db, const QByteArray &text, const QString &className)
{
    QByteArray bytes = text;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    Imported result;
    Transaction transaction(db);
    for (const QString &line : QString::fromUtf8(bytes).split(u'\n')) {
        QString name = line;
        if (name.endsWith(u'\r'))
            name.chop(1);
        if (name.trimmed().isEmpty())
            continue;
        try {
            result.added << add(db, name, className);
        } catch (const ChildError &error) {
            result.skipped << name.trimmed() + u"："_s + error.message();
        }
    }
    transaction.commit();
    return result;
}

} // namespace childlist
