#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>

class Database;

// A child whose tests, wrong answers and progress the data file keeps apart from the
// others': a family's children, or the pupils of a class in the order of its list.
struct Child
{
    qint64 id = 0;
    QString name; // 1 to 20 characters, no tab or line break, unique in the file
    QString className; // 班级, empty for none
    bool operator==(const Child &) const = default;
};

// A name or a change the list refuses, said in Chinese.
class ChildError : public std::runtime_error
{
public:
    explicit ChildError(const QString &message);
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// The children of a data file. There is always one at least: a file from before children
// were kept apart has the one that owns everything stored then.
namespace childlist {

inline constexpr int kMaxNameLength = 20;

// Why the name (as typed, trimmed first) cannot be a child's, in Chinese; empty when it can.
QString problemOf(const QString &name);

// In list order: added one after another, a class in the order of its list.
QList<Child> all(Database &db);
// The child the file's tools act for unless told another: the first of the list.
Child first(Database &db);
std::optional<Child> find(Database &db, const QString &name);
std::optional<Child> find(Database &db, qint64 id);
// The classes of the file's children, in the order their first pupils joined the list.
QStringList classes(Database &db);
// The pupils of a class in the order of its list.
QList<Child> ofClass(Database &db, const QString &className);

// Adds a child at the end of the list; ChildError when the name cannot be one or is taken.
Child add(Database &db, const QString &name, const QString &className = QString());
void rename(Database &db, const Child &child, const QString &newName);
// A child's tests (screen, practice, photographed) and wrong answers go with it, in one
// transaction. ChildError for the last child: a file always has one.
void remove(Database &db, const Child &child);

// The child chosen last in the program, kept in the file; the first child where none was
// chosen or that one is gone.
Child chosen(Database &db);
void choose(Database &db, const Child &child);

int testCount(Database &db, const Child &child);
// The questions still to learn in the child's wrong-answer book.
int mistakeCount(Database &db, const Child &child);

// A class list, one name a line, UTF-8 with or without its mark: blank lines are skipped,
// every other name is added to the class unless it cannot be a name or is already there.
struct Imported
{
    QList<Child> added;
    QStringList skipped; // each with why, in Chinese: "王小明：已经有这个名字"
};
Imported importList(Database &db, const QByteArray &text, const QString &className);

} // namespace childlist
