#pragma once

#include "sheetrecipe.h"

#include "children/childlist.h"
#include "worksheet.h"

#include <QDateTime>
#include <QList>

#include <functional>
#include <optional>

class Database;
struct ScannableSheet;

// The copies of one recipe for a whole class, made once and kept, so that each copy's
// questions and its answers always belong together: the first when the sheet is made, the
// others the first time the set is printed or exported, each a second after the one before,
// and renumbered where the data file already holds a copy's number.
class ClassSet
{
public:
    ClassSet() = default;
    // The first copy, made at madeAt; nothing, with the shortfalls said, where it comes out
    // short of what the recipe asks.
    static std::optional<ClassSet> make(QuestionMaker &maker, const SheetRecipe &recipe,
        const QDateTime &madeAt, QStringList *shortfalls);

    bool isEmpty() const { return m_copies.isEmpty(); }
    const SheetRecipe &recipe() const { return m_recipe; }
    const Worksheet &first() const { return m_copies.first(); }
    // The first count copies, making those not made yet; empty, with the shortfalls said,
    // where one comes out short.
    QList<Worksheet> copies(QuestionMaker &maker, int count, QStringList *shortfalls);
    // Every copy made, in other columns: where the chosen ones are too narrow to print in.
    void setColumns(qint16 columns);

    // A named class set: one copy for each pupil, in the order of the class list.
    void setPupils(const QList<Child> &pupils) { m_pupils = pupils; }
    const QList<Child> &pupils() const { return m_pupils; }
    // The pupil a copy was made for; none in a set without names.
    std::optional<Child> pupilOf(const Worksheet &copy) const;
    // A copy's print title: the set's, and on a named copy the pupil's name after it.
    QString titleOf(const Worksheet &copy, const QString &title) const;

    // Files the first count copies (made already) to be photographed, all of them or none,
    // before any reaches paper: each under a number the data file holds for nothing else,
    // renumbered to the next free one where its own is taken (a copy filed again just as it
    // was keeps its number). describe gives what the data file keeps of a copy as it prints;
    // a named copy is kept as its pupil's. Returns the copies as filed.
    QList<Worksheet> fileScannable(
        Database &db, int count, const std::function<ScannableSheet(const Worksheet &)> &describe);

private:
    SheetRecipe m_recipe;
    QDateTime m_madeAt;
    QList<Worksheet> m_copies;
    QList<Child> m_pupils;
};
