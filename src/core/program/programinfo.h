#pragma once

#include <QString>
#include <QUrl>

// Names the program shows and registers under. The application id names the
// .desktop file, the AppStream component and the icon alike; change all of
// resources/desktop with it.
namespace programinfo {

QString productName(); // 晨曦算苑
QString title(); // 【晨曦算苑】
QString subtitle();
QString version(); // 7.0
QString messageTitle(); // the title of every message box
QString applicationId(); // reverse-DNS, as in the .desktop file name

// The maker's pages behind the links of the menu and the about window.
QUrl homePage();
QUrl parentsPage();
QUrl feedbackAddress();

} // namespace programinfo
