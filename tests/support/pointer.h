#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// A pointer movement delivered as the window system's are, through QApplication: a widget
// that does not take it passes it on to its parent. (QTest::mouseMove without a button
// down only moves the cursor, which the offscreen platform does not turn into events.)
inline void movePointer(QWidget *widget, QPoint at, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
        buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}
