#pragma once

#include "chrome/featurewindow.h"
#include "quiz/progressseries.h"

#include <QList>

class AppContext;
class HCommand;
class QChart;
class QChartView;
class QComboBox;
class QDateTimeAxis;
class QLabel;
class QLineSeries;
class QPointF;
class QScatterSeries;
class QValueAxis;
class QXYSeries;

// 成绩曲线: for one question type at a time, the per cent right and the seconds per question
// of every marked test over time, each point in the colour of the test's level.
class ProgressChartWindow final : public FeatureWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgressChartWindow)

public:
    enum Button : qint16 { Back = 0, CloseGlyph = 1 };

    explicit ProgressChartWindow(AppContext &context, QWidget *parent = nullptr);

    // The type on show, 0 while no test has been marked. Choosing a type without marked tests
    // changes nothing.
    qint16 shownType() const { return m_shownType; }
    void showType(qint16 type);

    // The tool tip of the shown type's test at index, oldest first.
    QString pointText(int index) const;

    HCommand *button(Button index) const { return m_buttons.at(index); }
    QComboBox *typeChooser() const { return m_typeChooser; }
    QChartView *chartView() const { return m_view; }
    QLineSeries *scoreLine() const { return m_scoreLine; }
    QLineSeries *speedLine() const { return m_speedLine; }
    // The level markers on the score line, one series per level on show.
    const QList<QScatterSeries *> &levelMarks() const { return m_levelMarks; }
    QLabel *emptyNote() const { return m_emptyNote; }
    QLabel *summaryLine() const { return m_summary; }

private:
    void buildUi();
    void buildChart();
    void fillTypeChooser();
    void showPointTip(QXYSeries *series, const QPointF &point, bool entered);
    void fitAxes(const ProgressSeries &series);
    const ProgressSeries *shownSeries() const;

    QList<ProgressSeries> m_data;
    qint16 m_shownType = 0;

    QList<HCommand *> m_buttons;
    QLabel *m_typeCaption = nullptr;
    QComboBox *m_typeChooser = nullptr;
    QLabel *m_summary = nullptr;
    QLabel *m_hint = nullptr;
    QLabel *m_emptyNote = nullptr;
    QChartView *m_view = nullptr;
    QChart *m_chart = nullptr;
    QDateTimeAxis *m_timeAxis = nullptr;
    QValueAxis *m_scoreAxis = nullptr;
    QValueAxis *m_speedAxis = nullptr;
    QLineSeries *m_scoreLine = nullptr;
    QLineSeries *m_speedLine = nullptr;
    QList<QScatterSeries *> m_levelMarks;
};
