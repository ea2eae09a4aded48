#include "progressseries.h"

#include "generate/catalogue.h"
#include "worksheet/formatstamp.h"
#include "testitem.h"
#include "testrecords.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Placed
{
    qint16 type = 0;
    ProgressPoint point;
};

std::optional<Placed> place(const TestRecord &record)
{
    if (record.marked.value_or(0) != 1)
        return std::nullopt;
    static const QRegularExpression numberForm(u"^(\\d{2})_(\\d)_(\\d+)_(\\d{14})$"_s);
    const QRegularExpressionMatch match = numberForm.match(record.number);
    if (!match.hasMatch())
        return std::nullopt;
    const auto type = qint16(match.captured(1).toInt());
    const auto level = qint16(match.captured(2).toInt());
    if (!catalogue::offersLevel(type, level))
        return std::nullopt;
    const QDateTime moment = QDateTime::fromString(match.captured(4), u"yyyyMMddHHmmss"_s);
    if (!moment.isValid())
        return std::nullopt;

    const qint64 count = record.count.value_or(0);
    const qint64 right = record.right.value_or(-1);
    if (count <= 0 || right < 0 || right > count || record.elapsed.value_or(0) < 0)
        return std::nullopt;

    Placed placed;
    placed.type = type;
    ProgressPoint &point = placed.point;
    point.number = record.number;
    point.moment = moment;
    point.level = level;
    point.count = count;
    point.right = right;
    point.elapsed = record.elapsed;
    point.percentRight = 100.0 * double(right) / double(count);
    if (record.elapsed)
        point.secondsPerQuestion = double(*record.elapsed) / double(count);
    return placed;
}

// At most one decimal, and none when it would be 0.
QString decimal(double value)
{
    QString text = QString::number(value, 'f', 1);
    if (text.endsWith(u".0"_s))
        text.chop(2);
    return text;
}

} // namespace

QList<ProgressSeries> progressByType(const QList<TestRecord> &records)
{
    std::map<qint16, QList<ProgressPoint>> byType;
    // Oldest row first, so that two tests of the same second keep the order they were taken in.
    for (auto record = records.crbegin(); record != records.crend(); ++record) {
        if (std::optional<Placed> placed = place(*record))
            byType[placed->type] << placed->point;
    }

    QList<ProgressSeries> result;
    for (auto &[type, points] : byType) {
        // The chart runs by the moment of the test, which a restored or merged file need not
        // keep in row order.
        std::stable_sort(points.begin(), points.end(),
            [](const ProgressPoint &a, const ProgressPoint &b) { return a.moment < b.moment; });
        result << ProgressSeries { type, points };
    }
    return result;
}

QList<ProgressSeries> progressByType(Database &db, qint64 child)
{
    return progressByType(listTestRecords(db, child));
}

qint16 firstShownType(const QList<ProgressSeries> &chart, qint16 currentType)
{
    if (chart.isEmpty())
        return 0;
    qint16 first = chart.first().type;
    QDateTime latest = chart.first().points.last().moment;
    for (const ProgressSeries &series : chart) {
        if (series.type == currentType)
            return series.type;
        if (series.points.last().moment > latest) {
            latest = series.points.last().moment;
            first = series.type;
        }
    }
    return first;
}

QString progressSummary(const ProgressSeries &series)
{
    const ProgressPoint &latest = series.points.last();
    double best = 0;
    for (const ProgressPoint &point : series.points)
        best = std::max(best, point.percentRight);
    const QString latestTime = latest.secondsPerQuestion
        ? u"、每题 %1 秒"_s.arg(decimal(*latest.secondsPerQuestion))
        : QString();
    return u"共 %1 次 · 最近一次 %2%%3 · 最好 %4%"_s.arg(series.points.size())
        .arg(decimal(latest.percentRight), latestTime, decimal(best));
}

QString pointText(const ProgressPoint &point)
{
    const QString time = point.elapsed
        ? u"每题用时：%1 秒（共 %2）"_s.arg(decimal(point.secondsPerQuestion.value_or(0)),
            elapsedText(*point.elapsed, TimeForm::Words))
        : u"写在纸上、拍照批改，没有计时"_s;
    return u"试卷编号：%1\n日期：%2\n难度：%3\n正确率：%4%（%5 题对 %6 题）\n%7"_s.arg(point.number)
        .arg(formatStamp(point.moment, 1, true))
        .arg(catalogue::levelName(point.level))
        .arg(decimal(point.percentRight))
        .arg(point.count)
        .arg(point.right)
        .arg(time);
}
