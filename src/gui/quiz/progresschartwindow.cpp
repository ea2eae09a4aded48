#include "progresschartwindow.h"
#include "chrome/pictureregistry.h"

#include "cjkfont.h"
#include "chrome/hcommand.h"
#include "chrome/palette.h"
#include "quizlayout.h"

#include "generate/catalogue.h"
#include "program/appcontext.h"
#include "quiz/progressscale.h"

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
using namespace quizlayout::chart;

namespace {

// Both value axes run a twentieth beyond their first and last tick, so that a marker on 0 %
// or 100 % is drawn whole.
constexpr double kHeadroom = 0.05;

const QColor kScoreColour(palette::kInk);
const QColor kSpeedColour(quizpalette::kSpeedInk);

QColor levelColour(qint16 level)
{
    static_assert(std::size(quizpalette::kLevels) == catalogue::kMaxLevel);
    return level >= 1 && level <= catalogue::kMaxLevel ? QColor(quizpalette::kLevels[level - 1])
                                                       : QColor(Qt::gray);
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
    axis->setGridLineColor(QColor(quizpalette::kChartGrid));
    axis->setMinorGridLineVisible(false);
    return axis;
}

} // namespace

ProgressChartWindow::ProgressChartWindow(AppContext &context, QWidget *parent)
    : FeatureWindow(u"【晨曦算苑】-->〖成绩曲线〗"_s, kWindow, parent)
    , m_data(progressByType(context.database(), context.currentChild()))
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
        m_summary->setGeometry(kEmptySummary);
        m_summary->setText(u"每次交卷判分后的正确率和每题用时，都会画在这里。"_s);
        m_emptyNote->show();
        return;
    }
    showType(firstShownType(m_data, context.currentType()));
}

void ProgressChartWindow::buildUi()
{
    addBand(kBand);
    m_typeCaption = addLabel(u"题型："_s, kTypeCaption);
    m_typeCaption->setFont(cjkFont(12, true));

    m_typeChooser = new QComboBox(this);
    m_typeChooser->setObjectName(u"typeChooser"_s);
    m_typeChooser->setFont(cjkFont(11));
    m_typeChooser->setGeometry(kTypeChooser);
    m_typeChooser->setStyleSheet(
        u"QComboBox { background: white; border: 1px solid %1;"
        " border-radius: 4px; padding: 2px 8px; color: %2; }"_s.arg(
            palette::css(palette::kFaceOutline), palette::css(palette::kInk)));
    connect(m_typeChooser, &QComboBox::activated, this,
        [this](int index) { showType(qint16(m_typeChooser->itemData(index).toInt())); });

    m_summary = addLabel(QString(), kSummary);
    m_summary->setObjectName(u"summaryLine"_s);
    m_summary->setStyleSheet(palette::inkStyle(palette::kInk));

    m_buttons
        = { new HCommand(picture::kLeave, Back, this), makeCloseGlyph(CloseGlyph, u"关闭"_s) };
    placeInButtonRow(m_buttons[Back], 0);
    for (HCommand *b : std::as_const(m_buttons))
        connect(b, &HCommand::clicked, this, &FeatureWindow::leave);
    setButtons(m_buttons);

    m_emptyNote = addLabel(u"还没有判过卷的测试。\n"
                           "做完一次电脑测试并交卷，这里就会画出你的成绩曲线！"_s,
        kEmptyNote, 14);
    m_emptyNote->setObjectName(u"emptyNote"_s);
    m_emptyNote->setAlignment(Qt::AlignCenter);
    m_emptyNote->setStyleSheet(palette::inkStyle(palette::kPlaceholderInk));
    m_emptyNote->hide();

    m_hint = addLabel(
        u"提示：鼠标停在圆点或方点上，可以看到那次测试的编号、日期和成绩。"_s, kHint, 10);
    m_hint->setObjectName(u"hintLine"_s);
    m_hint->setStyleSheet(palette::inkStyle(quizpalette::kChartHint));
}

void ProgressChartWindow::buildChart()
{
    m_chart = new QChart;
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->setBackgroundRoundness(8);
    m_chart->setBackgroundBrush(Qt::white);
    m_chart->setBackgroundPen(QPen(QColor(palette::kBandRule)));
    m_chart->setMargins(QMargins(6, 6, 6, 2));
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->legend()->setFont(cjkFont(10));
    m_chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);

    m_timeAxis = new QDateTimeAxis;
    m_timeAxis->setTitleText(u"测试日期"_s);
    m_timeAxis->setTitleFont(cjkFont(10, true));
    m_timeAxis->setLabelsFont(cjkFont(9.5));
    m_timeAxis->setGridLineColor(QColor(quizpalette::kChartGrid));
    m_chart->addAxis(m_timeAxis, Qt::AlignBottom);

    m_scoreAxis = valueAxis(u"正确率（%）"_s, kScoreColour);
    m_scoreAxis->setTickType(QValueAxis::TicksDynamic);
    m_scoreAxis->setTickAnchor(0);
    m_scoreAxis->setTickInterval(100.0 / kChartSteps);
    m_scoreAxis->setRange(-100 * kHeadroom, 100 * (1 + kHeadroom));
    m_chart->addAxis(m_scoreAxis, Qt::AlignLeft);

    m_speedAxis = valueAxis(u"每题用时（秒）"_s, kSpeedColour);
    m_speedAxis->setGridLineVisible(false);
    m_speedAxis->setTickType(QValueAxis::TicksDynamic);
    m_speedAxis->setTickAnchor(0);
    m_chart->addAxis(m_speedAxis, Qt::AlignRight);

    m_view = new QChartView(m_chart, this);
    m_view->setObjectName(u"chartView"_s);
    m_view->setGeometry(kChart);
    m_view->setRenderHint(QPainter::Antialiasing);
    // Tool tips shown for the view follow its style sheet.
    m_view->setStyleSheet(u"QChartView { background: transparent; border: none; }"
                          " QToolTip { background: %1; color: %2;"
                          " border: 1px solid %3; padding: 6px; font-size: 11pt; }"_s.arg(
                              palette::css(palette::kCreamFace), palette::css(quizpalette::kTipInk),
                              palette::css(palette::kCreamOutline)));
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
            if (point.secondsPerQuestion)
                timeMarks->append(x, *point.secondsPerQuestion);
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
        // A photographed sheet's time was never taken: its speed is no point of the line.
        if (point.secondsPerQuestion)
            m_speedLine->append(x, *point.secondsPerQuestion);
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
    m_summary->setText(progressSummary(series));
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
        slowest = std::max(slowest, point.secondsPerQuestion.value_or(0));
    const double step = speedStep(slowest);
    const double top = step * kChartSteps;
    m_speedAxis->setTickInterval(step);
    m_speedAxis->setRange(-top * kHeadroom, top * (1 + kHeadroom));
}

QString ProgressChartWindow::pointText(int index) const
{
    const ProgressSeries *series = shownSeries();
    if (series == nullptr || index < 0 || index >= series->points.size())
        return {};
    return ::pointText(series->points.at(index));
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
            && (score ? candidate.percentRight : candidate.secondsPerQuestion.value_or(-1))
                == point.y()) {
            QToolTip::showText(QCursor::pos(), pointText(i), m_view);
            return;
        }
    }
}
