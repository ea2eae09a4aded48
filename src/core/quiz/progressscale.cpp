#include "progressscale.h"

#include <algorithm>
#include <iterator>

using namespace Qt::Literals::StringLiterals;

TimeScale timeScale(const QDateTime &first, const QDateTime &last)
{
    // Room for the markers of the outer points, which the plot area clips.
    const qint64 margin = std::max(qint64(3600) * 1000, first.msecsTo(last) / 40);
    const QDate firstDay = first.addMSecs(-margin).date();
    const QDate lastDay = last.addMSecs(margin).date();
    auto days = int(firstDay.daysTo(lastDay)) + 1;

    TimeScale scale;
    scale.title = u"测试日期"_s;
    int ticksPerDay = 1;
    if (days == 1) {
        ticksPerDay = 4;
        scale.format = u"HH:mm"_s;
        scale.title = u"测试时间（%1）"_s.arg(firstDay.toString(u"yyyy年M月d日"_s));
    } else if (days <= 3) {
        ticksPerDay = 2;
        scale.format = u"M月d日 HH:mm"_s;
    } else {
        const bool years = firstDay.year() != lastDay.year();
        scale.format = years ? u"yyyy年M月d日"_s : u"M月d日"_s;
        const int most = years ? 6 : 8; // intervals whose labels fit side by side
        const int step = (days + most - 1) / most;
        days = (days + step - 1) / step * step;
        scale.ticks = days / step + 1;
    }
    if (ticksPerDay > 1)
        scale.ticks = days * ticksPerDay + 1;
    scale.from = firstDay.startOfDay();
    scale.to = firstDay.addDays(days).startOfDay();
    return scale;
}

double speedStep(double slowestSecondsPerQuestion)
{
    // The clock stops at three hours, so a step of 2500 s covers any test of ten questions.
    static constexpr double steps[] = { 1, 2, 3, 4, 5, 6, 8, 10, 12, 15, 20, 25, 30, 40, 50, 60, 80,
        100, 120, 150, 200, 250, 300, 400, 500, 600, 800, 1000, 1200, 1500, 2000, 2500 };
    return *std::find_if(
        std::begin(steps), std::end(steps) - 1, [slowestSecondsPerQuestion](double s) {
            return s * kChartSteps >= slowestSecondsPerQuestion;
        });
}
