#include "support/testdata.h"

#include "quiz/testitemmodel.h"
#include "quiz/testrecordmodel.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime kMoment(QDate(2011, 8, 30), QTime(6, 36, 48));
constexpr auto kQtTest = QAbstractItemModelTester::FailureReportingMode::QtTest;

} // namespace

class TestTestModels : public QObject
{
    Q_OBJECT

private slots:
    void answerCellTakesDigitsOnly_data();
    void answerCellTakesDigitsOnly();
    void answersOnlyWhileRunning();
    void markingAddsMarksAndExpectedAnswers();
    void headerClickOrders_data();
    void headerClickOrders();
    void recordsShowTheirAction();
};

void TestTestModels::answerCellTakesDigitsOnly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("stored"); // what the file holds afterwards
    QTest::newRow("digits") << u"12"_s << true << u"12"_s;
    QTest::newRow("blanks around") << u" 7 "_s << true << u"7"_s;
    QTest::newRow("cleared") << QString() << true << QString();
    QTest::newRow("letter") << u"1a"_s << false << u"5"_s;
    QTest::newRow("minus") << u"-3"_s << false << u"5"_s;
    QTest::newRow("full-width digits") << u"１２"_s << false << u"5"_s;
    QTest::newRow("nine digits") << u"123456789"_s << true << u"123456789"_s;
    QTest::newRow("ten digits") << u"1234567890"_s << false << u"5"_s;
}

void TestTestModels::answerCellTakesDigitsOnly()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, stored);
    TestData d;
    TestSession session(d.db(), d.settings());
    session.generate(d.maker, 1, 2, 10, kMoment);
    session.confirm();
    TestItemModel model;
    QAbstractItemModelTester tester(&model, kQtTest);
    model.setSession(&session);
    const QModelIndex cell = model.index(3, TestItemModel::Answer);
    QVERIFY(model.setData(cell, u"5"_s));

    QCOMPARE(model.setData(cell, typed), accepted);
    QCOMPARE(cell.data().toString(), stored);
    // Written the moment it was committed, not when the test is left.
    QCOMPARE(d.storedAnswer(session.number(), 3), stored);
}

void TestTestModels::answersOnlyWhileRunning()
{
    TestData d;
    TestSession session(d.db(), d.settings());
    TestItemModel model;
    QAbstractItemModelTester tester(&model, kQtTest);
    model.setSession(&session);
    session.generate(d.maker, 1, 2, 10, kMoment);
    model.refresh();
    const QModelIndex cell = model.index(0, TestItemModel::Answer);
    QVERIFY(!(model.flags(cell) & Qt::ItemIsEditable));
    QVERIFY(!model.setData(cell, u"4"_s));

    session.confirm();
    model.refresh();
    QVERIFY(model.flags(cell) & Qt::ItemIsEditable);
    QVERIFY(!(model.flags(model.index(0, TestItemModel::Question)) & Qt::ItemIsEditable));

    model.setItems(session.items()); // a stored test to look at
    QVERIFY(!(model.flags(model.index(0, TestItemModel::Answer)) & Qt::ItemIsEditable));
}

void TestTestModels::markingAddsMarksAndExpectedAnswers()
{
    TestData d;
    TestSession session(d.db(), d.settings());
    session.generate(d.maker, 1, 2, 12, kMoment);
    session.confirm();
    TestItemModel model;
    QAbstractItemModelTester tester(&model, kQtTest);
    model.setSession(&session);
    QCOMPARE(model.columnCount(), 3);
    for (int row = 0; row < 12; ++row) {
        const QString answer = session.items().at(row).answer;
        model.setData(model.index(row, TestItemModel::Answer), row == 4 ? answer + u"1"_s : answer);
    }
    QVERIFY(session.mark().complete);
    model.refresh();

    const auto cell = [&](int row, int column) { return model.index(row, column).data(); };
    QCOMPARE(model.columnCount(), 5);
    QCOMPARE(cell(0, TestItemModel::Position).toInt(), 5);
    QCOMPARE(cell(0, TestItemModel::Mark).toString(), u"×"_s);
    QVERIFY(model.index(0, TestItemModel::Question).data(TestItemModel::WrongRole).toBool());
    QCOMPARE(cell(0, TestItemModel::Expected).toString(), session.items().at(0).answer);
    QCOMPARE(cell(1, TestItemModel::Position).toInt(), 1);
    QCOMPARE(cell(1, TestItemModel::Mark).toString(), u"√"_s);
    QVERIFY(!model.index(1, TestItemModel::Answer).data(TestItemModel::WrongRole).toBool());
    QVERIFY(!(model.flags(model.index(1, TestItemModel::Answer)) & Qt::ItemIsEditable));
}

void TestTestModels::headerClickOrders_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("current"); // -1 none, else ItemOrder
    QTest::addColumn<int>("wanted"); // -1 nothing to do
    const int none = -1, question = int(ItemOrder::Question), wrong = int(ItemOrder::WrongFirst);
    QTest::newRow("mark, unsorted") << int(TestItemModel::Mark) << none << wrong;
    QTest::newRow("mark, wrong first already") << int(TestItemModel::Mark) << wrong << none;
    QTest::newRow("mark, by number") << int(TestItemModel::Mark) << question << wrong;
    QTest::newRow("number, unsorted") << int(TestItemModel::Position) << none << question;
    QTest::newRow("number, by number already") << int(TestItemModel::Position) << question << none;
    QTest::newRow("number, wrong first") << int(TestItemModel::Position) << wrong << question;
    QTest::newRow("question") << int(TestItemModel::Question) << wrong << none;
    QTest::newRow("answer") << int(TestItemModel::Answer) << none << none;
    QTest::newRow("correct answer") << int(TestItemModel::Expected) << question << none;
}

void TestTestModels::headerClickOrders()
{
    QFETCH(int, column);
    QFETCH(int, current);
    QFETCH(int, wanted);
    const auto order = [](int value) {
        return value < 0 ? std::nullopt : std::optional<ItemOrder>(ItemOrder(value));
    };
    QCOMPARE(TestItemModel::orderForHeader(column, order(current)), order(wanted));
}

void TestTestModels::recordsShowTheirAction()
{
    TestData d;
    const QString marked = d.store({ .seconds = 83, .moment = kMoment });
    const QString unfinished
        = d.store({ .seconds = 3725, .moment = kMoment.addSecs(60), .answered = 0 });

    TestRecordModel model;
    QAbstractItemModelTester tester(&model, kQtTest);
    model.setRecords(listTestRecords(d.db()));
    QCOMPARE(model.rowCount(), 2);
    const auto cell
        = [&](int row, int column) { return model.index(row, column).data().toString(); };
    QCOMPARE(cell(0, TestRecordModel::Number), unfinished);
    QCOMPARE(cell(0, TestRecordModel::Action), u"答题"_s);
    QCOMPARE(cell(0, TestRecordModel::Moment), u"2011-08-30 06:37"_s);
    QCOMPARE(cell(0, TestRecordModel::Time), u"01:02:05"_s);
    QCOMPARE(cell(0, TestRecordModel::Wrong), QString());
    QCOMPARE(cell(1, TestRecordModel::Action), u"查看"_s);
    QCOMPARE(cell(1, TestRecordModel::Right), u"10"_s);
    QCOMPARE(cell(1, TestRecordModel::Wrong), u"0"_s);
    QCOMPARE(cell(1, TestRecordModel::Time), u"00:01:23"_s);
    QVERIFY(model.index(1, 0).data(TestRecordModel::MarkedRole).toBool());
    QCOMPARE(model.rowOf(marked), 1);
    QCOMPARE(model.rowOf(u"01_2_10_20000101000000"_s), -1);
}

QTEST_GUILESS_MAIN(TestTestModels)
#include "tst_testmodels.moc"
