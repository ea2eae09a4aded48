#include "testpruning.h"

#include "store/database.h"

int pruneTestRecords(Database &db, int keep)
{
    if (keep < 1)
        return 0;
    // With `keep` tests or fewer the subquery is null and "id < null" holds for no row,
    // so one statement covers both cases.
    // Each child keeps its own newest tests.
    Statement prune = db.prepare("DELETE FROM tab_test WHERE id < (SELECT kept.id FROM tab_test"
                                 " AS kept WHERE kept.test_child = tab_test.test_child"
                                 " ORDER BY kept.id DESC LIMIT 1 OFFSET ?)");
    prune.bind(1, keep - 1);
    prune.run();
    return db.changes();
}
