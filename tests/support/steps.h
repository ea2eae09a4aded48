#pragma once

#include <QApplication>
#include <QKeySequence>
#include <QMouseEvent>
#include <QWidget>

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

// A pointer movement delivered as the window system's are, through QApplication: a widget
// that does not take it passes it on to its parent. (QTest::mouseMove without a button
// down only moves the cursor, which the offscreen platform does not turn into events.)
inline void movePointer(QWidget *widget, QPoint at, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
        buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}
