#include "schema.h"

#include "database.h"

namespace schema {

const QList<Table> &tables()
{
    static const QList<Table> list = {
        { "tab_system",
            "CREATE TABLE tab_system (system_dm TEXT PRIMARY KEY NOT NULL, system_bz TEXT)",
            { "system_dm", "system_bz" } },
        { "tab_test",
            "CREATE TABLE tab_test (id INTEGER PRIMARY KEY AUTOINCREMENT, bh TEXT UNIQUE, tx TEXT,"
            " nd TEXT, ts INTEGER, js INTEGER, zqs INTEGER, cws INTEGER, sj TEXT, zt INTEGER)",
            { "id", "bh", "tx", "nd", "ts", "js", "zqs", "cws", "sj", "zt" }, 0,
            { { "test_child", 5 } } },
        // Items are always read by their test number; puzzles by level.
        { "tab_test_mx",
            "CREATE TABLE tab_test_mx (mx_id INTEGER PRIMARY KEY AUTOINCREMENT, mx_bh TEXT,"
            " mx_xh INTEGER, mx_mc TEXT, mx_user NUMERIC, mx_error INTEGER, mx_daan TEXT);"
            " CREATE INDEX idx_test_mx_bh ON tab_test_mx (mx_bh, mx_id)",
            { "mx_id", "mx_bh", "mx_xh", "mx_mc", "mx_user", "mx_error", "mx_daan" } },
        { "tab_kst",
            "CREATE TABLE tab_kst (tk_id INTEGER PRIMARY KEY, tk_tm0 TEXT, tk_tm1 TEXT,"
            " tk_tm2 TEXT, tk_tm3 TEXT, tk_tm4 TEXT)",
            { "tk_tm0", "tk_tm1", "tk_tm2", "tk_tm3", "tk_tm4" } },
        { "tab_24",
            "CREATE TABLE tab_24 (a24_id INTEGER PRIMARY KEY, a24_nd INTEGER, a24_pl INTEGER,"
            " a24_sjs INTEGER, a24_n1 INTEGER, a24_n2 INTEGER, a24_n3 INTEGER, a24_n4 INTEGER,"
            " a24_da TEXT);"
            " CREATE INDEX idx_24_nd ON tab_24 (a24_nd, a24_pl, a24_sjs, a24_id)",
            { "a24_id", "a24_nd", "a24_pl", "a24_sjs", "a24_n1", "a24_n2", "a24_n3", "a24_n4",
                "a24_da" } },
        // The wrong-answer book: one row per question a child ever answered wrong; learned rows
        // stay as history.
        { "tab_ctb",
            "CREATE TABLE tab_ctb (ctb_id INTEGER PRIMARY KEY AUTOINCREMENT,"
            " ctb_mc TEXT NOT NULL, ctb_daan TEXT NOT NULL, ctb_tx INTEGER, ctb_nd INTEGER,"
            " ctb_cws INTEGER NOT NULL DEFAULT 0, ctb_dds INTEGER NOT NULL DEFAULT 0,"
            " ctb_first TEXT, ctb_last TEXT, ctb_zt INTEGER NOT NULL DEFAULT 0,"
            " ctb_child INTEGER NOT NULL DEFAULT 1, UNIQUE (ctb_child, ctb_mc));"
            " CREATE INDEX idx_ctb_zt ON tab_ctb (ctb_child, ctb_zt, ctb_first, ctb_id)",
            { "ctb_id", "ctb_mc", "ctb_daan", "ctb_tx", "ctb_nd", "ctb_cws", "ctb_dds", "ctb_first",
                "ctb_last", "ctb_zt" },
            1, { { "ctb_child", 5 } } },
        // What a teacher chose last, so that this week's sheet is one click: a key such as
        // "sheet5" or "mix" and its value as text.
        { "tab_form", "CREATE TABLE tab_form (form_dm TEXT PRIMARY KEY NOT NULL, form_bz TEXT)",
            { "form_dm", "form_bz" }, 2 },
        // Sheets printed to be photographed and marked: one row per question, with the sheet's
        // type and level names, the question's own type and level (a mixed sheet's differ),
        // the page it is on and the room its answer is written in, in millimetres of the page's
        // frame.
        { "tab_scan",
            "CREATE TABLE tab_scan (scan_id INTEGER PRIMARY KEY AUTOINCREMENT,"
            " scan_bh TEXT NOT NULL, scan_txmc TEXT, scan_ndmc TEXT, scan_xh INTEGER NOT NULL,"
            " scan_ym INTEGER NOT NULL, scan_mc TEXT, scan_daan TEXT, scan_tx INTEGER,"
            " scan_nd INTEGER, scan_x REAL, scan_y REAL, scan_w REAL, scan_h REAL);"
            " CREATE UNIQUE INDEX idx_scan_bh ON tab_scan (scan_bh, scan_xh)",
            { "scan_id", "scan_bh", "scan_txmc", "scan_ndmc", "scan_xh", "scan_ym", "scan_mc",
                "scan_daan", "scan_tx", "scan_nd", "scan_x", "scan_y", "scan_w", "scan_h" },
            3, { { "scan_child", 5 } } },
        // The pages of photographed sheets that have been read, so that a page read once is
        // never read over and a sheet's other pages may come later.
        { "tab_scan_ym",
            "CREATE TABLE tab_scan_ym (ym_bh TEXT NOT NULL, ym_ym INTEGER NOT NULL,"
            " PRIMARY KEY (ym_bh, ym_ym))",
            { "ym_bh", "ym_ym" }, 4 },
        // The children whose tests, wrong answers and progress the file keeps, each under a
        // name of its own, in the order they were added (a class in the order of its list).
        { "tab_child",
            "CREATE TABLE tab_child (child_id INTEGER PRIMARY KEY AUTOINCREMENT,"
            " child_name TEXT NOT NULL UNIQUE, child_class TEXT NOT NULL DEFAULT '',"
            " child_xh INTEGER NOT NULL)",
            { "child_id", "child_name", "child_class", "child_xh" }, 5 },
    };
    return list;
}

void create(Database &db)
{
    for (const Table &table : tables()) {
        if (table.since == 0)
            db.exec(table.create);
    }
}

void create(Database &db, const char *name)
{
    for (const Table &table : tables()) {
        if (qstrcmp(table.name, name) == 0)
            db.exec(table.create);
    }
}

} // namespace schema
