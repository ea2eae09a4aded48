#include "chrome/hcommand.h"
#include "quiz/recordswindow.h"
#include "worksheet/sheetdocument.h"
#include "quiz/testwindow.h"

#include "support/guitestmain.h"
#include "support/messagecatcher.h"
#include "support/shownwindow.h"
#include "support/testdata.h"
#include "quiz/mistakebook.h"
#include "quiz/testitemmodel.h"
#include "quiz/testrecordmodel.h"

#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime kMorning(QDate(2024, 3, 4), QTime(8, 0, 0));

// A test of type 3 made `minutes` after kMorning: marked with the rows in `wrong` wrong, or
// left after `answered` questions.
TakenTest taken(int minutes, const QList<int> &wrong = {}, std::optional<int> answered = {})
{
    return { .type = 3,
        .level = 2,
        .wrong = wrong,
        .moment = kMorning.addSecs(minutes * 60),
        .answered = answered };
}

} // namespace

// The window's wiring only: what a record or a test holds is tst_testmodels' and
// tst_testsession's, the book's rule tst_mistakebook's.
class TestRecordsWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void listFollowsTheCurrentRow_data();
    void listFollowsTheCurrentRow();
    void actionCellOpensDetailOrResumes_data();
    void actionCellOpensDetailOrResumes();
    void resumedTestComesBackMarkedOnItsRow();
    void detailHeaderSortsOnce_data();
    void detailHeaderSortsOnce();
    void escapeGoesBackThenCloses();
    void bookButtonsReachTheBook();
    void bookNotThere_data();
    void bookNotThere();

private:
    RecordsWindow &openWindow();
    void clickAction(int row);
    void clickHeader(int column);
    void click(RecordsWindow::Button button);

    std::unique_ptr<TestData> m_data;
    std::unique_ptr<RecordsWindow> m_window;
    QStringList m_opened; // the test numbers the opener was asked for
};

void TestRecordsWindow::init()
{
    m_data = std::make_unique<TestData>();
    m_opened.clear();
}

void TestRecordsWindow::cleanup()
{
    m_window.reset();
    m_data.reset();
}

RecordsWindow &TestRecordsWindow::openWindow()
{
    m_window = std::make_unique<RecordsWindow>(*m_data->context);
    m_window->openTest = [this] { m_opened << m_data->context->currentTestNo(); };
    showActive(*m_window);
    return *m_window;
}

void TestRecordsWindow::clickAction(int row)
{
    QTableView *list = m_window->list();
    const QRect cell
        = list->visualRect(m_window->recordModel()->index(row, TestRecordModel::Action));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

void TestRecordsWindow::clickHeader(int column)
{
    QHeaderView *header = m_window->detail()->horizontalHeader();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

void TestRecordsWindow::click(RecordsWindow::Button button)
{
    QTest::mouseClick(m_window->button(button), Qt::LeftButton, {}, QPoint(10, 10));
}

void TestRecordsWindow::listFollowsTheCurrentRow_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QStringList>("progress"); // on opening, after Down, after Enter
    QTest::newRow("two tests") << 2 << QStringList { u"1 / 2"_s, u"2 / 2"_s, u"2 / 2"_s };
    // Enter on an empty list opens nothing and does not close the window.
    QTest::newRow("none") << 0 << QStringList { u"0 / 0"_s, u"0 / 0"_s, u"0 / 0"_s };
}

void TestRecordsWindow::listFollowsTheCurrentRow()
{
    QFETCH(int, stored);
    QFETCH(QStringList, progress);
    for (int i = 0; i < stored; ++i)
        m_data->store(taken(i, {}, 0));
    RecordsWindow &w = openWindow();
    QSignalSpy finished(&w, &QDialog::finished);
    QCOMPARE(w.recordModel()->rowCount(), stored);

    QCOMPARE(w.progressLine()->text(), u"试卷记录：〖 %1 〗"_s.arg(progress[0]));
    QTest::keyClick(w.list(), Qt::Key_Down);
    QCOMPARE(w.progressLine()->text(), u"试卷记录：〖 %1 〗"_s.arg(progress[1]));
    QTest::keyClick(w.list(), Qt::Key_Return);
    QCOMPARE(w.progressLine()->text(), u"试卷记录：〖 %1 〗"_s.arg(progress[2]));
    QCOMPARE(m_opened.size(), stored > 0 ? 1 : 0);
    QVERIFY(!w.isShowingDetail());
    QVERIFY(finished.isEmpty());
}

void TestRecordsWindow::actionCellOpensDetailOrResumes_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<bool>("detail");
    // Rows: 0 unfinished, 1 marked with two wrong, 2 marked all right.
    QTest::newRow("marked, click") << 1 << false << true;
    QTest::newRow("marked, Enter") << 1 << true << true;
    QTest::newRow("all right, click") << 2 << false << true;
    QTest::newRow("unfinished, click") << 0 << false << false;
    QTest::newRow("unfinished, Enter") << 0 << true << false;
}

void TestRecordsWindow::actionCellOpensDetailOrResumes()
{
    QFETCH(int, row);
    QFETCH(bool, byEnter);
    QFETCH(bool, detail);
    m_data->store(taken(0));
    const QString twoWrong = m_data->store(taken(1, { 3, 7 }));
    const QString unfinished = m_data->store(taken(2, {}, 1));
    RecordsWindow &w = openWindow();
    const QString number = w.recordModel()->record(row).number;

    if (byEnter) {
        w.list()->setCurrentIndex(w.recordModel()->index(row, 0));
        QTest::keyClick(w.list(), Qt::Key_Return);
    } else {
        clickAction(row);
    }
    QCOMPARE(w.isShowingDetail(), detail);
    if (!detail) {
        QCOMPARE(m_opened, QStringList { unfinished });
        QVERIFY(m_data->context->currentTestNo().isEmpty());
        QCOMPARE(w.list()->currentIndex().row(), row);
        return;
    }
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(w.headingLabel()->text(), u"试卷编号："_s + number);
    QCOMPARE(w.hintLine()->text(),
        u"试题判卷结果：错误 %1 题(点击列头可以排序)！"_s.arg(number == twoWrong ? 2 : 0));
    QCOMPARE(w.detailModel()->rowCount(), 10);
    QCOMPARE(w.progressLine()->text(), u"试题记录：〖 1 / 10 〗"_s);
    // Enter on the questions opens nothing more.
    QTest::keyClick(w.detail(), Qt::Key_Return);
    QVERIFY(w.isShowingDetail());
    QVERIFY(m_opened.isEmpty());
}

void TestRecordsWindow::resumedTestComesBackMarkedOnItsRow()
{
    m_data->store(taken(0));
    const QString unfinished = m_data->store(taken(1, {}, 2));
    m_data->store(taken(2));
    RecordsWindow &w = openWindow();
    QCOMPARE(w.recordModel()->rowOf(unfinished), 1);
    // The real test window, answered and handed in while the records wait.
    w.openTest = [this] {
        TestWindow test(*m_data->context, m_data->maker, m_window.get());
        QCOMPARE(test.session().number(), m_data->context->currentTestNo());
        TestItemModel *model = test.itemModel();
        for (int row = 2; row < model->rowCount(); ++row)
            model->setData(
                model->index(row, TestItemModel::Answer), test.session().items().at(row).answer);
        test.finish();
        test.exitWindow();
    };
    clickAction(1);

    QVERIFY(!w.isShowingDetail());
    QCOMPARE(w.list()->currentIndex().row(), 1);
    QCOMPARE(w.progressLine()->text(), u"试卷记录：〖 2 / 3 〗"_s);
    QCOMPARE(w.recordModel()->index(1, TestRecordModel::Action).data().toString(), u"查看"_s);
}

void TestRecordsWindow::detailHeaderSortsOnce_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("reloads");
    QTest::addColumn<QList<int>>("positions"); // the first rows afterwards
    const int mark = TestItemModel::Mark, number = TestItemModel::Position;
    QTest::newRow("wrong mark") << QList { mark } << 1 << QList { 4, 8, 1, 2 };
    QTest::newRow("wrong mark twice") << QList { mark, mark } << 1 << QList { 4, 8, 1, 2 };
    QTest::newRow("wrong mark, then number") << QList { mark, number } << 2 << QList { 1, 2, 3, 4 };
    QTest::newRow("number twice") << QList { number, number } << 1 << QList { 1, 2, 3, 4 };
    QTest::newRow("other columns")
        << QList<int> { TestItemModel::Question, TestItemModel::Answer, TestItemModel::Expected }
        << 0 << QList { 1, 2, 3, 4 };
}

void TestRecordsWindow::detailHeaderSortsOnce()
{
    QFETCH(QList<int>, clicks);
    QFETCH(int, reloads);
    QFETCH(QList<int>, positions);
    m_data->store(taken(0, { 3, 7 }));
    RecordsWindow &w = openWindow();
    clickAction(0);
    QVERIFY(w.isShowingDetail());
    QSignalSpy reset(w.detailModel(), &QAbstractItemModel::modelReset);

    for (int column : clicks)
        clickHeader(column);
    QCOMPARE(reset.size(), reloads);
    for (int row = 0; row < positions.size(); ++row)
        QCOMPARE(
            w.detailModel()->index(row, TestItemModel::Position).data().toInt(), positions.at(row));
}

void TestRecordsWindow::escapeGoesBackThenCloses()
{
    m_data->store(taken(0, { 2 }));
    m_data->store(taken(1));
    RecordsWindow &w = openWindow();
    QSignalSpy finished(&w, &QDialog::finished);
    w.list()->setCurrentIndex(w.recordModel()->index(1, 0));
    clickAction(1);
    QVERIFY(w.isShowingDetail());

    QTest::keyClick(w.detail(), Qt::Key_Escape);
    QVERIFY(!w.isShowingDetail());
    QCOMPARE(w.headingLabel()->text(), u"电脑测试题目一览表："_s);
    QCOMPARE(w.progressLine()->text(), u"试卷记录：〖 2 / 2 〗"_s);
    QVERIFY(finished.isEmpty());
    QTest::keyClick(w.list(), Qt::Key_Escape);
    QCOMPARE(finished.size(), 1);
}

void TestRecordsWindow::bookButtonsReachTheBook()
{
    m_data->store(taken(0, { 2, 5, 7 }));
    RecordsWindow &w = openWindow();
    const QList<Mistake> book = MistakeBook(m_data->db()).toLearn();
    QList<Mistake> practised;
    w.openPractice = [&practised](const QList<Mistake> &mistakes) { practised = mistakes; };
    QList<SheetDocument> previewed;
    w.previewBook = [&previewed](const QList<SheetDocument> &documents) { previewed = documents; };
    int charts = 0;
    w.openChart = [&charts] { ++charts; };

    w.practice(std::nullopt);
    QCOMPARE(practised.size(), book.size());
    QCOMPARE(practised.first().question, book.first().question);
    click(RecordsWindow::PrintBook);
    QCOMPARE(previewed.size(), 2); // the questions, then the answers
    QVERIFY(previewed.first().header.startsWith(u"错题本"_s));
    click(RecordsWindow::Chart);
    QCOMPARE(charts, 1);
}

void TestRecordsWindow::bookNotThere_data()
{
    QTest::addColumn<bool>("unreadable"); // else empty
    QTest::addColumn<RecordsWindow::Button>("button");
    QTest::addColumn<QString>("message");
    const QString empty = u"错题本里没有要再练的题。"_s;
    const QString unread = u"错题本无法读取：读写数据文件时出错。\n（错误代码 1）"_s;
    QTest::newRow("empty, practice") << false << RecordsWindow::Practice << empty;
    QTest::newRow("empty, print") << false << RecordsWindow::PrintBook << empty;
    QTest::newRow("unreadable, practice") << true << RecordsWindow::Practice << unread;
    QTest::newRow("unreadable, print") << true << RecordsWindow::PrintBook << unread;
}

void TestRecordsWindow::bookNotThere()
{
    QFETCH(bool, unreadable);
    QFETCH(RecordsWindow::Button, button);
    QFETCH(QString, message);
    m_data->store(taken(0));
    RecordsWindow &w = openWindow();
    int opened = 0;
    w.openPractice = [&opened](const QList<Mistake> &) { ++opened; };
    w.previewBook = [&opened](const QList<SheetDocument> &) { ++opened; };
    if (unreadable)
        m_data->db().exec("DROP TABLE tab_ctb");

    MessageCatcher said;
    said.arm();
    click(button);
    QCOMPARE(said.text, message);
    QCOMPARE(opened, 0);
    QVERIFY(w.isVisible());
}

QRTA_GUI_TEST_MAIN(TestRecordsWindow)
#include "tst_recordswindow.moc"
