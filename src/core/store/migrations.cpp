#include "migrations.h"

#include "database.h"
#include "schema.h"

namespace migrations {

namespace {

// Version 1: the wrong-answer book.
void addMistakeBook(Database &db)
{
    schema::create(db, "tab_ctb");
}

// Version 2: the forms and mixed sheets chosen last.
void addFormMemory(Database &db)
{
    schema::create(db, "tab_form");
}

// Version 3: sheets printed to be photographed, kept until their photo is marked.
void addScannableSheets(Database &db)
{
    schema::create(db, "tab_scan");
}

// Version 4: the pages of photographed sheets that have been read. A sheet already stored as a
// test was read whole, in one go.
void addPagesRead(Database &db)
{
    schema::create(db, "tab_scan_ym");
    db.exec("INSERT INTO tab_scan_ym (ym_bh, ym_ym) SELECT DISTINCT scan_bh, scan_ym FROM tab_scan"
            " WHERE scan_bh IN (SELECT bh FROM tab_test)");
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
    if (version < 2)
        addFormMemory(db);
    if (version < 3)
        addScannableSheets(db);
    if (version < 4)
        addPagesRead(db);
    // The version is the program's own constant, never a user's value.
    db.exec("PRAGMA user_version = 4");
    transaction.commit();
}

} // namespace migrations
