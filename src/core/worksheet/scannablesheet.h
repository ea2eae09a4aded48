#pragma once

#include <QList>
#include <QRectF>
#include <QString>

#include <optional>

class Database;

// One question of a sheet printed to be photographed: where its answer is written.
struct ScanRoom
{
    int position = 0; // 1, 2, 3 … in sheet order
    int page = 1;
    QString question; // as a test item keeps it: up to "＝", or the blank question
    QString answer;
    QRectF room; // in millimetres of the page's frame (see the reader's page frame)
    qint16 type = 0; // the question's own, for the wrong-answer book
    qint16 level = 0;

    friend bool operator==(const ScanRoom &, const ScanRoom &) = default;
};

// A sheet printed with corner marks and a code, kept in the data file so that a photo of it
// can be marked days later: every copy of a class set is a sheet of its own.
struct ScannableSheet
{
    QString number;
    QString typeName; // as the records show it: "A + B" or "综合练习"
    QString levelName;
    QList<ScanRoom> rooms;

    int pageCount() const;
};

namespace scannablesheets {

// Keeps the sheet, replacing what an earlier print of the same number kept.
void store(Database &db, const ScannableSheet &sheet);
std::optional<ScannableSheet> find(Database &db, const QString &number);

} // namespace scannablesheets
