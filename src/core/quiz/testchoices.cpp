#include "testchoices.h"

#include "generate/catalogue.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

TestChoices TestChoices::fromSetting(const QString &value, qint16 type)
{
    TestChoices choices;
    const QStringList fields = value.split(u'\\');
    if (value.isEmpty() || fields.size() < 2)
        return choices;
    bool levelOk = false, countOk = false;
    const int level = fields.at(0).trimmed().toInt(&levelOk);
    const int count = fields.at(1).trimmed().toInt(&countOk);
    if (levelOk && catalogue::offersLevel(type, qint16(level)))
        choices.level = qint16(level);
    if (countOk && count >= kMinCount && count <= kMaxCount)
        choices.count = count;
    return choices;
}

QString TestChoices::toSetting() const
{
    return u"%1\\%2"_s.arg(level).arg(count);
}
