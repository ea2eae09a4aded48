#include "pagerange.h"

#include <QRegularExpression>
#include <QStringList>

#include <set>

using namespace Qt::Literals::StringLiterals;

PageRange parsePageRange(const QString &text, int pageCount)
{
    PageRange result;
    auto refuse = [&result](const QString &why) {
        result.pages.clear();
        result.error = why;
        return result;
    };
    if (text.trimmed().isEmpty())
        return refuse(u"请输入页码，例如：-2,4,6-8,10-"_s);

    static const QRegularExpression entryPattern(u"^(\\d*)\\s*(-?)\\s*(\\d*)$"_s);
    std::set<int> pages;
    for (const QString &rawEntry : text.split(u',')) {
        const QString entry = rawEntry.trimmed();
        const QRegularExpressionMatch m = entryPattern.match(entry);
        if (entry.isEmpty() || !m.hasMatch() || (m.captured(1).isEmpty() && m.captured(3).isEmpty())
            || (m.captured(2).isEmpty() && !m.captured(3).isEmpty() && !m.captured(1).isEmpty()))
            return refuse(
                u"无法识别“%1”：每项须是页码（4）、范围（6-8）、-2 或 10- 的形式"_s.arg(entry));
        const bool isRange = !m.captured(2).isEmpty();
        bool ok = true;
        const int first = m.captured(1).isEmpty() ? 1 : m.captured(1).toInt(&ok);
        if (!ok)
            return refuse(u"页码“%1”太大"_s.arg(m.captured(1)));
        int last = first;
        if (isRange) {
            last = m.captured(3).isEmpty() ? pageCount : m.captured(3).toInt(&ok);
            if (!ok)
                return refuse(u"页码“%1”太大"_s.arg(m.captured(3)));
        }
        if (first < 1 || last < 1)
            return refuse(u"页码从 1 开始：“%1”"_s.arg(entry));
        if (first > pageCount || last > pageCount)
            return refuse(u"“%1”超出了页数，共 %2 页"_s.arg(entry).arg(pageCount));
        if (first > last)
            return refuse(u"“%1”的起始页大于结束页"_s.arg(entry));
        for (int page = first; page <= last; ++page)
            pages.insert(page);
    }
    result.pages = QList<int>(pages.begin(), pages.end());
    return result;
}
