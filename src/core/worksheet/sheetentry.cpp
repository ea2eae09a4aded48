#include "sheetentry.h"

#include "generate/catalogue.h"

#include <QMap>
#include <QSet>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QMap<QString, CarryKind> &carryWords()
{
    static const QMap<QString, CarryKind> words
        = { { u"carry"_s, CarryKind::With }, { u"nocarry"_s, CarryKind::Without } };
    return words;
}

std::optional<int> wholeNumber(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    // Digits only: no sign, no blanks, no "0x".
    if (!ok || text.isEmpty()
        || !std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; })
        || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<SheetEntry> SheetEntry::read(const QString &text)
{
    const QStringList parts = text.split(u':');
    if (parts.size() < 3 || parts.size() > 5)
        return std::nullopt;
    const auto type = wholeNumber(parts[0], 1, catalogue::kTypeCount);
    const auto level = wholeNumber(parts[1], 1, catalogue::kMaxLevel);
    const auto count = wholeNumber(parts[2], 1, kMaxCount);
    if (!type || !level || !count)
        return std::nullopt;
    SheetEntry entry;
    entry.form.type = qint16(*type);
    entry.form.level = qint16(*level);
    entry.count = *count;
    bool carrySaid = false, blankSaid = false;
    for (const QString &word : parts.mid(3)) {
        if (carryWords().contains(word) && !carrySaid) {
            entry.form.carry = carryWords().value(word);
            carrySaid = true;
        } else if (const auto place = blankPlaceNamed(word); place && !blankSaid) {
            entry.form.blank = *place;
            blankSaid = true;
        } else {
            return std::nullopt;
        }
    }
    return entry;
}

QString SheetEntry::toText() const
{
    QString text = u"%1:%2:%3"_s.arg(form.type).arg(form.level).arg(count);
    if (form.carry != CarryKind::Any)
        text += u':' + carryWords().key(form.carry);
    if (form.blank != BlankPlace::None)
        text += u':' + blankPlaceWord(form.blank);
    return text;
}

QString SheetEntry::caption() const
{
    QStringList words { catalogue::typeName(form.type), catalogue::levelName(form.level) };
    if (form.carry != CarryKind::Any)
        words << QuestionForm::carryName(form.type, form.carry);
    if (form.blank != BlankPlace::None)
        words << QuestionForm::blankName(form.blank);
    words << u"%1 题"_s.arg(count);
    return words.join(u' ');
}

namespace sheetentries {

std::optional<QList<SheetEntry>> read(const QString &text, QString *bad)
{
    QList<SheetEntry> entries;
    for (const QString &part : text.split(u',')) {
        const std::optional<SheetEntry> entry = SheetEntry::read(part.trimmed());
        if (!entry) {
            if (bad)
                *bad = part;
            return std::nullopt;
        }
        entries << *entry;
    }
    return entries;
}

QString toText(const QList<SheetEntry> &entries)
{
    QStringList texts;
    for (const SheetEntry &entry : entries)
        texts << entry.toText();
    return texts.join(u',');
}

QString levelNames(const QList<SheetEntry> &entries)
{
    QList<qint16> levels;
    for (const SheetEntry &entry : entries) {
        if (!levels.contains(entry.form.level))
            levels << entry.form.level;
    }
    std::sort(levels.begin(), levels.end());
    QStringList names;
    for (qint16 level : levels)
        names << catalogue::levelName(level);
    return names.join(u"、"_s);
}

} // namespace sheetentries
