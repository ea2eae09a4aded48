#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>

class Database;
class DatabaseError;
class SeededRandom;

// A data file that cannot be used. The file and its log have not been touched; the message
// says in Chinese which file and what is wrong with it.
class DataFileError : public std::runtime_error
{
public:
    enum class Kind {
        // The file cannot be read as this program's: exit status 3.
        Empty,
        NotOurs,
        Damaged,
        Incomplete,
        TooNew,
        FolderMissing,
        // The file is intact but cannot be used now: exit status 4.
        DiskFull,
        Busy,
        NoPermission,
        DiskError,
        InUseByProgram,
    };

    DataFileError(Kind kind, const QString &path, const QString &problem);
    Kind kind() const { return m_kind; }
    const QString &path() const { return m_path; }
    const QString &message() const { return m_message; }
    // The file itself is fine; trying again later, or elsewhere, may work.
    bool leavesFileIntact() const { return m_kind >= Kind::DiskFull; }
    int exitStatus() const;

    // An intact file that cannot be used now (a kind from DiskFull on), in the usual words.
    static DataFileError unusable(const QString &path, Kind kind);
    // A failure of the engine on the file at path, in the same words.
    static DataFileError fromDatabase(const QString &path, const DatabaseError &error);

private:
    Kind m_kind;
    QString m_path;
    QString m_message;
};

namespace datafile {

inline constexpr const char *kFileName = "QRTA.dat";

// QRTA.dat beside the executable when it exists there and can be written;
// otherwise the one in the user's data folder.
QString defaultPath();
// Creates the folder of the default file; only that one is ever created.
void prepareDefaultFolder(const QString &path);

// Program: the one that owns the file for a whole run; it waits a moment for a tool that
// is using the file and then gives up. Tool: a short run beside it; while the program has
// the file, a tool gets a connection that only reads.
enum class Role { Program, Tool };

// Opens the file, creating it in the delivered state when it does not exist (its folder
// must). An existing file is checked whole, through a connection that cannot write, before
// anything is written to it or its journal mode is changed; a file that fails raises
// DataFileError and stays byte for byte as it was, and so does its log.
// content: what a new file is given besides its tables and settings, inside the transaction
// that builds it: the data a feature delivers with the program (the 24-point puzzles).
using NewFileContent = std::function<void(Database &db, SeededRandom &rnd)>;
std::unique_ptr<Database> open(
    const QString &path, Role role, SeededRandom &rnd, const NewFileContent &content);
std::unique_ptr<Database> open(const QString &path, Role role = Role::Tool);

// The file's key. Tests use it to make damaged files of their own.
QByteArray key();

} // namespace datafile
