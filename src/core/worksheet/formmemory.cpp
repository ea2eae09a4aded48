#include "formmemory.h"

#include "store/database.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString keyOf(FormMemory::Window window, qint16 type)
{
    return (window == FormMemory::Window::Sheet ? u"sheet%1"_s : u"test%1"_s).arg(type);
}

} // namespace

FormMemory::FormMemory(Database &db)
    : m_db(db)
{ }

QuestionForm FormMemory::form(Window window, qint16 type, qint16 level) const
{
    QuestionForm form { type, level };
    // Kept as the words an entry of a mixed sheet ends with, e.g. "carry:second".
    const QString words = read(keyOf(window, type));
    if (words.isEmpty())
        return form;
    const std::optional<SheetEntry> entry = SheetEntry::read(u"%1:1:1:%2"_s.arg(type).arg(words));
    if (!entry || (entry->form.carry != CarryKind::Any && !carry::appliesTo(type))
        || !QuestionForm::offersBlank(type, entry->form.blank))
        return form;
    form.carry = entry->form.carry;
    form.blank = entry->form.blank;
    return form;
}

void FormMemory::setForm(Window window, const QuestionForm &form)
{
    const QString entry = SheetEntry { form, 1 }.toText();
    write(keyOf(window, form.type), entry.section(u':', 3));
}

FormMemory::Mix FormMemory::mix() const
{
    // "shuffle;ENTRY,ENTRY…" or "blocks;ENTRY,ENTRY…".
    const QString text = read(u"mix"_s);
    const QString order = text.section(u';', 0, 0);
    const std::optional<QList<SheetEntry>> entries = sheetentries::read(text.section(u';', 1));
    if (!entries || (order != u"shuffle"_s && order != u"blocks"_s))
        return {};
    return { *entries, order == u"shuffle"_s };
}

void FormMemory::setMix(const Mix &mix)
{
    write(
        u"mix"_s, (mix.shuffle ? u"shuffle;"_s : u"blocks;"_s) + sheetentries::toText(mix.entries));
}

bool FormMemory::vertical(qint16 type) const
{
    return read(u"vertical%1"_s.arg(type)) == u"1"_s;
}

void FormMemory::setVertical(qint16 type, bool vertical)
{
    write(u"vertical%1"_s.arg(type), vertical ? u"1"_s : u"0"_s);
}

bool FormMemory::scannable() const
{
    return read(u"scannable"_s) == u"1"_s;
}

void FormMemory::setScannable(bool scannable)
{
    write(u"scannable"_s, scannable ? u"1"_s : u"0"_s);
}

QString FormMemory::read(const QString &key) const
{
    Statement query = m_db.prepare("SELECT form_bz FROM tab_form WHERE form_dm = ?");
    query.bind(1, key);
    return query.next() ? query.text(0) : QString();
}

void FormMemory::write(const QString &key, const QString &value)
{
    Statement upsert
        = m_db.prepare("INSERT OR REPLACE INTO tab_form (form_dm, form_bz) VALUES (?, ?)");
    upsert.bind(1, key).bind(2, value).run();
}
