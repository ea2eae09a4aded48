#include "carrykind.h"

#include "catalogue.h"
#include "exhaustiverandom.h"
#include "factbank.h"
#include "operandline.h"
#include "questionmaker.h"

#include <QHash>
#include <QMutex>

#include <stdexcept>

namespace carry {

namespace {

// The level's lines that do not come from the fact banks, each tried once, made as every
// line is made.
bool someDrawnLineIs(qint16 type, qint16 level, CarryKind kind)
{
    ExhaustiveRandom rnd;
    QuestionMaker maker(rnd);
    do {
        QString line;
        try {
            line = maker.make(type, level);
        } catch (const std::exception &) {
            continue; // a draw the generator itself refuses writes no line
        }
        if (isOfKind(line, kind))
            return true;
    } while (rnd.advance());
    return false;
}

bool someFactIs(qint16 type, CarryKind kind)
{
    QStringList facts;
    if (type != 2)
        facts << FactBank::facts(FactBank::Kind::Addition);
    if (type != 1)
        facts << FactBank::facts(FactBank::Kind::Subtraction);
    return std::any_of(
        facts.cbegin(), facts.cend(), [kind](const QString &fact) { return isOfKind(fact, kind); });
}

} // namespace

bool appliesTo(qint16 type)
{
    return type >= 1 && type <= 4;
}

bool isOfKind(const QString &line, CarryKind kind)
{
    if (kind == CarryKind::Any)
        return true;
    return lineCarriesOrBorrows(OperandLine::read(line)) == (kind == CarryKind::With);
}

bool levelCanMake(qint16 type, qint16 level, CarryKind kind)
{
    if (!appliesTo(type) || level < 1 || level > catalogue::levelCount(type))
        return false;
    if (kind == CarryKind::Any)
        return true;
    static QMutex mutex;
    static QHash<int, bool> known;
    const int key = (type * 10 + level) * 10 + int(kind);
    const QMutexLocker lock(&mutex);
    const auto found = known.constFind(key);
    if (found != known.cend())
        return *found;
    // Level 1 of the first three types deals from the fact banks, whose shuffles have far
    // more sequences than facts: the facts themselves are the lines.
    const bool can
        = level == 1 && type <= 3 ? someFactIs(type, kind) : someDrawnLineIs(type, level, kind);
    known.insert(key, can);
    return can;
}

} // namespace carry
