#pragma once

class Database;

// The records window lists at most this many tests; older ones are dropped
// before it opens.
inline constexpr int kKeptTests = 100;

// Deletes the rows of tab_test older than the newest `keep` tests and returns
// how many went. Their items in tab_test_mx stay: nothing lists them any more.
int pruneTestRecords(Database &db, int keep = kKeptTests);
