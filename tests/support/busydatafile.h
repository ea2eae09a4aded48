#pragma once

#include "store/database.h"
#include "store/datafile.h"
#include "support/messagecatcher.h"

#include <functional>

// Another program writing to the data file for as long as this lives: every write of ours
// fails as busy once the wait runs out. (The file is in WAL mode: reads go on.)
class BusyDataFile
{
public:
    explicit BusyDataFile(const QString &path)
        : m_db(path, Database::Mode::ReadWrite, datafile::key())
    {
        m_db.exec("BEGIN IMMEDIATE");
    }

private:
    Database m_db;
};

// What a message box said while `work` ran, empty if none showed.
inline QString saidWhile(const std::function<void()> &work)
{
    MessageCatcher message;
    message.arm();
    work();
    return message.text;
}

// The same while another program writes to the data file at `path`.
inline QString saidWhileBusy(const QString &path, const std::function<void()> &work)
{
    BusyDataFile writer(path);
    return saidWhile(work);
}
