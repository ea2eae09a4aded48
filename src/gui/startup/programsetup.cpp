#include "programsetup.h"

#include "cjkfont.h"
#include "chrome/messagebox.h"

#include "program/appcontext.h"
#include "program/programinfo.h"
#include "store/datafile.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <future>

using namespace Qt::Literals::StringLiterals;

namespace programsetup {

void setUpApplication()
{
    QApplication::setApplicationName(u"qrta"_s);
    // No display name: Qt would append it to every window title, message boxes included,
    // whose titles are the program's own. The desktop entry names the program instead.
    QApplication::setApplicationVersion(programinfo::version());
    QGuiApplication::setDesktopFileName(programinfo::applicationId());
    QApplication::setWindowIcon(
        QIcon::fromTheme(programinfo::applicationId(), QIcon(u":/icons/cn.chenxi.qrta.svg"_s)));
    QApplication::setFont(cjkFont(10));

    // Qt's own dialogs (print, files) speak the program's language: the system's Chinese,
    // or simplified Chinese on a system set to any other language. Their words come from
    // the translator, their dates and numbers from the default locale ("2026/12/7 18:39",
    // not "7 Dec 2026 18:39:53", which the file list's date column cuts short).
    const QLocale system = QLocale::system();
    const QLocale chinese = system.language() == QLocale::Chinese
        ? system
        : QLocale(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    auto *translator = new QTranslator(qApp);
    if (translator->load(
            chinese, u"qtbase"_s, u"_"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
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
    // Stretching the file's key and reading the system's font configuration are the two
    // longest steps before the menu can paint, and neither needs the other: the file opens
    // on a thread of its own (nothing of it touches the GUI) while this one lays out the
    // program's name in its font, which loads the font database the menu would load anyway.
    std::future<std::unique_ptr<AppContext>> opening = std::async(
        std::launch::async, [path] { return AppContext::open(path, datafile::Role::Program); });
    QFontMetrics(QApplication::font()).boundingRect(programinfo::productName());
    try {
        return opening.get();
    } catch (const DataFileError &error) {
        sayWhyNotStarting(error.message());
        *status = error.exitStatus();
    }
    return nullptr;
}

} // namespace programsetup
