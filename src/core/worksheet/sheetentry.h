#pragma once

#include "generate/questionform.h"

#include <QList>
#include <QString>

#include <optional>

// One entry of a mixed sheet (综合练习): so many questions of one form, e.g. 12 additions of
// level 4 that carry, or 8 divisions of level 3 with the second operand blank.
struct SheetEntry
{
    QuestionForm form;
    int count = 10;

    static constexpr int kMaxCount = 500;

    // "T:L:N", optionally followed by ":carry" or ":nocarry" and by ":first", ":second",
    // ":third" or ":any": how the command line and the data file write an entry. Nothing
    // where the text is not such an entry; the form may still have a problem().
    static std::optional<SheetEntry> read(const QString &text);
    QString toText() const;
    // "A + B 四级 进位 12 题" for messages and the worksheet window's list.
    QString caption() const;

    friend bool operator==(const SheetEntry &, const SheetEntry &) = default;
};

namespace sheetentries {

// Entries separated by commas; nothing when one of them does not read, its text in *bad.
std::optional<QList<SheetEntry>> read(const QString &text, QString *bad = nullptr);
QString toText(const QList<SheetEntry> &entries);
// The levels of the entries, lowest first: "三级、四级".
QString levelNames(const QList<SheetEntry> &entries);

} // namespace sheetentries
