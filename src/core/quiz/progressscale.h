#pragma once

#include <QDateTime>
#include <QString>

// The time axis of the progress chart. It runs from midnight to midnight, so that its evenly
// spaced ticks fall on whole days (or quarter and half days when the tests lie close
// together) and no label repeats or skips a date.
struct TimeScale
{
    QDateTime from, to;
    int ticks = 2;
    QString format;
    QString title;
};

TimeScale timeScale(const QDateTime &first, const QDateTime &last);

// Both value axes of the chart have this many steps, so that the seconds sit on the grid
// lines of the per cent.
inline constexpr int kChartSteps = 5;

// The step of the seconds axis: the least of a row of round numbers whose kChartSteps steps
// reach the slowest test.
double speedStep(double slowestSecondsPerQuestion);
