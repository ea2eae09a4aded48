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

// Version 5: several children. The file's one child so far gets everything stored already;
// the wrong-answer book is kept per child, so that siblings may get the same question wrong.
void addChildren(Database &db)
{
    schema::create(db, "tab_child");
    Statement child
        = db.prepare("INSERT INTO tab_child (child_id, child_name, child_xh) VALUES (1, ?, 1)");
    child.bind(1, kFirstChildName);
    child.run();
    db.exec("ALTER TABLE tab_test ADD COLUMN test_child INTEGER NOT NULL DEFAULT 1");
    // The pupil a named copy of a class set was printed for; none for other sheets.
    db.exec("ALTER TABLE tab_scan ADD COLUMN scan_child INTEGER");
    // A book from version 1 to 4 allows each question once in the whole file.
    Statement bookColumns = db.prepare("PRAGMA table_info(tab_ctb)");
    bool perChild = false;
    while (bookColumns.next())
        perChild = perChild || bookColumns.text(1) == QStringLiteral("ctb_child");
    if (!perChild) {
        db.exec("ALTER TABLE tab_ctb RENAME TO tab_ctb_4");
        db.exec("DROP INDEX IF EXISTS idx_ctb_zt");
        schema::create(db, "tab_ctb");
        db.exec("INSERT INTO tab_ctb (ctb_id, ctb_mc, ctb_daan, ctb_tx, ctb_nd, ctb_cws, ctb_dds,"
                " ctb_first, ctb_last, ctb_zt, ctb_child) SELECT ctb_id, ctb_mc, ctb_daan, ctb_tx,"
                " ctb_nd, ctb_cws, ctb_dds, ctb_first, ctb_last, ctb_zt, 1 FROM tab_ctb_4");
        db.exec("DROP TABLE tab_ctb_4");
    }
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
    if (version < 5)
        addChildren(db);
    // The version is the program's own constant, never a user's value.
    db.exec("PRAGMA user_version = 5");
    transaction.commit();
}

} // namespace migrations
