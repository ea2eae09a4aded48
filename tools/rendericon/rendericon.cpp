// Renders the program's SVG icon to the PNG sizes of the hicolor theme at build time:
//   qrta_render_icon ICON.svg OUTPUT_FOLDER SIZE...
// writes OUTPUT_FOLDER/hicolor/SIZExSIZE/apps/<name of ICON.svg>.png for each size.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fputs("usage: qrta_render_icon ICON.svg OUTPUT_FOLDER SIZE...\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(arguments.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "qrta_render_icon: cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    const QString name = QFileInfo(arguments.at(1)).completeBaseName();
    for (const QString &argument : arguments.mid(3)) {
        const int size = argument.toInt();
        if (size <= 0) {
            std::fprintf(stderr, "qrta_render_icon: bad size %s\n", qPrintable(argument));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        const QString folder = u"%1/hicolor/%2x%2/apps"_s.arg(arguments.at(2)).arg(size);
        if (!QDir().mkpath(folder) || !image.save(u"%1/%2.png"_s.arg(folder, name))) {
            std::fprintf(stderr, "qrta_render_icon: cannot write into %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
