#pragma once

#include "photoreader.h"

#include "quiz/sheetmarking.h"
#include "worksheet/scannablesheet.h"

#include <QHash>
#include <QMap>
#include <QStringList>

class Database;
class Settings;

// Photos of scannable sheets marked together: the pages of each sheet gathered from photos
// in any order, and each sheet stored once every photo has been read. Finding a page is the
// slow part and touches no data file, so it may run on another thread (and before the data
// file is opened); the rest runs where the data file is open. A page whose code does not
// match what this data file filed under its number, or that came in an earlier photo of the
// batch, is not read.
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
        QMap<int, QString> pathOfPage; // the photo each page came in
        QMap<int, ReadAnswer> answers;
        StoredSheet stored;
    };

    ScanBatch(Database &db, Settings &settings);
    // The child a sheet met for the first time is stored for; the first child unless set.
    void setChild(qint64 child) { m_child = child; }

    // Through the reader module, loaded on the first photo; where it cannot be, *problem says
    // so, as for a photo that holds no page.
    static std::optional<FoundPage> find(const QString &path, QString *problem);
    // Reads the answers of a page found, or tells why there are none.
    Page add(const QString &path, const std::optional<FoundPage> &found, const QString &problem);
    // What the parent, looking at the paper, says a room of a sheet read in this batch holds;
    // it counts as sure. Nothing for a sheet or a position the batch has not read.
    void correct(const QString &number, int position, const ReadAnswer &answer);
    // Stores every sheet that has a page, in the order their first pages came, each in a
    // transaction of its own.
    QList<Sheet> store();

private:
    Database &m_db;
    Settings &m_settings;
    std::optional<qint64> m_child;
    QStringList m_numbers;
    QHash<QString, Sheet> m_sheets;
};
