#pragma once

#include "store/datafile.h"

#include <QString>

#include <memory>

class Database;
class SeededRandom;
class Settings;

// What the windows share for the whole run: the data file with its settings,
// the current question type and the current test number. The main menu owns
// it and closes the file on the way out; every other window borrows it.
class AppContext final
{
public:
    // Opens the file (creating it in the delivered state when missing) and runs the first
    // start. Throws DataFileError for a file that cannot be used, DatabaseError when
    // reading or writing the settings fails.
    static std::unique_ptr<AppContext> open(
        const QString &path, datafile::Role role = datafile::Role::Program);

    AppContext(std::unique_ptr<Database> db, SeededRandom &rnd);
    ~AppContext();
    AppContext(const AppContext &) = delete;
    AppContext &operator=(const AppContext &) = delete;

    // Both only while isOpen().
    Database &database();
    Settings &settings();
    bool isOpen() const { return m_db != nullptr; }
    // Writes nothing; what has to be saved is saved before.
    void close();

    qint16 currentType() const { return m_currentType; }
    void setCurrentType(qint16 type) { m_currentType = type; }
    // The child whose tests, wrong answers and progress the windows show and take.
    qint64 currentChild() const { return m_currentChild; }
    void setCurrentChild(qint64 child) { m_currentChild = child; }
    // Empty for a new test; a stored test's number to resume it.
    const QString &currentTestNo() const { return m_currentTestNo; }
    void setCurrentTestNo(const QString &number) { m_currentTestNo = number; }

private:
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Settings> m_settings;
    qint16 m_currentType = 1;
    qint64 m_currentChild = 0;
    QString m_currentTestNo;
};
