#include "database.h"
#include "keystretching.h"

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <QFile>

#include <openssl/evp.h>

#include <cerrno>
#include <mutex>

using namespace Qt::Literals::StringLiterals;

Database::Database(const QString &path, Mode mode, const QByteArray &key)
    : m_path(path)
    , m_mode(mode)
{
    int flags = SQLITE_OPEN_FULLMUTEX;
    switch (mode) {
    case Mode::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case Mode::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case Mode::Create:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }
    const QByteArray file = QFile::encodeName(path);
    const int rc = sqlite3_open_v2(file.constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : u"out of memory"_s;
        const int systemError = m_db ? sqlite3_system_errno(m_db) : 0;
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DatabaseError(rc, message, systemError);
    }
    sqlite3_extended_result_codes(m_db, 1);
    // Waiting a moment beats failing when another connection of this process
    // (a test, a checkpoint) holds the file briefly.
    sqlite3_busy_timeout(m_db, 2000);
    if (!key.isEmpty() && sqlite3_key(m_db, key.constData(), int(key.size())) != SQLITE_OK)
        fail(sqlite3_errcode(m_db));
    if (mode == Mode::ReadOnly) {
        // The last connection to close deletes the log once it is folded in; a reader must
        // leave it to the connection that owns it, which may still be writing to it.
        int persist = 1;
        sqlite3_file_control(m_db, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
    }
}

namespace {

// The engine's key stretching, as it applies it to a passphrase: PBKDF2 with its default
// digest and count, which depend on its version (SHA-1 and 64,000 before SQLCipher 4).
struct KeyStretching
{
    const EVP_MD *digest = EVP_sha1();
    int iterations = 64000;
};

const KeyStretching &engineStretching()
{
    static KeyStretching stretching;
    static std::once_flag once;
    std::call_once(once, [] {
        sqlite3 *db = nullptr;
        if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            sqlite3_close(db);
            return;
        }
        const auto ask = [db](const char *pragma) {
            QByteArray answer;
            sqlite3_stmt *statement = nullptr;
            if (sqlite3_prepare_v2(db, pragma, -1, &statement, nullptr) == SQLITE_OK
                && sqlite3_step(statement) == SQLITE_ROW)
                answer = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
            sqlite3_finalize(statement);
            return answer;
        };
        if (const int count = ask("PRAGMA cipher_default_kdf_iter").toInt(); count > 0)
            stretching.iterations = count;
        const QByteArray algorithm = ask("PRAGMA cipher_default_kdf_algorithm");
        if (algorithm.contains("SHA512"))
            stretching.digest = EVP_sha512();
        else if (algorithm.contains("SHA256"))
            stretching.digest = EVP_sha256();
        sqlite3_close(db);
    });
    return stretching;
}

} // namespace

QByteArray Database::rawKey(const QByteArray &passphrase, const QByteArray &salt)
{
    constexpr int kSaltBytes = 16, kKeyBytes = 32; // AES-256
    if (salt.size() != kSaltBytes)
        return {};
    const KeyStretching &stretching = engineStretching();
    QByteArray key;
    if (stretching.digest == EVP_sha1()) {
        key = keystretching::pbkdf2Sha1(passphrase, salt, stretching.iterations, kKeyBytes);
    } else {
        key.resize(kKeyBytes);
        if (PKCS5_PBKDF2_HMAC(passphrase.constData(), int(passphrase.size()),
                reinterpret_cast<const unsigned char *>(salt.constData()), kSaltBytes,
                stretching.iterations, stretching.digest, kKeyBytes,
                reinterpret_cast<unsigned char *>(key.data()))
            != 1)
            return {};
    }
    // x'…' of the key and the salt: the engine neither stretches it nor reads the salt again.
    return "x'" + key.toHex().toUpper() + salt.toHex().toUpper() + "'";
}

Database::~Database()
{
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

DatabaseError::Cause DatabaseError::cause() const
{
    switch (m_code & 0xff) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        return Cause::Damaged;
    case SQLITE_FULL:
        return Cause::DiskFull;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Cause::Busy;
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return Cause::NoPermission;
    case SQLITE_IOERR:
        // A short read is a file that ends before its pages do: cut off, not unreadable.
        if (m_code == SQLITE_IOERR_SHORT_READ)
            return Cause::Damaged;
        // The engine words a full disk while growing its log index as a disk error.
        return causeOfSystemError(m_systemError);
    default:
        return Cause::Other;
    }
}

DatabaseError::Cause DatabaseError::causeOfSystemError(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return Cause::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return Cause::NoPermission;
    default:
        return Cause::DiskError;
    }
}

bool DatabaseError::isForeign() const
{
    return (m_code & 0xff) == SQLITE_NOTADB;
}

bool DatabaseError::leavesFileIntact() const
{
    const Cause c = cause();
    return c == Cause::DiskFull || c == Cause::Busy || c == Cause::NoPermission
        || c == Cause::DiskError;
}

QString DatabaseError::causeText(Cause cause)
{
    switch (cause) {
    case Cause::Damaged:
        return u"已经损坏"_s;
    case Cause::DiskFull:
        return u"磁盘已满"_s;
    case Cause::Busy:
        return u"正被另一个程序使用"_s;
    case Cause::NoPermission:
        return u"没有读写权限"_s;
    case Cause::DiskError:
        return u"读写磁盘时出错"_s;
    case Cause::Other:
        break;
    }
    return u"读写时出错"_s;
}

QString DatabaseError::reason(Cause cause)
{
    if (cause == Cause::Other)
        return u"读写数据文件时出错"_s;
    const bool aboutTheFile = cause == Cause::Damaged || cause == Cause::Busy;
    return aboutTheFile ? u"数据文件"_s + causeText(cause) : causeText(cause);
}

QString DatabaseError::explanation() const
{
    return u"%1。\n（错误代码 %2）"_s.arg(reason(cause())).arg(m_code);
}

void Database::fail(int code) const
{
    throw DatabaseError(code, QString::fromUtf8(sqlite3_errmsg(m_db)), sqlite3_system_errno(m_db));
}

void Database::exec(const char *sql)
{
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
}

Statement Database::prepare(const char *sql)
{
    return Statement(*this, sql);
}

qint64 Database::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int Database::changes() const
{
    return sqlite3_changes(m_db);
}

Statement::Statement(Database &db, const char *sql)
    : m_db(&db)
{
    const int rc = sqlite3_prepare_v2(db.handle(), sql, -1, &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        db.fail(rc);
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

Statement::Statement(Statement &&other) noexcept
    : m_db(other.m_db)
    , m_stmt(other.m_stmt)
{
    other.m_stmt = nullptr;
}

Statement &Statement::bind(int index, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    const int rc
        = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        m_db->fail(rc);
    return *this;
}

Statement &Statement::bind(int index, qint64 value)
{
    const int rc = sqlite3_bind_int64(m_stmt, index, value);
    if (rc != SQLITE_OK)
        m_db->fail(rc);
    return *this;
}

Statement &Statement::bind(int index, double value)
{
    const int rc = sqlite3_bind_double(m_stmt, index, value);
    if (rc != SQLITE_OK)
        m_db->fail(rc);
    return *this;
}

Statement &Statement::bindNull(int index)
{
    const int rc = sqlite3_bind_null(m_stmt, index);
    if (rc != SQLITE_OK)
        m_db->fail(rc);
    return *this;
}

bool Statement::next()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    m_db->fail(rc);
}

void Statement::run()
{
    while (next()) { }
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

bool Statement::isText(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_TEXT;
}

QString Statement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column)) : QString();
}

qint64 Statement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::real(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

Transaction::Transaction(Database &db)
    : m_db(db)
    , m_nested(sqlite3_get_autocommit(db.handle()) == 0)
{
    // IMMEDIATE takes the write lock at once, so a transaction never fails
    // half-way for want of it.
    m_db.exec(m_nested ? "SAVEPOINT nested" : "BEGIN IMMEDIATE");
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    if (m_nested) {
        sqlite3_exec(
            m_db.handle(), "ROLLBACK TO nested; RELEASE nested", nullptr, nullptr, nullptr);
    } else {
        sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void Transaction::commit()
{
    m_db.exec(m_nested ? "RELEASE nested" : "COMMIT");
    m_open = false;
}
