#pragma once

#include "sheetentry.h"

#include <QStringList>

class QDateTime;
class QuestionMaker;
class Worksheet;

// What a worksheet is made of: questions of one form in as many rows as chosen, or the
// entries of a mixed sheet (综合练习), whose rows follow from their total and the columns.
// The worksheet window and the command line make every copy of a set from one recipe.
struct SheetRecipe
{
    QuestionForm form;
    qint16 rows = 10;
    QList<SheetEntry> entries; // a mixed sheet when not empty
    bool shuffle = false;
    qint16 columns = 2;
    // 竖式, for the types it is taught for and no blank.
    bool vertical = false;

    bool isMixed() const { return !entries.isEmpty(); }
    int mixedTotal() const;
    qint16 sheetRows() const;
    // Why the recipe makes no sheet, in Chinese; empty when it makes one.
    QString problem() const;
    // One copy; each entry of a mixed sheet that falls short of its count says so in
    // *shortfalls.
    Worksheet make(QuestionMaker &maker, const QDateTime &now, QStringList *shortfalls) const;
    // Where a one-form sheet came out with fewer questions than its rows and columns hold,
    // because the form has no more distinct ones: what to tell the teacher, how many there are
    // and how many the sheet has. Empty for a full sheet.
    QString shortNote(const Worksheet &sheet) const;
    // The print title. A one-type sheet names the level chosen now, which a teacher may have
    // changed since the sheet was made; a mixed sheet names its entries' levels.
    QString title(const QString &titleTemplate, const Worksheet &sheet, qint16 chosenLevel) const;
};
