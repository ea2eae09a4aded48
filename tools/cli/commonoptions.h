#pragma once

#include "arguments.h"

#include <memory>
#include <utility>

class Database;
class SeededRandom;
class Settings;

// The options several commands share, read the same way everywhere.
namespace commonoptions {

OptionSpec type();
OptionSpec level();
OptionSpec seed();
OptionSpec database();
OptionSpec help();

// --type and --level, the level checked against what the type offers.
std::pair<qint16, qint16> typeAndLevel(const Arguments &arguments);

// --seed when given, the clock otherwise.
void seedFrom(const Arguments &arguments, SeededRandom &rnd);

// Writes the command's help when --help was given; true when it did.
bool helpAsked(const Arguments &arguments, const QString &usage, const QString &summary,
    const QList<OptionSpec> &options);

// The data file of --database (or the default one), opened as the program
// opens it: created in the delivered state when missing, then the first start.
struct DataFile
{
    DataFile();
    DataFile(DataFile &&) noexcept;
    ~DataFile();

    std::unique_ptr<Database> db;
    std::unique_ptr<Settings> settings; // declared last: goes before the connection it uses
};
DataFile openAsProgram(const Arguments &arguments);

} // namespace commonoptions
