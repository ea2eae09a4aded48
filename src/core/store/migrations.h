#pragma once

#include <QString>

class Database;

// Tables the program has added over time beside those every data file has had. Each step
// raises the file's user_version by one; opening a file brings it up to date
// in one transaction, and a file already current is left alone.
namespace migrations {

inline constexpr int kCurrentVersion = 5;

// The name of the child a file's records belonged to before it knew several.
inline const QString kFirstChildName = QStringLiteral("小朋友");

int versionOf(Database &db);
void bringUpToDate(Database &db);

} // namespace migrations
