#pragma once

#include "support/messagecatcher.h"

#include <QApplication>
#include <QTest>

// The main of every window test: offscreen at a fixed 96 dpi, so that windows lay out alike
// on every machine, whether run by CTest or by hand; a message box no test armed for fails
// the test at once.
#define QRTA_GUI_TEST_MAIN(TestObject)                                                             \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        qunsetenv("QT_SCALE_FACTOR");                                                              \
        QApplication::setAttribute(Qt::AA_Use96Dpi);                                               \
        QApplication app(argc, argv);                                                              \
        app.installEventFilter(new MessageCatcher::Watcher(&app));                                 \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
