#include "datafile.h"

#include "database.h"
#include "filelock.h"
#include "migrations.h"
#include "schema.h"
#include "settings.h"

#include "generate/randomsource.h"
#include "program/exitstatus.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>

using namespace Qt::Literals::StringLiterals;

namespace {

using Kind = DataFileError::Kind;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// What people are told about an intact file they cannot use now.
QString unusableProblem(Kind kind)
{
    using Cause = DatabaseError::Cause;
    switch (kind) {
    case Kind::DiskFull:
        return u"无法使用：%1。文件本身完好，请腾出磁盘空间后再试。"_s.arg(
            DatabaseError::causeText(Cause::DiskFull));
    case Kind::Busy:
        return u"%1，暂时无法打开。文件本身完好，请稍后再试。"_s.arg(
            DatabaseError::causeText(Cause::Busy));
    case Kind::NoPermission:
        return u"无法使用：%1。文件本身完好，请检查文件和所在文件夹的权限。"_s.arg(
            DatabaseError::causeText(Cause::NoPermission));
    case Kind::DiskError:
        return u"无法使用：%1。文件本身没有被改动，请检查磁盘后再试。"_s.arg(
            DatabaseError::causeText(Cause::DiskError));
    case Kind::InUseByProgram:
        return u"：晨曦算苑正在使用这个数据文件，请先退出程序。"_s;
    default:
        return QString();
    }
}

// The kind of an intact file's trouble, for the causes that leave it intact.
Kind kindOf(DatabaseError::Cause cause)
{
    switch (cause) {
    case DatabaseError::Cause::DiskFull:
        return Kind::DiskFull;
    case DatabaseError::Cause::Busy:
        return Kind::Busy;
    case DatabaseError::Cause::NoPermission:
        return Kind::NoPermission;
    default:
        return Kind::DiskError;
    }
}

} // namespace

DataFileError::DataFileError(Kind kind, const QString &path, const QString &problem)
    : std::runtime_error(problem.toStdString())
    , m_kind(kind)
    , m_path(native(path))
    , m_message(u"数据文件“%1”%2"_s.arg(m_path, problem))
{ }

DataFileError DataFileError::unusable(const QString &path, Kind kind)
{
    return DataFileError(kind, path, unusableProblem(kind));
}

int DataFileError::exitStatus() const
{
    return leavesFileIntact() ? exitstatus::kDataFileUnusable : exitstatus::kDamagedDataFile;
}

DataFileError DataFileError::fromDatabase(const QString &path, const DatabaseError &error)
{
    if (error.leavesFileIntact())
        return unusable(path, kindOf(error.cause()));
    switch (error.cause()) {
    case DatabaseError::Cause::Damaged:
        if (error.isForeign())
            return DataFileError(
                Kind::NotOurs, path, u"不是晨曦算苑的数据文件，或者密码不符，无法打开。"_s);
        return DataFileError(Kind::Damaged, path,
            DatabaseError::causeText(DatabaseError::Cause::Damaged) + u"，无法读取。"_s);
    default:
        break;
    }
    return DataFileError(Kind::Damaged, path, u"无法读取（错误代码 %1）。"_s.arg(error.code()));
}

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

void prepareDefaultFolder(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw DataFileError::unusable(path, DataFileError::Kind::NoPermission);
}

namespace {

// A new file that could not be made: nothing is left of it, and nothing else was touched.
DataFileError cannotCreate(const QString &path, DatabaseError::Cause cause)
{
    using Cause = DatabaseError::Cause;
    const QString reason = cause == Cause::NoPermission ? u"所在的文件夹不能写入"_s
        : cause == Cause::Busy ? u"文件夹"_s + DatabaseError::causeText(cause)
                               : DatabaseError::reason(cause);
    return DataFileError(kindOf(cause), path, u"无法创建：%1。"_s.arg(reason));
}

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

void removeWithLogs(const QString &path)
{
    for (const QString &suffix : { QString(), u"-wal"_s, u"-shm"_s, u"-journal"_s })
        QFile::remove(path + suffix);
}

// Puts the finished file in place unless another process has put one there first.
bool putInPlace(const QString &building, const QString &path)
{
    const QByteArray from = QFile::encodeName(building);
    const QByteArray to = QFile::encodeName(path);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    // A file system without the flag: a link fails the same way on an existing name.
    if (::link(from.constData(), to.constData()) == 0) {
        QFile::remove(building);
        return true;
    }
    if (errno == EEXIST)
        return false;
    // Nor links (FAT on a USB stick): the folder lock keeps other starts of ours out.
    if (QFileInfo::exists(path))
        return false;
    return std::rename(from.constData(), to.constData()) == 0;
}

void createDeliveredState(const QString &path, SeededRandom &rnd, const NewFileContent &content)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir())
        throw DataFileError(
            Kind::FolderMissing, path, u"所在的文件夹“%1”不存在。"_s.arg(native(folder)));

    // Two first starts at once: one builds the file, the other waits and opens it.
    FileLock creating;
    creating.take(folder, FileLock::Mode::Exclusive, 60000);
    if (QFileInfo::exists(path))
        return;
    // A log without its file belonged to a file that was deleted; the new file would read
    // it as its own.
    QFile::remove(path + u"-wal"_s);
    QFile::remove(path + u"-shm"_s);

    // Built under a name of this process's and put in place when complete, so that a file
    // with the real name is always whole.
    const QString building = u"%1.%2.new"_s.arg(path).arg(QCoreApplication::applicationPid());
    removeWithLogs(building);
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
            insert.bind(2,
                k.family == SettingKey::Family::Installation ? Settings::encodedNeverStarted(rnd)
                                                             : QString());
            insert.run();
            insert.reset();
        }
        if (content)
            content(db, rnd);
        transaction.commit();
        migrations::bringUpToDate(db);
        // Folds the log into the file, so that moving the file carries everything.
        db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
    } catch (const DatabaseError &error) {
        removeWithLogs(building);
        throw error.leavesFileIntact() ? cannotCreate(path, error.cause())
                                       : DataFileError::fromDatabase(path, error);
    }
    QFile::remove(building + u"-wal"_s);
    QFile::remove(building + u"-shm"_s);
    const bool placed = putInPlace(building, path);
    const int error = errno;
    QFile::remove(building);
    if (!placed && !QFileInfo::exists(path))
        throw cannotCreate(path, DatabaseError::causeOfSystemError(error));
}

// Reads enough of the file to know it is whole, ours, and of a version this program knows.
// Only reads.
void check(Database &db, const QString &path)
{
    Statement integrity = db.prepare("PRAGMA quick_check");
    if (!integrity.next() || integrity.text(0) != u"ok"_s)
        throw DataFileError(Kind::Damaged, path, u"已经损坏（完整性检查未通过）。"_s);

    const int version = migrations::versionOf(db);
    if (version > migrations::kCurrentVersion)
        throw DataFileError(Kind::TooNew, path,
            u"是更新版本的晨曦算苑写成的，这个版本无法打开。请安装新版本的晨曦算苑。"_s);

    Statement tableExists
        = db.prepare("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?");
    for (const schema::Table &table : schema::tables()) {
        // Tables a migration adds are promised only by the versions that ran it.
        if (table.since > version)
            continue;
        const QString name = QString::fromLatin1(table.name);
        tableExists.bind(1, name);
        tableExists.next();
        const bool exists = tableExists.integer(0) > 0;
        tableExists.reset();
        if (!exists)
            throw DataFileError(Kind::Incomplete, path, u"缺少数据表 %1，已经损坏。"_s.arg(name));
        QList<const char *> columns = table.columns;
        for (const auto &[column, since] : table.addedColumns) {
            if (since <= version)
                columns << column;
        }
        for (const char *column : std::as_const(columns)) {
            // Names are the program's own constants, never user values.
            const QByteArray probe
                = "SELECT " + QByteArray(column) + " FROM " + table.name + " LIMIT 0";
            try {
                db.prepare(probe.constData());
            } catch (const DatabaseError &error) {
                // A busy or unreadable file is not one without the column.
                if (error.cause() != DatabaseError::Cause::Other)
                    throw;
                throw DataFileError(Kind::Incomplete, path,
                    u"数据表 %1 缺少列 %2，已经损坏。"_s.arg(name, QString::fromLatin1(column)));
            }
        }
    }

    QSet<QString> present;
    Statement rows = db.prepare("SELECT system_dm FROM tab_system");
    while (rows.next())
        present.insert(rows.text(0));
    for (const SettingKey &k : Settings::keys()) {
        if (!present.contains(k.name))
            throw DataFileError(Kind::Incomplete, path, u"缺少设置项 %1，已经损坏。"_s.arg(k.name));
    }
    if (!Settings::storedInstallation(db))
        throw DataFileError(Kind::Damaged, path,
            u"的安装编号（system_0）无法解读，其余设置都无从读取，已经损坏。"_s);
}

// The log and shared-memory files a refused open leaves behind would be new, empty, and
// someone's to puzzle over; the ones that were there before are the file's own and stay.
class LogCleanup final
{
public:
    explicit LogCleanup(const QString &path)
        : m_wal(path + u"-wal"_s)
        , m_shm(path + u"-shm"_s)
        , m_hadWal(QFileInfo::exists(m_wal))
        , m_hadShm(QFileInfo::exists(m_shm))
    { }
    ~LogCleanup()
    {
        if (!m_armed)
            return;
        if (!m_hadWal && QFileInfo(m_wal).size() == 0)
            QFile::remove(m_wal);
        if (!m_hadShm)
            QFile::remove(m_shm);
    }
    LogCleanup(const LogCleanup &) = delete;
    LogCleanup &operator=(const LogCleanup &) = delete;
    void disarm() { m_armed = false; }

private:
    QString m_wal, m_shm;
    bool m_hadWal, m_hadShm;
    bool m_armed = true;
};

} // namespace

std::unique_ptr<Database> open(
    const QString &path, Role role, SeededRandom &rnd, const NewFileContent &content)
{
    QFileInfo info(path);
    if (!info.exists()) {
        createDeliveredState(path, rnd, content);
        info.refresh();
    } else if (!info.isFile()) {
        throw DataFileError(Kind::NotOurs, path, u"不是一个文件。"_s);
    }
    if (info.size() == 0)
        throw DataFileError(Kind::Empty, path, u"是空的（0 字节），不是晨曦算苑的数据文件。"_s);

    // The program holds this lock for its whole run. A tool that finds it held must not
    // write: the engine's own locks may have been dropped inside the program, and a writer
    // could then fold in and delete the log the program is still writing to.
    FileLock lock;
    int openError = 0;
    const FileLock::Result taken = role == Role::Program
        ? lock.take(path, FileLock::Mode::Exclusive, 3000, &openError)
        : lock.take(path, FileLock::Mode::Shared, 0, &openError);
    if (taken == FileLock::Result::CannotOpen)
        throw DataFileError::unusable(path, kindOf(DatabaseError::causeOfSystemError(openError)));
    const bool programHasIt = taken == FileLock::Result::HeldElsewhere;
    if (programHasIt && role == Role::Program)
        throw DataFileError::unusable(path, Kind::Busy);

    // Stretched once for both connections: each would take tens of milliseconds over it.
    // While the program has the file, this tool holds no descriptor of it to read the salt
    // through, and opens one connection anyway.
    QByteArray fileKey = Database::rawKey(key(), lock.readStart(16));
    if (fileKey.isEmpty())
        fileKey = key();

    LogCleanup cleanup(path);
    try {
        auto reader = std::make_unique<Database>(path, Database::Mode::ReadOnly, fileKey);
        check(*reader, path);
        if (programHasIt) {
            cleanup.disarm();
            return reader;
        }
        reader.reset();
        auto db = std::make_unique<Database>(path, Database::Mode::ReadWrite, fileKey);
        useDurableJournal(*db);
        migrations::bringUpToDate(*db);
        db->keepLock(std::move(lock));
        cleanup.disarm();
        return db;
    } catch (const DatabaseError &error) {
        throw DataFileError::fromDatabase(path, error);
    }
}

std::unique_ptr<Database> open(const QString &path, Role role)
{
    return open(path, role, processRandom(), {});
}

} // namespace datafile
