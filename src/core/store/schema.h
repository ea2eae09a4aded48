#pragma once

#include <QList>
#include <QString>

#include <utility>

class Database;

// The tables of the data file. The same list creates a new file and checks
// an existing one, so the two can never disagree.
namespace schema {

struct Table
{
    const char *name;
    const char *create; // the CREATE TABLE statement and its indexes, ";"-separated
    QList<const char *> columns; // every column the program reads or writes
    int since = 0; // the user_version that added it; 0: the file has always had it
    // Columns a later version added to the table, and that version.
    QList<std::pair<const char *, int>> addedColumns = {};
};

// Every table of the newest version, oldest first.
const QList<Table> &tables();

// Creates the tables every file has had from the start, with their indexes, in an empty
// database; later ones come with the migrations.
void create(Database &db);
// Creates one table of a later version.
void create(Database &db, const char *name);

} // namespace schema
