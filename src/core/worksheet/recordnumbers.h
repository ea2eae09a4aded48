#pragma once

#include <QDateTime>
#include <QString>

class Database;

// A sheet or test number belongs to one sheet or test for good once the data file holds it,
// as a test or as a sheet printed to be photographed: a photo is marked against the questions
// filed under its number, so two sheets must never share one.
namespace recordnumbers {

bool isTaken(Database &db, const QString &number);
// The moment a number is stamped with at its end; invalid where it has none.
QDateTime madeAt(const QString &number);
// The number itself where nothing holds it, else the same kind stamped the first later second
// that nothing holds. Call it inside the transaction that stores the number.
QString firstFree(Database &db, const QString &number);

} // namespace recordnumbers
