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
    // The pupil a named copy of a class set was printed for: its photo is filed under them,
    // whoever is chosen in the menu.
    std::optional<qint64> child = std::nullopt;

    int pageCount() const;
    // Seven digits printed in the page's code beside the number: they tie the page to the
    // data file it was printed from (its installation number) and to the questions filed
    // there under the number, so that a page printed elsewhere is never marked against
    // questions its child did not see.
    QString pageCheck(int installationNumber, int page) const;

    friend bool operator==(const ScannableSheet &, const ScannableSheet &) = default;
};

namespace scannablesheets {

// Keeps the sheet under its number, which nothing in the data file may hold yet (see
// recordnumbers): a kept sheet is never replaced.
void store(Database &db, const ScannableSheet &sheet);
std::optional<ScannableSheet> find(Database &db, const QString &number);

// The pages of the sheet whose photos have been read, and marking them read; a page is read
// once, so that a photo taken again never overwrites what was filed.
QList<int> pagesRead(Database &db, const QString &number);
void markPagesRead(Database &db, const QString &number, const QList<int> &pages);

} // namespace scannablesheets
