#include "testitem.h"

#include "generate/blankform.h"
#include "generate/questionline.h"

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

TestItem testItemOf(const QString &line, int position)
{
    TestItem item;
    item.position = position;
    if (blankform::isBlank(line)) {
        item.question = blankform::question(line);
        item.answer = blankform::filler(line);
    } else {
        const QuestionParts parts = splitQuestionLine(line);
        item.question = parts.question;
        item.answer = parts.answer;
    }
    return item;
}

bool answersMatch(const QString &typed, const QString &expected)
{
    const QString a = normalised(typed);
    return !a.isEmpty() && a == normalised(expected);
}

QString elapsedText(qint64 seconds, TimeForm form)
{
    const qint64 minutes = seconds / 60;
    const qint64 rest = seconds % 60;
    if (form == TimeForm::Words) {
        if (minutes == 0)
            return u"%1 秒"_s.arg(rest);
        return rest == 0 ? u"%1 分"_s.arg(minutes) : u"%1 分 %2 秒"_s.arg(minutes).arg(rest);
    }
    return u"%1:%2:%3"_s.arg(minutes / 60, 2, 10, QChar(u'0'))
        .arg(minutes % 60, 2, 10, QChar(u'0'))
        .arg(rest, 2, 10, QChar(u'0'));
}
