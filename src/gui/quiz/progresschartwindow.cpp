#include "progresschartwindow.h"

#include "cjkfont.h"
#include "chrome/hcommand.h"
#include "chrome/titlestrip.h"

#include "worksheet/formatstamp.h"
#include "generate/catalogue.h"
#include "program/appcontext.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 600;
constexpr int kBandHeight = 52;
constexpr int kChartTop = TitleStrip::kHeight + kBandHeight + 4;
constexpr int kChartHeight = 470;
// Both value axes run a twentieth beyond their first and last tick, so that a marker on 0 %
// or 100 % is drawn whole, and both have five steps, so that the seconds sit on the grid
// lines of the per cent.
constexpr int kSteps = 5;
constexpr double kHeadroom = 0.05;

const QColor kScoreColour(0x1f, 0x4f, 0x86);
const QColor kSpeedColour(0xb0, 0x70, 0x20);

QColor levelColour(qint16 level)
{
    static const QColor colours[catalogue::kMaxLevel] = {
        QColor(0x2e, 0xa0, 0x4c), // 一级 green
        QColor(0x1e, 0x8a, 0xd6), // 二级 blue
        QColor(0x8e, 0x52, 0xd6), // 三级 violet
        QColor(0xf0, 0x8c, 0x00), // 四级 orange
        QColor(0xd8, 0x34, 0x3c), // 五级 red
    };
    return level >= 1 && level <= catalogue::kMaxLevel ? colours[level - 1] : Qt::gray;
}

// At most one decimal, and none when it would be 0.
QString decimal(double value)
{
    QString text = QString::number(value, 'f', 1);
    if (text.endsWith(u".0"_s))
        text.chop(2);
    return text;
}

QString durationText(qint64 seconds)
{
    if (seconds < 60)
        return u"%1 秒"_s.arg(seconds);
    if (seconds % 60 == 0)
        return u"%1 分"_s.arg(seconds / 60);
    return u"%1 分 %2 秒"_s.arg(seconds / 60).arg(seconds % 60);
}

struct TimeScale
{
    QDateTime from, to;
    int ticks = 2;
    QString format;
    QString title;
};

// The time axis runs from midnight to midnight, so that its evenly spaced ticks fall on whole
// days (or quarter and half days when the tests lie close together) and no label repeats or
// skips a date.
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

QValueAxis *valueAxis(const QString &title, const QColor &colour)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(cjkFont(10, true));
    axis->setTitleBrush(colour);
    axis->setLabelsFont(cjkFont(9.5));
    axis->setLabelsColor(colour);
    axis->setLabelFormat(u"%.0f"_s);
    axis->setLinePenColor(colour);
    axis->setGridLineColor(QColor(0xdd, 0xe6, 0xf0));
    axis->setMinorGridLineVisible(false);
    return axis;
}

} // namespace

ProgressChartWindow::ProgressChartWindow(AppContext &context, QWidget *parent)
    : FeatureWindow(u"【晨曦算苑】-->〖成绩曲线〗"_s, { kWidth, kHeight }, parent)
    , m_data(progressByType(context.database()))
{
    setFont(cjkFont(10.5));
    buildUi();
    buildChart();
    fillTypeChooser();

    if (m_data.isEmpty()) {
        m_view->hide();
        m_typeCaption->hide();
        m_typeChooser->hide();
        m_hint->hide();
        m_summary->setGeometry(20, m_summary->y(), kWidth - 40 - 130, m_summary->height());
        m_summary->setText(u"每次交卷判分后的正确率和每题用时，都会画在这里。"_s);
        m_emptyNote->show();
        return;
    }
    // Without marked tests of the menu's type, the type practised last is the likeliest wish.
    qint16 first = m_data.first().type;
    QDateTime latest = m_data.first().points.last().moment;
    for (const ProgressSeries &series : std::as_const(m_data)) {
        if (series.type == context.currentType()) {
            first = series.type;
            break;
        }
        if (series.points.last().moment > latest) {
            latest = series.points.last().moment;
            first = series.type;
        }
    }
    showType(first);
}

void ProgressChartWindow::buildUi()
{
    addBand(kBandHeight);

    const int bandMiddle = TitleStrip::kHeight + kBandHeight / 2;
    m_typeCaption = new QLabel(u"题型："_s, this);
    m_typeCaption->setFont(cjkFont(12, true));
    m_typeCaption->setGeometry(20, bandMiddle - 16, 60, 32);

    m_typeChooser = new QComboBox(this);
    m_typeChooser->setObjectName(u"typeChooser"_s);
    m_typeChooser->setFont(cjkFont(11));
    m_typeChooser->setGeometry(78, bandMiddle - 16, 210, 32);
    m_typeChooser->setStyleSheet(u"QComboBox { background: white; border: 1px solid #7fa7d4;"
                                 " border-radius: 4px; padding: 2px 8px; color: #1f4f86; }"_s);
    connect(m_typeChooser, &QComboBox::activated, this,
        [this](int index) { showType(qint16(m_typeChooser->itemData(index).toInt())); });

    m_summary = new QLabel(this);
    m_summary->setObjectName(u"summaryLine"_s);
    m_summary->setGeometry(306, bandMiddle - 16, kWidth - 306 - 130, 32);
    m_summary->setFont(cjkFont(10.5));
    m_summary->setStyleSheet(u"color: #1f4f86;"_s);

    m_buttons = { new HCommand(52, Back, this), makeCloseGlyph(CloseGlyph, u"关闭"_s) };
    placeInButtonRow(m_buttons[Back], 0);
    for (HCommand *b : std::as_const(m_buttons))
        connect(b, &HCommand::clicked, this, &FeatureWindow::leave);
    setButtons(m_buttons);

    m_emptyNote = new QLabel(u"还没有判过卷的测试。\n"
                             "做完一次电脑测试并交卷，这里就会画出你的成绩曲线！"_s,
        this);
    m_emptyNote->setObjectName(u"emptyNote"_s);
    m_emptyNote->setGeometry(20, kChartTop + 60, kWidth - 40, kChartHeight - 120);
    m_emptyNote->setAlignment(Qt::AlignCenter);
    m_emptyNote->setFont(cjkFont(14));
    m_emptyNote->setStyleSheet(u"color: #7890a8;"_s);
    m_emptyNote->hide();

    m_hint
        = new QLabel(u"提示：鼠标停在圆点或方点上，可以看到那次测试的编号、日期和成绩。"_s, this);
    m_hint->setObjectName(u"hintLine"_s);
    m_hint->setGeometry(20, kChartTop + kChartHeight + 6, kWidth - 40, 26);
    m_hint->setFont(cjkFont(10));
    m_hint->setStyleSheet(u"color: #5a7090;"_s);
}

void ProgressChartWindow::buildChart()
{
    m_chart = new QChart;
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->setBackgroundRoundness(8);
    m_chart->setBackgroundBrush(Qt::white);
    m_chart->setBackgroundPen(QPen(QColor(0xa9, 0xc6, 0xe8)));
    m_chart->setMargins(QMargins(6, 6, 6, 2));
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->legend()->setFont(cjkFont(10));
    m_chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);

    m_timeAxis = new QDateTimeAxis;
    m_timeAxis->setTitleText(u"测试日期"_s);
    m_timeAxis->setTitleFont(cjkFont(10, true));
    m_timeAxis->setLabelsFont(cjkFont(9.5));
    m_timeAxis->setGridLineColor(QColor(0xdd, 0xe6, 0xf0));
    m_chart->addAxis(m_timeAxis, Qt::AlignBottom);

    m_scoreAxis = valueAxis(u"正确率（%）"_s, kScoreColour);
    m_scoreAxis->setTickType(QValueAxis::TicksDynamic);
    m_scoreAxis->setTickAnchor(0);
    m_scoreAxis->setTickInterval(100.0 / kSteps);
    m_scoreAxis->setRange(-100 * kHeadroom, 100 * (1 + kHeadroom));
    m_chart->addAxis(m_scoreAxis, Qt::AlignLeft);

    m_speedAxis = valueAxis(u"每题用时（秒）"_s, kSpeedColour);
    m_speedAxis->setGridLineVisible(false);
    m_speedAxis->setTickType(QValueAxis::TicksDynamic);
    m_speedAxis->setTickAnchor(0);
    m_chart->addAxis(m_speedAxis, Qt::AlignRight);

    m_view = new QChartView(m_chart, this);
    m_view->setObjectName(u"chartView"_s);
    m_view->setGeometry(14, kChartTop, kWidth - 28, kChartHeight);
    m_view->setRenderHint(QPainter::Antialiasing);
    // Tool tips shown for the view follow its style sheet.
    m_view->setStyleSheet(u"QChartView { background: transparent; border: none; }"
                          " QToolTip { background: #fffbea; color: #333333;"
                          " border: 1px solid #e0b04a; padding: 6px; font-size: 11pt; }"_s);
}

void ProgressChartWindow::fillTypeChooser()
{
    for (const ProgressSeries &series : std::as_const(m_data)) {
        m_typeChooser->addItem(
            u"%1（%2 次）"_s.arg(catalogue::typeLabel(series.type)).arg(series.points.size()),
            int(series.type));
    }
}

const ProgressSeries *ProgressChartWindow::shownSeries() const
{
    for (const ProgressSeries &series : m_data) {
        if (series.type == m_shownType)
            return &series;
    }
    return nullptr;
}

void ProgressChartWindow::showType(qint16 type)
{
    const auto found = std::find_if(
        m_data.cbegin(), m_data.cend(), [type](const ProgressSeries &s) { return s.type == type; });
    if (found == m_data.cend())
        return;
    m_shownType = type;
    m_typeChooser->setCurrentIndex(m_typeChooser->findData(int(type)));
    const ProgressSeries &series = *found;

    QToolTip::hideText();
    m_chart->removeAllSeries();
    m_levelMarks.clear();

    m_scoreLine = new QLineSeries;
    m_scoreLine->setName(u"正确率（圆点）"_s);
    m_scoreLine->setPen(QPen(kScoreColour, 2.5));
    m_speedLine = new QLineSeries;
    m_speedLine->setName(u"每题用时（方点）"_s);
    m_speedLine->setPen(QPen(kSpeedColour, 2, Qt::DashLine));

    // Circles on the score line carry the level in the legend; squares of the same colours
    // on the time line need no second entry.
    QList<QScatterSeries *> speedMarks;
    for (qint16 level = 1; level <= catalogue::kMaxLevel; ++level) {
        auto *scoreMarks = new QScatterSeries;
        scoreMarks->setName(catalogue::levelName(level));
        scoreMarks->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        scoreMarks->setMarkerSize(13);
        scoreMarks->setColor(levelColour(level));
        scoreMarks->setBorderColor(Qt::white);
        auto *timeMarks = new QScatterSeries;
        timeMarks->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        timeMarks->setMarkerSize(10);
        timeMarks->setColor(levelColour(level));
        timeMarks->setBorderColor(Qt::white);
        for (const ProgressPoint &point : series.points) {
            if (point.level != level)
                continue;
            const auto x = qreal(point.moment.toMSecsSinceEpoch());
            scoreMarks->append(x, point.percentRight);
            timeMarks->append(x, point.secondsPerQuestion);
        }
        if (scoreMarks->count() == 0) {
            delete scoreMarks;
            delete timeMarks;
            continue;
        }
        m_levelMarks << scoreMarks;
        speedMarks << timeMarks;
    }
    for (const ProgressPoint &point : series.points) {
        const auto x = qreal(point.moment.toMSecsSinceEpoch());
        m_scoreLine->append(x, point.percentRight);
        m_speedLine->append(x, point.secondsPerQuestion);
    }

    m_chart->addSeries(m_scoreLine);
    m_chart->addSeries(m_speedLine);
    for (QScatterSeries *marks : std::as_const(m_levelMarks))
        m_chart->addSeries(marks);
    for (QScatterSeries *marks : std::as_const(speedMarks))
        m_chart->addSeries(marks);
    for (QAbstractSeries *s : m_chart->series()) {
        s->attachAxis(m_timeAxis);
        auto *xy = static_cast<QXYSeries *>(s);
        const bool score = s == m_scoreLine || m_levelMarks.contains(s);
        s->attachAxis(score ? m_scoreAxis : m_speedAxis);
        if (s != m_scoreLine && s != m_speedLine) {
            connect(xy, &QXYSeries::hovered, this,
                [this, xy](const QPointF &point, bool state) { showPointTip(xy, point, state); });
        }
    }
    for (QScatterSeries *marks : std::as_const(speedMarks)) {
        for (QLegendMarker *marker : m_chart->legend()->markers(marks))
            marker->setVisible(false);
    }

    fitAxes(series);
    showSummary(series);
}

void ProgressChartWindow::fitAxes(const ProgressSeries &series)
{
    const TimeScale scale = timeScale(series.points.first().moment, series.points.last().moment);
    m_timeAxis->setRange(scale.from, scale.to);
    m_timeAxis->setTickCount(scale.ticks);
    m_timeAxis->setFormat(scale.format);
    m_timeAxis->setTitleText(scale.title);

    double slowest = 0;
    for (const ProgressPoint &point : series.points)
        slowest = std::max(slowest, point.secondsPerQuestion);
    // The clock stops at three hours, so a step of 2500 s covers any test of ten questions.
    static constexpr double steps[] = { 1, 2, 3, 4, 5, 6, 8, 10, 12, 15, 20, 25, 30, 40, 50, 60, 80,
        100, 120, 150, 200, 250, 300, 400, 500, 600, 800, 1000, 1200, 1500, 2000, 2500 };
    const double *step = std::find_if(std::begin(steps), std::end(steps) - 1,
        [slowest](double s) { return s * kSteps >= slowest; });
    const double top = *step * kSteps;
    m_speedAxis->setTickInterval(*step);
    m_speedAxis->setRange(-top * kHeadroom, top * (1 + kHeadroom));
}

void ProgressChartWindow::showSummary(const ProgressSeries &series)
{
    const ProgressPoint &latest = series.points.last();
    double best = 0;
    for (const ProgressPoint &point : series.points)
        best = std::max(best, point.percentRight);
    m_summary->setText(u"共 %1 次 · 最近一次 %2%、每题 %3 秒 · 最好 %4%"_s.arg(series.points.size())
                           .arg(decimal(latest.percentRight))
                           .arg(decimal(latest.secondsPerQuestion))
                           .arg(decimal(best)));
}

QString ProgressChartWindow::pointText(int index) const
{
    const ProgressSeries *series = shownSeries();
    if (series == nullptr || index < 0 || index >= series->points.size())
        return {};
    const ProgressPoint &point = series->points.at(index);
    return u"试卷编号：%1\n日期：%2\n难度：%3\n正确率：%4%（%5 题对 %6 题）\n"
           "每题用时：%7 秒（共 %8）"_s.arg(point.number)
               .arg(formatStamp(point.moment, 1, true))
               .arg(catalogue::levelName(point.level))
               .arg(decimal(point.percentRight))
               .arg(point.count)
               .arg(point.right)
               .arg(decimal(point.secondsPerQuestion))
               .arg(durationText(point.elapsed));
}

void ProgressChartWindow::showPointTip(QXYSeries *series, const QPointF &point, bool entered)
{
    if (!entered) {
        QToolTip::hideText();
        return;
    }
    const ProgressSeries *shown = shownSeries();
    if (shown == nullptr)
        return;
    const bool score = m_levelMarks.contains(series);
    for (int i = 0; i < shown->points.size(); ++i) {
        const ProgressPoint &candidate = shown->points.at(i);
        if (qreal(candidate.moment.toMSecsSinceEpoch()) == point.x()
            && (score ? candidate.percentRight : candidate.secondsPerQuestion) == point.y()) {
            QToolTip::showText(QCursor::pos(), pointText(i), m_view);
            return;
        }
    }
}
