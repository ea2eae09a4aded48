#pragma once

#include "support/messagecatcher.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The main of every window test: offscreen at a fixed 96 dpi, so that windows lay out alike
// on every machine, whether run by CTest or by hand; a message box no test armed for fails
// the test at once. Home is a folder of the run's own, so that what a window saves to the
// user's documents never lands in the real ones.
#define QRTA_GUI_TEST_MAIN(TestObject)                                                             \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        qunsetenv("QT_SCALE_FACTOR");                                                              \
        QTemporaryDir home;                                                                        \
        qputenv("HOME", QFile::encodeName(home.path()));                                           \
        QApplication::setAttribute(Qt::AA_Use96Dpi);                                               \
        QApplication app(argc, argv);                                                              \
        app.installEventFilter(new MessageCatcher::Watcher(&app));                                 \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
