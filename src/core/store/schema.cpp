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
            { "id", "bh", "tx", "nd", "ts", "js", "zqs", "cws", "sj", "zt" } },
        { "tab_test_mx",
            "CREATE TABLE tab_test_mx (mx_id INTEGER PRIMARY KEY AUTOINCREMENT, mx_bh TEXT,"
            " mx_xh INTEGER, mx_mc TEXT, mx_user NUMERIC, mx_error INTEGER, mx_daan TEXT)",
            { "mx_id", "mx_bh", "mx_xh", "mx_mc", "mx_user", "mx_error", "mx_daan" } },
        { "tab_kst",
            "CREATE TABLE tab_kst (tk_id INTEGER PRIMARY KEY, tk_tm0 TEXT, tk_tm1 TEXT,"
            " tk_tm2 TEXT, tk_tm3 TEXT, tk_tm4 TEXT)",
            { "tk_tm0", "tk_tm1", "tk_tm2", "tk_tm3", "tk_tm4" } },
        { "tab_24",
            "CREATE TABLE tab_24 (a24_id INTEGER PRIMARY KEY, a24_nd INTEGER, a24_pl INTEGER,"
            " a24_sjs INTEGER, a24_n1 INTEGER, a24_n2 INTEGER, a24_n3 INTEGER, a24_n4 INTEGER,"
            " a24_da TEXT)",
            { "a24_id", "a24_nd", "a24_pl", "a24_sjs", "a24_n1", "a24_n2", "a24_n3", "a24_n4",
                "a24_da" } },
    };
    return list;
}

void create(Database &db)
{
    for (const Table &table : tables())
        db.exec(table.create);
    // Items are always read by their test number; puzzles by level.
    db.exec("CREATE INDEX idx_test_mx_bh ON tab_test_mx (mx_bh, mx_id)");
    db.exec("CREATE INDEX idx_24_nd ON tab_24 (a24_nd, a24_pl, a24_sjs, a24_id)");
}

} // namespace schema
