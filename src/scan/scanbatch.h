#pragma once

#include "pagefinder.h"

#include "quiz/sheetmarking.h"
#include "worksheet/scannablesheet.h"

#include <QHash>
#include <QMap>
#include <QStringList>

class Database;
class QDateTime;
class Settings;

// Photos of scannable sheets marked together: the pages of each sheet gathered from photos
// in any order, and each sheet stored once every photo has been read. Finding a page is the
// slow part and touches no data file, so it may run on another thread; the rest runs where
// the data file is open.
class ScanBatch
{
public:
    // One photo read.
    struct Page
    {
        QString path;
        std::optional<FoundPage> found;
        QString problem; // in Chinese, where the photo holds no page of a known sheet
        QMap<int, ReadAnswer> answers; // of the questions on this page, by position
        ScannableSheet sheet; // the sheet the page belongs to
    };
    // One sheet stored.
    struct Sheet
    {
        ScannableSheet sheet;
        QMap<int, ReadAnswer> answers;
        StoredSheet stored;
    };

    explicit ScanBatch(Database &db);

    static std::optional<FoundPage> find(const QString &path, QString *problem);
    // Reads the answers of a page found, or tells why there are none.
    Page add(const QString &path, const std::optional<FoundPage> &found, const QString &problem);
    // Stores every sheet that has a page, in the order their first pages came.
    QList<Sheet> store(Settings &settings, const QDateTime &now);

private:
    Database &m_db;
    QStringList m_numbers;
    QHash<QString, Sheet> m_sheets;
};
