#pragma once

#include <QKeySequence>
#include <QPoint>
#include <QString>

#include <optional>

// One step of a window test's row: "verb" or "verb:name", either with "@x,y" for where.
struct Step
{
    explicit Step(const QString &text)
        : verb(text.section(u'@', 0, 0).section(u':', 0, 0))
        , name(text.section(u'@', 0, 0).section(u':', 1))
    {
        if (text.contains(u'@'))
            at = QPoint(
                text.section(u'@', 1).section(u',', 0, 0).toInt(), text.section(u',', 1).toInt());
    }

    qint16 number() const { return qint16(name.toInt()); }
    Qt::Key key() const { return QKeySequence::fromString(name)[0].key(); }

    QString verb;
    QString name;
    std::optional<QPoint> at;
};
