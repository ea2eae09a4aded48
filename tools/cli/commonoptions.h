#pragma once

#include "arguments.h"

#include "generate/questionform.h"

#include <memory>
#include <utility>

class AppContext;
class Database;
struct Child;
class SeededRandom;

// The options several commands share, read the same way everywhere.
namespace commonoptions {

OptionSpec type();
OptionSpec level();
OptionSpec seed();
OptionSpec database();
OptionSpec help();

OptionSpec child();
OptionSpec carry();
OptionSpec blank();

// --type and --level, the level checked against what the type offers.
std::pair<qint16, qint16> typeAndLevel(const Arguments &arguments);
// --type, --level, --carry and --blank, checked against what the type and level can make.
QuestionForm questionForm(const Arguments &arguments);
// A question line as the commands print it: as it is, or for a blank question three fields
// separated by a TAB: the whole line, the question with its blank, the number that fills it.
QString printedQuestion(const QString &line);

// --seed when given, the clock otherwise.
void seedFrom(const Arguments &arguments, SeededRandom &rnd);

// Writes the command's help when --help was given; true when it did.
bool helpAsked(const Arguments &arguments, const QString &usage, const QString &summary,
    const QList<OptionSpec> &options);

// Output files named by the options given among these: none may be empty, and no two may
// name the same file, which the second would overwrite.
void checkOutputs(const Arguments &arguments, const QStringList &options);

// The data file of --database (or the default one), opened as the program
// opens it: created in the delivered state when missing, then the first start.
// While the program has the file open, it is read through a connection that cannot
// write, and a command that would write is refused.
enum class Access { Read, Write };
std::unique_ptr<AppContext> openAsProgram(const Arguments &arguments, Access access = Access::Read);

// The child of --child, or the first child; an unknown name is a UsageError.
qint64 childOf(const Arguments &arguments, Database &db);
// The child of that name; an unknown name is a UsageError.
Child childNamed(Database &db, const QString &name);

} // namespace commonoptions
