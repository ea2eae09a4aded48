#include "chrome/hcommand.h"
#include "quiz/progresschartwindow.h"

#include "support/guitestmain.h"
#include "support/shownwindow.h"
#include "support/testdata.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTest>
#include <QToolTip>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime kMonday(QDate(2026, 3, 2), QTime(17, 10, 5));

// Products over four days with a level change, one sum on the second day, and the newest
// test a division; the first rows of each answered wrong.
const TakenTest kTests[] = {
    { 5, 1, 20, { 0, 1, 2, 3 }, 120, kMonday },
    { 1, 2, 10, {}, 35, kMonday.addDays(1) },
    { 5, 1, 20, { 0 }, 100, kMonday.addDays(2) },
    { 5, 2, 25, { 0, 1, 2, 3, 4 }, 150, kMonday.addDays(3) },
    { 7, 3, 20, { 0, 1 }, 60, kMonday.addDays(4) },
};

QList<QPointF> pointsOf(const QXYSeries *series)
{
    return series ? series->points() : QList<QPointF>();
}

qreal x(int day)
{
    return qreal(kMonday.addDays(day).toMSecsSinceEpoch());
}

} // namespace

class TestProgressChart : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensOnType_data();
    void opensOnType();
    void seriesHoldTheStoredPoints();
    void choosingATypeRedrawsTheChart();
    void hoverShowsTheTest();
    void closes_data();
    void closes();
    void emptyFileSaysSo();

private:
    void storeAll();
    ProgressChartWindow &openWindow();

    std::unique_ptr<TestData> m_data;
    std::unique_ptr<ProgressChartWindow> m_window;
};

void TestProgressChart::init()
{
    m_data = std::make_unique<TestData>();
}

void TestProgressChart::cleanup()
{
    QToolTip::hideText();
    m_window.reset();
    m_data.reset();
}

void TestProgressChart::storeAll()
{
    for (const TakenTest &test : kTests)
        m_data->store(test);
    // Unfinished tests make no point, not even a type to choose.
    m_data->store({ .type = 5, .level = 3, .moment = kMonday.addDays(5), .answered = 1 });
    m_data->store({ .type = 9, .moment = kMonday.addDays(5), .answered = 1 });
}

ProgressChartWindow &TestProgressChart::openWindow()
{
    m_window = std::make_unique<ProgressChartWindow>(*m_data->context);
    showActive(*m_window);
    return *m_window;
}

void TestProgressChart::opensOnType_data()
{
    QTest::addColumn<qint16>("current");
    QTest::addColumn<qint16>("shown");

    QTest::newRow("the menu's type") << qint16(5) << qint16(5);
    QTest::newRow("another with tests") << qint16(1) << qint16(1);
    QTest::newRow("no marked test: the newest") << qint16(9) << qint16(7);
    QTest::newRow("never taken: the newest") << qint16(2) << qint16(7);
}

void TestProgressChart::opensOnType()
{
    QFETCH(qint16, current);
    QFETCH(qint16, shown);
    storeAll();
    m_data->context->setCurrentType(current);

    ProgressChartWindow &window = openWindow();
    QCOMPARE(window.shownType(), shown);
    QCOMPARE(window.typeChooser()->currentData().toInt(), int(shown));
    QCOMPARE(window.typeChooser()->count(), 3);
    QVERIFY(window.chartView()->isVisible());
    QVERIFY(!window.emptyNote()->isVisible());
}

void TestProgressChart::seriesHoldTheStoredPoints()
{
    storeAll();
    m_data->context->setCurrentType(5);
    ProgressChartWindow &window = openWindow();

    QCOMPARE(pointsOf(window.scoreLine()),
        (QList<QPointF> { { x(0), 80.0 }, { x(2), 95.0 }, { x(3), 80.0 } }));
    QCOMPARE(pointsOf(window.speedLine()),
        (QList<QPointF> { { x(0), 6.0 }, { x(2), 5.0 }, { x(3), 6.0 } }));
    QCOMPARE(window.levelMarks().size(), 2);
    QCOMPARE(window.levelMarks()[0]->name(), u"一级"_s);
    QCOMPARE(pointsOf(window.levelMarks()[0]), (QList<QPointF> { { x(0), 80.0 }, { x(2), 95.0 } }));
    QCOMPARE(window.levelMarks()[1]->name(), u"二级"_s);
    QCOMPARE(pointsOf(window.levelMarks()[1]), (QList<QPointF> { { x(3), 80.0 } }));
    QCOMPARE(window.typeChooser()->currentText(), u"⑤〖A×B〗（3 次）"_s);
    QCOMPARE(window.summaryLine()->text(), u"共 3 次 · 最近一次 80%、每题 6 秒 · 最好 95%"_s);

    const QString tip = window.pointText(2);
    for (const QString &piece : { u"05_2_25_20260305171005"_s, u"2026-03-05 17:10"_s, u"二级"_s,
             u"80%（25 题对 20 题）"_s, u"6 秒（共 2 分 30 秒）"_s })
        QVERIFY2(tip.contains(piece), qPrintable(tip));
    QCOMPARE(window.pointText(3), QString());
}

void TestProgressChart::choosingATypeRedrawsTheChart()
{
    storeAll();
    m_data->context->setCurrentType(5);
    ProgressChartWindow &window = openWindow();
    QComboBox *chooser = window.typeChooser();

    chooser->setFocus();
    QTest::keyClick(chooser, Qt::Key_Up);
    QCOMPARE(window.shownType(), 1);
    QCOMPARE(pointsOf(window.scoreLine()), (QList<QPointF> { { x(1), 100.0 } }));
    QCOMPARE(window.levelMarks().size(), 1);

    QTest::keyClick(chooser, Qt::Key_End);
    QCOMPARE(window.shownType(), 7);
    QCOMPARE(pointsOf(window.scoreLine()), (QList<QPointF> { { x(4), 90.0 } }));

    window.showType(9); // nothing marked: the chart stays as it is
    QCOMPARE(window.shownType(), 7);
    QCOMPARE(chooser->currentData().toInt(), 7);
}

void TestProgressChart::hoverShowsTheTest()
{
    storeAll();
    m_data->context->setCurrentType(5);
    ProgressChartWindow &window = openWindow();
    QChartView *view = window.chartView();
    QScatterSeries *levelTwo = window.levelMarks().at(1);

    const QPointF inScene = view->chart()->mapToPosition(levelTwo->at(0), levelTwo);
    const QPoint onScreen = view->mapFromScene(inScene);
    QTest::mouseMove(view->viewport(), onScreen - QPoint(40, 40));
    QTest::mouseMove(view->viewport(), onScreen);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), window.pointText(2));
}

void TestProgressChart::closes_data()
{
    QTest::addColumn<int>("how"); // -1: Esc on the chooser, else the button

    QTest::newRow("Esc") << -1;
    QTest::newRow("退出(Esc)") << int(ProgressChartWindow::Back);
    QTest::newRow("close glyph") << int(ProgressChartWindow::CloseGlyph);
}

void TestProgressChart::closes()
{
    QFETCH(int, how);
    storeAll();
    ProgressChartWindow &window = openWindow();
    if (how < 0) {
        window.typeChooser()->setFocus();
        QTest::keyClick(window.typeChooser(), Qt::Key_Escape);
    } else {
        QTest::mouseClick(
            window.button(ProgressChartWindow::Button(how)), Qt::LeftButton, {}, QPoint(10, 8));
    }
    QVERIFY(!window.isVisible());
}

void TestProgressChart::emptyFileSaysSo()
{
    m_data->store({ .type = 5, .moment = kMonday, .answered = 1 });
    ProgressChartWindow &window = openWindow();

    QCOMPARE(window.shownType(), 0);
    QVERIFY(window.emptyNote()->isVisible());
    QVERIFY(!window.chartView()->isVisible());
    QVERIFY(!window.typeChooser()->isVisible());
    QCOMPARE(window.pointText(0), QString());
}

QRTA_GUI_TEST_MAIN(TestProgressChart)
#include "tst_progresschart.moc"
