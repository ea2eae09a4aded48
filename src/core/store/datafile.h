#pragma once

#include <QString>

#include <memory>
#include <stdexcept>

class Database;
class SeededRandom;

// A data file that cannot be used. The file has not been touched; the
// message says in Chinese which file and what is wrong with it.
class DataFileError : public std::runtime_error
{
public:
    enum class Kind { Empty, NotOurs, Damaged, Incomplete, NotWritable, CannotCreate };

    DataFileError(Kind kind, const QString &path, const QString &problem);
    Kind kind() const { return m_kind; }
    const QString &path() const { return m_path; }
    const QString &message() const { return m_message; }

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

// Opens the file for the program, creating it in the delivered state when it
// does not exist. An existing file is checked whole before anything is
// written to it; a file that fails a check raises DataFileError and stays
// byte for byte as it was.
std::unique_ptr<Database> open(const QString &path, SeededRandom &rnd);
std::unique_ptr<Database> open(const QString &path);

// The file's key. Tests use it to make damaged files of their own.
QByteArray key();

} // namespace datafile
