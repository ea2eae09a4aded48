#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

// Shows a window as the active one, so that its keys reach it as they would on a desktop.
inline void showActive(QWidget &window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("%s did not become active", window.metaObject()->className());
}
