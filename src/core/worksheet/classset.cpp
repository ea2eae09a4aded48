#include "classset.h"

#include "recordnumbers.h"
#include "scannablesheet.h"

#include "store/database.h"

std::optional<ClassSet> ClassSet::make(QuestionMaker &maker, const SheetRecipe &recipe,
    const QDateTime &madeAt, QStringList *shortfalls)
{
    const qsizetype said = shortfalls->size();
    ClassSet set;
    set.m_recipe = recipe;
    set.m_madeAt = madeAt;
    set.m_copies << recipe.make(maker, madeAt, shortfalls);
    if (shortfalls->size() > said)
        return std::nullopt;
    return set;
}

QList<Worksheet> ClassSet::copies(QuestionMaker &maker, int count, QStringList *shortfalls)
{
    while (m_copies.size() < count) {
        const qsizetype said = shortfalls->size();
        Worksheet copy = m_recipe.make(maker, m_madeAt.addSecs(m_copies.size()), shortfalls);
        if (shortfalls->size() > said)
            return {};
        m_copies << copy;
    }
    return m_copies.mid(0, count);
}

void ClassSet::setColumns(qint16 columns)
{
    m_recipe.columns = columns;
    for (Worksheet &copy : m_copies)
        copy.setColumns(columns);
}

QList<Worksheet> ClassSet::fileScannable(
    Database &db, int count, const std::function<ScannableSheet(const Worksheet &)> &describe)
{
    Transaction transaction(db);
    for (qsizetype i = 0; i < std::min<qsizetype>(count, m_copies.size()); ++i) {
        Worksheet &copy = m_copies[i];
        const auto named = [&](ScannableSheet sheet) {
            if (i < m_pupils.size())
                sheet.child = m_pupils.at(i).id;
            return sheet;
        };
        ScannableSheet described = named(describe(copy));
        if (scannablesheets::find(db, copy.number()) == described)
            continue;
        if (const QString free = recordnumbers::firstFree(db, copy.number());
            free != copy.number()) {
            copy.renumber(free);
            described = named(describe(copy));
        }
        scannablesheets::store(db, described);
    }
    transaction.commit();
    return m_copies.mid(0, count);
}

std::optional<Child> ClassSet::pupilOf(const Worksheet &copy) const
{
    for (qsizetype i = 0; i < m_copies.size() && i < m_pupils.size(); ++i) {
        if (m_copies.at(i).number() == copy.number())
            return m_pupils.at(i);
    }
    return std::nullopt;
}

QString ClassSet::titleOf(const Worksheet &copy, const QString &title) const
{
    const std::optional<Child> pupil = pupilOf(copy);
    return pupil ? title + QStringLiteral("　姓名：") + pupil->name : title;
}
