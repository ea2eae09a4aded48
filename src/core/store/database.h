#pragma once

#include "filelock.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

// A failed database call: the engine's result code and its own (English) message, which is
// for logs only; people read explanation().
class DatabaseError : public std::runtime_error
{
public:
    // What a failure means for the person at the computer.
    enum class Cause { Damaged, DiskFull, Busy, NoPermission, DiskError, Other };

    DatabaseError(int code, const QString &message, int systemError = 0)
        : std::runtime_error(message.toStdString())
        , m_code(code)
        , m_message(message)
        , m_systemError(systemError)
    { }
    int code() const { return m_code; }
    const QString &message() const { return m_message; }

    Cause cause() const;
    // Not a database with this key: someone else's file, or ours keyed otherwise.
    bool isForeign() const;
    // A full disk, a busy file, a missing permission or a failing disk: the file is intact
    // and can be used again once that is put right.
    bool leavesFileIntact() const;
    // One Chinese line saying why, then the engine's code on a second line.
    QString explanation() const;
    // The reason alone, without the code: "磁盘已满" and the like.
    static QString reason(Cause cause);
    // The same without naming the data file, for a message that names it already: "已经损坏",
    // "正被另一个程序使用".
    static QString causeText(Cause cause);
    // What a failed system call's errno means, for a disk error the engine or we met.
    static Cause causeOfSystemError(int error);

private:
    int m_code;
    QString m_message;
    int m_systemError; // errno of the failed system call behind a disk error
};

class Statement;

// One connection to an encrypted database file. Every value reaches SQL as a
// bound parameter of a Statement; exec() takes only fixed statement text.
class Database
{
public:
    // A ReadOnly connection never writes the file or its log, not even when it closes.
    enum class Mode { ReadOnly, ReadWrite, Create };

    // key: the passphrase, which the engine stretches into the file's key on every
    // connection (tens of milliseconds), or rawKey()'s result, which it takes as it is.
    Database(const QString &path, Mode mode, const QByteArray &key);
    ~Database();

    // The key the engine stretches a passphrase into for a file with this salt (the file's
    // first 16 bytes), with the engine's own settings, in the raw form a connection takes
    // without stretching it again: one derivation serves every connection to the file. The
    // file's format is the passphrase's. Empty where the salt is not 16 bytes.
    static QByteArray rawKey(const QByteArray &passphrase, const QByteArray &salt);
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    const QString &path() const { return m_path; }
    bool isReadOnly() const { return m_mode == Mode::ReadOnly; }
    // Keeps a lock on the file for as long as the connection lives; released after it closes.
    void keepLock(FileLock lock) { m_lock = std::move(lock); }

    void exec(const char *sql);
    Statement prepare(const char *sql);
    qint64 lastInsertId() const;
    int changes() const;

    sqlite3 *handle() const { return m_db; }
    [[noreturn]] void fail(int code) const;

private:
    QString m_path;
    Mode m_mode;
    sqlite3 *m_db = nullptr;
    FileLock m_lock; // the destructor closes the file first
};

// A prepared statement. Parameters are numbered from 1, columns from 0.
class Statement
{
public:
    Statement(Database &db, const char *sql);
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    Statement &operator=(Statement &&) = delete;

    Statement &bind(int index, const QString &value);
    Statement &bind(int index, qint64 value);
    Statement &bind(int index, int value) { return bind(index, qint64(value)); }
    Statement &bind(int index, double value);
    Statement &bindNull(int index);

    // Steps once: true while a row is available.
    bool next();
    // Runs a statement that returns no rows.
    void run();
    // Makes the statement ready to run again with new bindings.
    void reset();

    bool isNull(int column) const;
    bool isText(int column) const;
    QString text(int column) const; // a null reads as the empty string
    qint64 integer(int column) const;
    double real(int column) const;

private:
    Database *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

// Everything between construction and commit() is one transaction; leaving
// the scope without commit() rolls it back. Inside another transaction it is a savepoint
// of it: its commit keeps its writes for the outer one to commit or roll back, so that
// steps which commit on their own can be made one all-or-nothing whole.
class Transaction
{
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    Database &m_db;
    bool m_open = true;
    bool m_nested = false;
};
