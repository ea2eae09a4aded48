#include "formatstamp.h"

using namespace Qt::Literals::StringLiterals;

QString formatStamp(const QDateTime &moment, qint16 precision, bool separated)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    auto two = [](int value) { return u"%1"_s.arg(value, 2, 10, QChar(u'0')); };

    // How many of year, month, day, hour, minute, second are written.
    int parts = 6;
    if (precision >= 1 && precision <= 5)
        parts = 6 - precision;

    QString text = QString::number(date.year());
    const int values[5] = { date.month(), date.day(), time.hour(), time.minute(), time.second() };
    for (int i = 0; i < parts - 1; ++i) {
        if (separated)
            text += i < 2 ? u"-"_s : (i == 2 ? u" "_s : u":"_s);
        text += two(values[i]);
    }
    return text;
}

QString recordNumber(qint16 type, qint16 level, int questionCount, const QDateTime &moment)
{
    return u"%1_%2_%3_%4"_s.arg(int(type), 2, 10, QChar(u'0'))
        .arg(level)
        .arg(questionCount)
        .arg(formatStamp(moment, 0, false));
}
