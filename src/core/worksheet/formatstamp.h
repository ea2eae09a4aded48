#pragma once

#include <QDateTime>
#include <QString>

// A moment as digits, for sheet and test numbers and for display: precision
// 1 year to minute, 2 to hour, 3 to day, 4 year and month, 5 year, anything
// else year to second. Separated: "yyyy-mm-dd hh:nn:ss"; not: "yyyymmddhhnnss".
QString formatStamp(const QDateTime &moment, qint16 precision, bool separated);

// The number of a sheet or a test: "05_3_60_20110830063648" is type 5 in two
// digits, level 3, 60 questions, made at that moment.
QString recordNumber(qint16 type, qint16 level, int questionCount, const QDateTime &moment);
