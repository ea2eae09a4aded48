#include "migrations.h"

#include "database.h"

namespace migrations {

namespace {

// Version 1: the wrong-answer book. One row per question ever answered wrong;
// learned rows stay as history.
void addMistakeBook(Database &db)
{
    db.exec("CREATE TABLE tab_ctb (ctb_id INTEGER PRIMARY KEY AUTOINCREMENT,"
            " ctb_mc TEXT NOT NULL UNIQUE, ctb_daan TEXT NOT NULL, ctb_tx INTEGER, ctb_nd INTEGER,"
            " ctb_cws INTEGER NOT NULL DEFAULT 0, ctb_dds INTEGER NOT NULL DEFAULT 0,"
            " ctb_first TEXT, ctb_last TEXT, ctb_zt INTEGER NOT NULL DEFAULT 0)");
    db.exec("CREATE INDEX idx_ctb_zt ON tab_ctb (ctb_zt, ctb_first, ctb_id)");
}

} // namespace

int versionOf(Database &db)
{
    Statement version = db.prepare("PRAGMA user_version");
    version.next();
    return int(version.integer(0));
}

void bringUpToDate(Database &db)
{
    const int version = versionOf(db);
    if (version >= kCurrentVersion)
        return;
    Transaction transaction(db);
    if (version < 1)
        addMistakeBook(db);
    // The version is the program's own constant, never a user's value.
    db.exec("PRAGMA user_version = 1");
    transaction.commit();
}

} // namespace migrations
