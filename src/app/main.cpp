#include "typelistwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qrta"));
    QApplication::setApplicationDisplayName(QStringLiteral("晨曦算苑"));

    TypeListWindow window;
    window.show();
    return app.exec();
}
