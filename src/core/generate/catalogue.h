#pragma once

#include <QString>
#include <QStringList>

// The ten question types, their names, labels and level captions. Type names
// and level names are stored verbatim in test records and printed in sheet
// titles, so their texts are part of the data format.
namespace catalogue {

constexpr qint16 kTypeCount = 10;
constexpr qint16 kMaxLevel = 5;

bool isType(qint16 type);
// Levels offered by the type's level lists: 1..5, or 1..3 for type 10; 0 for
// an unknown type.
qint16 levelCount(qint16 type);
bool offersLevel(qint16 type, qint16 level);

QString typeName(qint16 type); // "A + B" … "四则混合"
QString levelName(qint16 level); // "一级" … "五级"
QString typeLabel(qint16 type); // "①〖A+B〗" …, used in window titles
QStringList levelCaptions(qint16 type);

// Whole tables, index type − 1 and level − 1.
QStringList typeNames();
QStringList levelNames();

} // namespace catalogue
