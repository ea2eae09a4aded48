#include "testitem.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Digits without leading zeros; empty when the text is not a whole number.
QString normalised(const QString &digits)
{
    QString text = digits.trimmed();
    bool negative = false;
    if (text.startsWith(u'-')) {
        negative = true;
        text.remove(0, 1);
    }
    if (text.isEmpty())
        return QString();
    for (QChar ch : text) {
        if (!ch.isDigit() || ch.unicode() > u'9')
            return QString();
    }
    while (text.size() > 1 && text.front() == u'0')
        text.remove(0, 1);
    return negative && text != u"0"_s ? u'-' + text : text;
}

} // namespace

bool answersMatch(const QString &typed, const QString &expected)
{
    const QString a = normalised(typed);
    return !a.isEmpty() && a == normalised(expected);
}

QString elapsedText(int seconds)
{
    const int hours = seconds / 3600;
    const int minutes = (seconds - hours * 3600) / 60;
    const int rest = seconds - hours * 3600 - minutes * 60;
    return u"%1:%2:%3"_s.arg(hours, 2, 10, QChar(u'0'))
        .arg(minutes, 2, 10, QChar(u'0'))
        .arg(rest, 2, 10, QChar(u'0'));
}
