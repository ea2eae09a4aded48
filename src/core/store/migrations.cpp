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
    // The version is the program's own constant, never a user's value.
    db.exec("PRAGMA user_version = 3");
    transaction.commit();
}

} // namespace migrations
