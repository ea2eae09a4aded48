#pragma once

#include <QDateTime>
#include <QString>

// A moment as digits, for sheet and test numbers and for display: precision
// 1 year to minute, 2 to hour, 3 to day, 4 year and month, 5 year, anything
// else year to second. Separated: "yyyy-mm-dd hh:nn:ss"; not: "yyyymmddhhnnss".
QString formatStamp(const QDateTime &moment, qint16 precision, bool separated);
