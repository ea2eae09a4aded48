#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class Database;
struct TestRecord;

// One marked test as a point of the progress chart.
struct ProgressPoint
{
    QString number {}; // bh, for the tool tip
    QDateTime moment {}; // the stamp in the number, local time
    qint16 level = 0;
    qint64 count = 0; // ts
    qint64 right = 0; // zqs
    // js, seconds; none for a sheet written on paper and photographed, whose time nobody took
    std::optional<qint64> elapsed {};
    double percentRight = 0; // zqs / ts × 100
    std::optional<double> secondsPerQuestion {}; // js / ts
};

// Every charted test of one question type, oldest first.
struct ProgressSeries
{
    qint16 type = 0;
    QList<ProgressPoint> points;
};

// The marked tests as points, one series per question type that has any, in type order.
// A test is left out when its number does not read as type, level, count and stamp, when its
// type is none of the catalogue's (practice runs from the wrong-answer book mix the types),
// or when its counts do not add up; one damaged row must not cost the child the whole chart.
QList<ProgressSeries> progressByType(const QList<TestRecord> &records);
QList<ProgressSeries> progressByType(Database &db, qint64 child);

// The type the chart opens on: the menu's type when it has marked tests, else the type
// practised last, the likeliest wish; 0 when nothing is charted.
qint16 firstShownType(const QList<ProgressSeries> &chart, qint16 currentType);

// The line above the chart: how many tests, the latest and the best.
QString progressSummary(const ProgressSeries &series);
// The tool tip of one point: the test's number, date, level, score and time.
QString pointText(const ProgressPoint &point);
