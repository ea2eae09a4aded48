#pragma once

#include <QList>
#include <QMap>
#include <QString>

class Database;
class Settings;
struct ScanRoom;
struct ScannableSheet;

// What the reader made of one answer room of a photographed sheet.
struct ReadAnswer
{
    QString digits; // empty where nothing could be read
    bool sure = false;
};

// An answer read is right or wrong only where the reader is sure of it; nothing read counts
// as unsure too, so that a skipped question is the parent's to judge.
enum class Verdict { Right, Wrong, Unsure };
Verdict verdictOf(const ScanRoom &room, const ReadAnswer &answer);
QString verdictWord(Verdict verdict); // "right", "wrong", "unsure"
// What stands in a room where the parent, looking at the paper, says the child wrote nothing:
// a sure answer, and a wrong one.
QString nothingWritten(); // "—"

struct StoredSheet
{
    // Marked: every page read and every answer sure. Unfinished: kept as a test that a page
    // or the parent's typing is still to finish. AlreadyStored: nothing new, every page given
    // had been read before (or the test was handed in).
    enum class Outcome { Marked, Unfinished, AlreadyStored };
    Outcome outcome = Outcome::AlreadyStored;
    int wrong = 0; // of a marked sheet
    int unsure = 0; // answers on the pages read so far left for the parent to type
    QList<int> pagesRead; // now
    QList<int> pagesReadBefore; // given again, refused
    QList<int> pagesToCome; // not read yet
};

// Files the pages of a photographed sheet read now as its test, all or nothing, in one
// transaction: the test under the sheet's number when its first page comes, the answers of
// each page not read before by their question's position (unsure ones left empty), and the
// marking with the wrong answers going into the book once every page has been read and every
// answer is sure. A page read before is never read over. A failure leaves the data file as
// it was, so that the same photos can simply be marked again.
// A sheet met for the first time is stored as child's test (the first child's where none is
// given).
StoredSheet storeReadSheet(Database &db, Settings &settings, const ScannableSheet &sheet,
    const QList<int> &pages, const QMap<int, ReadAnswer> &answers,
    std::optional<qint64> child = std::nullopt);

// What became of a photographed sheet, in a sentence or two for the parent.
QString storedSheetSummary(const ScannableSheet &sheet, const StoredSheet &stored);
