#include "appcontext.h"

#include "children/childlist.h"
#include "game24/puzzletable.h"
#include "generate/randomsource.h"
#include "store/database.h"
#include "store/datafile.h"
#include "store/settings.h"

std::unique_ptr<AppContext> AppContext::open(const QString &path, datafile::Role role)
{
    // A new file comes with the 24-point puzzles, dealt once for it.
    auto context = std::make_unique<AppContext>(
        datafile::open(path, role, processRandom(), game24::storePuzzles), processRandom());
    try {
        context->settings().load();
        context->setCurrentChild(childlist::chosen(context->database()).id);
    } catch (const DatabaseError &error) {
        throw DataFileError::fromDatabase(path, error);
    }
    return context;
}

AppContext::AppContext(std::unique_ptr<Database> db, SeededRandom &rnd)
    : m_db(std::move(db))
    , m_settings(std::make_unique<Settings>(*m_db, rnd))
{ }

AppContext::~AppContext() = default;

Database &AppContext::database()
{
    Q_ASSERT(m_db);
    return *m_db;
}

Settings &AppContext::settings()
{
    Q_ASSERT(m_settings);
    return *m_settings;
}

void AppContext::close()
{
    // Settings refer to the connection, so they go first.
    m_settings.reset();
    m_db.reset();
}
