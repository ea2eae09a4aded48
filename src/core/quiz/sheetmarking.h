#pragma once

#include <QMap>
#include <QString>

class Database;
class QDateTime;
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

struct StoredSheet
{
    enum class Outcome { Marked, Unfinished, AlreadyStored };
    Outcome outcome = Outcome::AlreadyStored;
    int wrong = 0; // of a marked sheet
    int unsure = 0; // answers left for the parent to type
};

// Stores a photographed sheet as a test under the sheet's number, with the answers read by
// their question's position (a page not photographed reads as nothing). When every answer
// is sure the test is marked at once, its wrong answers going into the book; otherwise it is
// stored unfinished with the unsure answers empty, to be finished in the test window. A sheet
// whose number is already a stored test is refused, never stored twice.
StoredSheet storeReadSheet(Database &db, Settings &settings, const ScannableSheet &sheet,
    const QMap<int, ReadAnswer> &answers, const QDateTime &now);

// What became of a photographed sheet, in a sentence for the parent.
QString storedSheetSummary(const ScannableSheet &sheet, const StoredSheet &stored);
