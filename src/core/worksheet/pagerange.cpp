#include "pagerange.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <set>

using namespace Qt::Literals::StringLiterals;

namespace {

// What a Chinese input method types for a comma and a hyphen, with the shift key or
// without, in full-width mode: "——" is the shifted minus, "～" the shifted grave, and
// both are how Chinese writing joins the ends of a range. "、" is the list comma.
QString asAscii(const QString &text)
{
    QString ascii = text;
    ascii.replace(u"——"_s, u"-"_s);
    for (QChar &c : ascii) {
        const char16_t u = c.unicode();
        if (u == u'，' || u == u'、')
            c = u',';
        else if (u == u'－' || u == u'—' || u == u'～' || u == u'~')
            c = u'-';
        else if (u >= u'０' && u <= u'９')
            c = QChar(char16_t(u'0' + (u - u'０')));
        else if (c.isSpace())
            c = u' ';
    }
    return ascii;
}

// Digits only, so the one way to fail is a number too long for an int: a page no
// document has.
int pageNumber(const QString &digits)
{
    bool ok = false;
    const int page = digits.toInt(&ok);
    return ok ? page : INT_MAX;
}

} // namespace

PageRange PageRange::read(const QString &text)
{
    PageRange range;
    auto refuse = [&range](const QString &why) {
        range.m_spans.clear();
        range.m_error = why;
        return range;
    };
    const QString ascii = asAscii(text);
    if (ascii.trimmed().isEmpty())
        return refuse(u"请输入页码，例如：-2,4,6-8,10-"_s);

    static const QRegularExpression entryPattern(u"^(\\d*) *(-?) *(\\d*)$"_s);
    for (const QString &rawEntry : ascii.split(u',')) {
        const QString entry = rawEntry.trimmed();
        const QRegularExpressionMatch m = entryPattern.match(entry);
        const bool isRange = m.hasMatch() && !m.captured(2).isEmpty();
        if (!m.hasMatch() || (m.captured(1).isEmpty() && m.captured(3).isEmpty())
            || (!isRange && !m.captured(3).isEmpty() && !m.captured(1).isEmpty()))
            return refuse(u"无法识别“%1”：每项须是页码（4）、范围（6-8）、-2 或 10- 的形式"_s.arg(
                entry.isEmpty() ? text.trimmed() : entry));
        const int first = m.captured(1).isEmpty() ? 1 : pageNumber(m.captured(1));
        const int last = !isRange     ? first
            : m.captured(3).isEmpty() ? INT_MAX
                                      : pageNumber(m.captured(3));
        if (first < 1 || last < 1)
            return refuse(u"页码从 1 开始：“%1”"_s.arg(entry));
        if (first > last)
            return refuse(u"“%1”的起始页大于结束页"_s.arg(entry));
        range.m_spans.append({ first, last });
    }
    return range;
}

QList<int> PageRange::pagesOf(int pageCount) const
{
    std::set<int> pages;
    for (const Span &span : m_spans) {
        for (int page = span.first; page <= std::min(span.last, pageCount); ++page)
            pages.insert(page);
    }
    return QList<int>(pages.begin(), pages.end());
}
