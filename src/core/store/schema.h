#pragma once

#include <QList>
#include <QString>

class Database;

// The tables of the data file. The same list creates a new file and checks
// an existing one, so the two can never disagree.
namespace schema {

struct Table
{
    const char *name;
    const char *create; // the CREATE TABLE statement
    QList<const char *> columns; // every column the program reads or writes
};

const QList<Table> &tables();

// Creates every table and index in an empty database.
void create(Database &db);

} // namespace schema
