#include "testpruning.h"

#include "store/database.h"

int pruneTestRecords(Database &db, int keep)
{
    if (keep < 1)
        return 0;
    // With `keep` tests or fewer the subquery is null and "id < null" holds for no row,
    // so one statement covers both cases.
    Statement prune = db.prepare("DELETE FROM tab_test WHERE id < "
                                 "(SELECT id FROM tab_test ORDER BY id DESC LIMIT 1 OFFSET ?)");
    prune.bind(1, keep - 1);
    prune.run();
    return db.changes();
}
