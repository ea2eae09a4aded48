#include "datafile.h"

#include "database.h"
#include "migrations.h"
#include "schema.h"
#include "settings.h"

#include "game24/puzzletable.h"
#include "generate/randomsource.h"

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

DataFileError::DataFileError(Kind kind, const QString &path, const QString &problem)
    : std::runtime_error(problem.toStdString())
    , m_kind(kind)
    , m_path(QDir::toNativeSeparators(path))
    , m_message(u"数据文件“%1”%2"_s.arg(m_path, problem))
{ }

namespace datafile {

QByteArray key()
{
    return QByteArrayLiteral("ChenXiSuanYuan2026Q");
}

QString defaultPath()
{
    const QString fileName = QString::fromLatin1(kFileName);
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
    const QFileInfo besideInfo(beside);
    if (besideInfo.exists() && besideInfo.isWritable())
        return beside;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(folder).filePath(fileName);
}

namespace {

using Kind = DataFileError::Kind;

// Write-ahead log with full sync: every commit is on disk before it returns,
// and a kill or power cut at any moment leaves the last committed state. The
// log also lets a commit touch only the pages it changed, which keeps a
// single answer or setting well within a few milliseconds.
void useDurableJournal(Database &db)
{
    db.exec("PRAGMA journal_mode = WAL");
    db.exec("PRAGMA synchronous = FULL");
    db.exec("PRAGMA foreign_keys = ON");
}

void createDeliveredState(const QString &path, SeededRandom &rnd)
{
    QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        throw DataFileError(Kind::CannotCreate, path, u"所在的文件夹无法创建。"_s);

    // Built under another name and renamed when complete, so that a file
    // with the real name is always whole.
    const QString building = path + u".new"_s;
    QFile::remove(building);
    try {
        Database db(building, Database::Mode::Create, key());
        db.exec("PRAGMA journal_mode = WAL");
        db.exec("PRAGMA synchronous = FULL");
        Transaction transaction(db);
        schema::create(db);
        Statement insert
            = db.prepare("INSERT INTO tab_system (system_dm, system_bz) VALUES (?, ?)");
        for (const SettingKey &k : Settings::keys()) {
            insert.bind(1, k.name);
            insert.bind(
                2, k.name == u"system_0"_s ? Settings::encodedNeverStarted(rnd) : QString());
            insert.run();
            insert.reset();
        }
        game24::storePuzzles(db, rnd);
        transaction.commit();
        migrations::bringUpToDate(db);
        // Folds the log into the file, so the rename carries everything.
        db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
    } catch (const DatabaseError &error) {
        QFile::remove(building);
        QFile::remove(building + u"-wal"_s);
        QFile::remove(building + u"-shm"_s);
        throw DataFileError(Kind::CannotCreate, path, u"无法创建：%1"_s.arg(error.message()));
    }
    QFile::remove(building + u"-wal"_s);
    QFile::remove(building + u"-shm"_s);
    // A log left by a file that no longer exists would be read as the new
    // file's own and spoil it.
    QFile::remove(path + u"-wal"_s);
    QFile::remove(path + u"-shm"_s);
    if (!QFile::rename(building, path)) {
        QFile::remove(building);
        throw DataFileError(Kind::CannotCreate, path, u"无法创建：文件夹不能写入。"_s);
    }
}

[[noreturn]] void reject(const QString &path, const DatabaseError &error)
{
    const int primary = error.code() & 0xff;
    if (primary == SQLITE_NOTADB)
        throw DataFileError(
            Kind::NotOurs, path, u"不是晨曦算苑的数据文件，或者密码不符，无法打开。"_s);
    if (primary == SQLITE_CORRUPT || primary == SQLITE_IOERR)
        throw DataFileError(Kind::Damaged, path, u"已经损坏，无法读取。"_s);
    if (primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN || primary == SQLITE_PERM)
        throw DataFileError(Kind::NotWritable, path, u"无法打开写入：%1"_s.arg(error.message()));
    throw DataFileError(Kind::Damaged, path, u"无法读取：%1"_s.arg(error.message()));
}

// Reads enough of the file to know it is whole and ours. Only reads.
void check(Database &db, const QString &path)
{
    Statement integrity = db.prepare("PRAGMA quick_check");
    if (!integrity.next() || integrity.text(0) != u"ok"_s)
        throw DataFileError(Kind::Damaged, path, u"已经损坏（完整性检查未通过）。"_s);

    Statement tableExists
        = db.prepare("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?");
    for (const schema::Table &table : schema::tables()) {
        const QString name = QString::fromLatin1(table.name);
        tableExists.bind(1, name);
        tableExists.next();
        const bool exists = tableExists.integer(0) > 0;
        tableExists.reset();
        if (!exists)
            throw DataFileError(Kind::Incomplete, path, u"缺少数据表 %1。"_s.arg(name));
        for (const char *column : table.columns) {
            // Names are the program's own constants, never user values.
            const QByteArray probe
                = "SELECT " + QByteArray(column) + " FROM " + table.name + " LIMIT 0";
            try {
                db.prepare(probe.constData());
            } catch (const DatabaseError &) {
                throw DataFileError(Kind::Incomplete, path,
                    u"数据表 %1 缺少列 %2。"_s.arg(name, QString::fromLatin1(column)));
            }
        }
    }

    QSet<QString> present;
    Statement rows = db.prepare("SELECT system_dm FROM tab_system");
    while (rows.next())
        present.insert(rows.text(0));
    for (const SettingKey &k : Settings::keys()) {
        if (!present.contains(k.name))
            throw DataFileError(Kind::Incomplete, path, u"缺少设置项 %1。"_s.arg(k.name));
    }
}

} // namespace

std::unique_ptr<Database> open(const QString &path, SeededRandom &rnd)
{
    QFileInfo info(path);
    if (!info.exists()) {
        createDeliveredState(path, rnd);
        info.refresh();
    } else if (!info.isFile()) {
        throw DataFileError(Kind::NotOurs, path, u"不是一个文件。"_s);
    }
    if (info.size() == 0)
        throw DataFileError(Kind::Empty, path, u"是空的（0 字节），不是晨曦算苑的数据文件。"_s);
    if (!info.isWritable() || !QFileInfo(info.absolutePath()).isWritable())
        throw DataFileError(
            Kind::NotWritable, path, u"或其所在文件夹不能写入，成绩和设置将无法保存。"_s);

    std::unique_ptr<Database> db;
    try {
        db = std::make_unique<Database>(path, Database::Mode::ReadWrite, key());
        check(*db, path);
        useDurableJournal(*db);
        migrations::bringUpToDate(*db);
    } catch (const DatabaseError &error) {
        db.reset();
        reject(path, error);
    }
    return db;
}

std::unique_ptr<Database> open(const QString &path)
{
    return open(path, processRandom());
}

} // namespace datafile
