#include "programsetup.h"

#include "cjkfont.h"
#include "messagebox.h"

#include "shell/appcontext.h"
#include "shell/programinfo.h"
#include "store/datafile.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace programsetup {

void setUpApplication()
{
    QApplication::setApplicationName(u"qrta"_s);
    QApplication::setApplicationDisplayName(programinfo::productName());
    QApplication::setApplicationVersion(programinfo::version());
    QGuiApplication::setDesktopFileName(programinfo::applicationId());
    QApplication::setWindowIcon(
        QIcon::fromTheme(programinfo::applicationId(), QIcon(u":/icons/cn.chenxi.qrta.svg"_s)));
    QApplication::setFont(cjkFont(10));
}

void sayWhyNotStarting(const QString &text)
{
    std::fprintf(stderr, "qrta：%s\n", text.toLocal8Bit().constData());
    const QString platform = QGuiApplication::platformName();
    if (platform != u"offscreen"_s && platform != u"minimal"_s)
        showMessage(nullptr, text);
}

std::unique_ptr<AppContext> openDataFile(const QString &path, int *status)
{
    try {
        return AppContext::open(path, datafile::Role::Program);
    } catch (const DataFileError &error) {
        sayWhyNotStarting(error.message());
        *status = error.exitStatus();
    }
    return nullptr;
}

} // namespace programsetup
