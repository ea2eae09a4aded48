#pragma once

#include "store/database.h"
#include "store/datafile.h"

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
