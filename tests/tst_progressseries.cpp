#include "quiz/progressseries.h"
#include "quiz/testrecords.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

TestRecord marked(const QString &number, std::optional<qint64> count, std::optional<qint64> right,
    std::optional<qint64> elapsed, std::optional<qint64> zt = 1)
{
    TestRecord record;
    record.number = number;
    record.count = count;
    record.right = right;
    record.elapsed = elapsed;
    if (right && count)
        record.wrong = *count - *right;
    record.marked = zt;
    return record;
}

QStringList numbersOf(const ProgressSeries &series)
{
    QStringList numbers;
    for (const ProgressPoint &point : series.points)
        numbers << point.number;
    return numbers;
}

} // namespace

class TestProgressSeries : public QObject
{
    Q_OBJECT

private slots:
    void pointOfOneTest_data();
    void pointOfOneTest();
    void seriesPerTypeInTimeOrder();
};

void TestProgressSeries::pointOfOneTest_data()
{
    QTest::addColumn<TestRecord>("record");
    QTest::addColumn<bool>("charted");
    QTest::addColumn<qint16>("type");
    QTest::addColumn<qint16>("level");
    QTest::addColumn<double>("percentRight");
    QTest::addColumn<double>("secondsPerQuestion");
    QTest::addColumn<QDateTime>("moment");

    const QDateTime moment(QDate(2026, 12, 6), QTime(14, 32, 36));
    const QString number = u"05_3_20_20261206143236"_s;
    auto leftOut = [](const char *name, const TestRecord &record) {
        QTest::newRow(name) << record << false << qint16(0) << qint16(0) << 0.0 << 0.0
                            << QDateTime();
    };

    QTest::newRow("17 of 20 in 90 s")
        << marked(number, 20, 17, 90) << true << qint16(5) << qint16(3) << 85.0 << 4.5 << moment;
    QTest::newRow("all right, no time")
        << marked(u"10_3_10_20240229235959"_s, 10, 10, 0) << true << qint16(10) << qint16(3)
        << 100.0 << 0.0 << QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59));
    QTest::newRow("none right") << marked(u"01_1_30_20250101080000"_s, 30, 0, 100) << true
                                << qint16(1) << qint16(1) << 0.0 << 100.0 / 30
                                << QDateTime(QDate(2025, 1, 1), QTime(8, 0));
    leftOut("unfinished", marked(number, 20, std::nullopt, 40, std::nullopt));
    leftOut("zt 0", marked(number, 20, 17, 90, 0));
    leftOut("stamp one digit short", marked(u"05_3_20_2026120614323"_s, 20, 17, 90));
    leftOut("no number", marked(QString(), 20, 17, 90));
    leftOut("month 13", marked(u"05_3_20_20261306143236"_s, 20, 17, 90));
    leftOut("30 February", marked(u"05_3_20_20260230143236"_s, 20, 17, 90));
    leftOut("practice from the book", marked(u"00_0_3_20261206143236"_s, 3, 2, 12));
    leftOut("type 11", marked(u"11_1_20_20261206143236"_s, 20, 17, 90));
    leftOut("level 0", marked(u"05_0_20_20261206143236"_s, 20, 17, 90));
    leftOut("level 4 of type 10", marked(u"10_4_20_20261206143236"_s, 20, 17, 90));
    leftOut("no questions", marked(number, 0, 0, 90));
    leftOut("more right than asked", marked(number, 20, 21, 90));
    leftOut("no time", marked(number, 20, 17, std::nullopt));
}

void TestProgressSeries::pointOfOneTest()
{
    QFETCH(TestRecord, record);
    QFETCH(bool, charted);

    const QList<ProgressSeries> chart = progressByType({ record });
    QCOMPARE(chart.size(), charted ? 1 : 0);
    if (!charted)
        return;
    QFETCH(qint16, type);
    QFETCH(qint16, level);
    QFETCH(double, percentRight);
    QFETCH(double, secondsPerQuestion);
    QFETCH(QDateTime, moment);
    QCOMPARE(chart[0].type, type);
    QCOMPARE(chart[0].points.size(), 1);
    const ProgressPoint &point = chart[0].points[0];
    QCOMPARE(point.number, record.number);
    QCOMPARE(point.level, level);
    QCOMPARE(point.percentRight, percentRight);
    QCOMPARE(point.secondsPerQuestion, secondsPerQuestion);
    QCOMPARE(point.moment, moment);
    QCOMPARE(point.count, *record.count);
    QCOMPARE(point.right, *record.right);
}

void TestProgressSeries::seriesPerTypeInTimeOrder()
{
    // Newest row first, as the records list gives them, but with row order and moments
    // apart, as in a file put together from two.
    const QList<TestRecord> records = {
        marked(u"07_2_10_20260105090000"_s, 10, 9, 50),
        marked(u"03_1_10_20260110090000"_s, 10, 8, 40),
        marked(u"07_1_10_20260101090000"_s, 10, 5, 80),
        marked(u"bad"_s, 10, 5, 80),
        marked(u"07_3_10_20260103090000"_s, 10, 7, 60),
        marked(u"03_1_10_20260102090000"_s, 10, 6, 45, std::nullopt),
    };
    const QList<ProgressSeries> chart = progressByType(records);
    QCOMPARE(chart.size(), 2);
    QCOMPARE(chart[0].type, 3);
    QCOMPARE(numbersOf(chart[0]), QStringList { u"03_1_10_20260110090000"_s });
    QCOMPARE(chart[1].type, 7);
    QCOMPARE(numbersOf(chart[1]),
        (QStringList { u"07_1_10_20260101090000"_s, u"07_3_10_20260103090000"_s,
            u"07_2_10_20260105090000"_s }));
}

QTEST_GUILESS_MAIN(TestProgressSeries)
#include "tst_progressseries.moc"
