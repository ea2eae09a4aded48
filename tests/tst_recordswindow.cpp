#include "hcommand.h"
#include "recordswindow.h"
#include "sheetdocument.h"
#include "testwindow.h"

#include "generate/randomsource.h"
#include "shell/appcontext.h"
#include "store/database.h"
#include "support/messagecatcher.h"
#include "test/mistakebook.h"
#include "test/testitemmodel.h"
#include "test/testrecordmodel.h"
#include "test/testsession.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime kMorning(QDate(2024, 3, 4), QTime(8, 0, 0));

} // namespace

class TestRecordsWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void listsNewestFirst();
    void enterOnEmptyListDoesNothing();
    void actionCellOpensDetailOrResumes_data();
    void actionCellOpensDetailOrResumes();
    void resumedTestComesBackMarkedOnItsRow();
    void detailHeaderSortsOnce_data();
    void detailHeaderSortsOnce();
    void escapeGoesBackThenCloses();
    void practiceUntilLearnedAndPrintTheBook();

private:
    // Stores a test of type 3 made `minutes` after kMorning; `wrong` questions answered
    // wrong and marked, or left after answering `wrong` of them when not `marked`.
    QString store(int minutes, bool marked, const QList<int> &wrong = {});
    RecordsWindow &openWindow();
    void clickAction(int row);
    void clickHeader(int column);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<SeededRandom> m_rnd;
    std::unique_ptr<QuestionMaker> m_maker;
    std::unique_ptr<RecordsWindow> m_window;
    std::unique_ptr<QAbstractItemModelTester> m_listTester;
    std::unique_ptr<QAbstractItemModelTester> m_detailTester;
    QStringList m_opened; // the test numbers the opener was asked for
};

void TestRecordsWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_context = AppContext::open(m_dir->filePath(u"QRTA.dat"_s));
    m_rnd = std::make_unique<SeededRandom>(41);
    m_maker = std::make_unique<QuestionMaker>(*m_rnd);
    m_opened.clear();
}

void TestRecordsWindow::cleanup()
{
    m_listTester.reset();
    m_detailTester.reset();
    m_window.reset();
    m_context.reset();
}

QString TestRecordsWindow::store(int minutes, bool marked, const QList<int> &wrong)
{
    TestSession session(m_context->database(), m_context->settings());
    session.generate(*m_maker, 3, 2, 10, kMorning.addSecs(minutes * 60));
    session.confirm();
    for (int i = 0; i < 10; ++i) {
        const QString answer = session.items().at(i).answer;
        if (marked)
            session.recordAnswer(i, wrong.contains(i) ? answer + u"5"_s : answer);
        else if (i < wrong.size())
            session.recordAnswer(i, answer);
    }
    if (marked)
        session.mark();
    else
        session.leave();
    return session.number();
}

RecordsWindow &TestRecordsWindow::openWindow()
{
    m_window = std::make_unique<RecordsWindow>(*m_context);
    m_listTester = std::make_unique<QAbstractItemModelTester>(
        m_window->recordModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_detailTester = std::make_unique<QAbstractItemModelTester>(
        m_window->detailModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_window->openTest = [this] { m_opened << m_context->currentTestNo(); };
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qWarning("the records window did not become active");
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

void TestRecordsWindow::listsNewestFirst()
{
    const QString first = store(0, true, { 1 });
    const QString second = store(1, false, { 0, 1, 2 });
    const QString third = store(2, true);
    RecordsWindow &w = openWindow();

    QCOMPARE(w.windowTitle(), u"【晨曦算苑】-->〖电脑测试一览表〗"_s);
    QCOMPARE(w.headingLabel()->text(), u"电脑测试题目一览表："_s);
    QCOMPARE(
        w.hintLine()->text(), u"提示：对于没有完成的试题，可以点击其后面的〖答题〗继续答题。"_s);
    TestRecordModel *model = w.recordModel();
    QCOMPARE(model->rowCount(), 3);
    const QStringList numbers { third, second, first };
    const QStringList actions { u"查看"_s, u"答题"_s, u"查看"_s };
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(model->index(row, TestRecordModel::Number).data().toString(), numbers.at(row));
        QCOMPARE(model->index(row, TestRecordModel::Action).data().toString(), actions.at(row));
    }
    QCOMPARE(w.progressLine()->text(), u"试卷记录：〖 1 / 3 〗"_s);
    QTest::keyClick(w.list(), Qt::Key_Down);
    QCOMPARE(w.progressLine()->text(), u"试卷记录：〖 2 / 3 〗"_s);
}

void TestRecordsWindow::enterOnEmptyListDoesNothing()
{
    RecordsWindow &w = openWindow();
    QSignalSpy finished(&w, &QDialog::finished);
    QCOMPARE(w.recordModel()->rowCount(), 0);
    QTest::keyClick(w.list(), Qt::Key_Return);
    QVERIFY(!w.isShowingDetail());
    QVERIFY(m_opened.isEmpty());
    QVERIFY(finished.isEmpty());
    QCOMPARE(w.progressLine()->text(), u"试卷记录：〖 0 / 0 〗"_s);
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
    store(0, true);
    const QString twoWrong = store(1, true, { 3, 7 });
    const QString unfinished = store(2, false, { 0 });
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
        QVERIFY(m_context->currentTestNo().isEmpty());
        QCOMPARE(w.list()->currentIndex().row(), row);
        return;
    }
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(w.headingLabel()->text(), u"试卷编号："_s + number);
    QCOMPARE(w.hintLine()->text(),
        u"试题判卷结果：错误 %1 题(点击列头可以排序)！"_s.arg(number == twoWrong ? 2 : 0));
    QCOMPARE(w.detailModel()->rowCount(), 10);
    QCOMPARE(w.detailModel()->columnCount(), 5);
    QCOMPARE(w.detailModel()->index(0, TestItemModel::Position).data().toInt(), 1);
    QCOMPARE(w.progressLine()->text(), u"试题记录：〖 1 / 10 〗"_s);
    // Enter on the questions opens nothing more.
    QTest::keyClick(w.detail(), Qt::Key_Return);
    QVERIFY(w.isShowingDetail());
    QVERIFY(m_opened.isEmpty());
}

void TestRecordsWindow::resumedTestComesBackMarkedOnItsRow()
{
    store(0, true);
    const QString unfinished = store(1, false, { 0, 1 });
    store(2, true);
    RecordsWindow &w = openWindow();
    QCOMPARE(w.recordModel()->rowOf(unfinished), 1);
    // The real test window, answered and handed in while the records wait.
    w.openTest = [this] {
        TestWindow test(*m_context, *m_maker, m_window.get());
        QCOMPARE(test.session().number(), m_context->currentTestNo());
        QCOMPARE(test.session().answeredCount(), 2);
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
    QCOMPARE(w.recordModel()->index(1, TestRecordModel::Wrong).data().toString(), u"0"_s);
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
    store(0, true, { 3, 7 });
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
    store(0, true, { 2 });
    store(1, true);
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

void TestRecordsWindow::practiceUntilLearnedAndPrintTheBook()
{
    store(0, true, { 2, 5, 7 });
    RecordsWindow &window = openWindow();
    QList<QStringList> practised;
    window.openPractice = [this, &practised](const QList<Mistake> &mistakes) {
        TestWindow test(*m_context, *m_maker);
        test.startPractice(mistakes);
        QVERIFY(test.windowTitle().endsWith(u"错题重练"_s));
        test.confirm();
        QStringList questions;
        TestItemModel *items = test.itemModel();
        for (int row = 0; row < items->rowCount(); ++row) {
            questions << test.session().items().at(row).question;
            items->setData(
                items->index(row, TestItemModel::Answer), test.session().items().at(row).answer);
        }
        test.finish();
        QVERIFY(test.session().isMarked());
        practised << questions;
    };
    QList<QList<SheetDocument>> previewed;
    window.previewBook
        = [&previewed](const QList<SheetDocument> &documents) { previewed << documents; };

    window.printBook();
    QCOMPARE(previewed.size(), 1);
    QCOMPARE(previewed.first().size(), 2); // the questions, then the answers
    QVERIFY(previewed.first().first().header.startsWith(u"错题本"_s));
    int printed = 0;
    for (const QStringList &row : previewed.first().first().rows)
        printed += int(
            std::count_if(row.begin(), row.end(), [](const QString &c) { return !c.isEmpty(); }));
    QCOMPARE(printed, 3);

    // Right twice over two practice runs: the three leave the book.
    window.practice(std::nullopt);
    QCOMPARE(practised.size(), 1);
    QCOMPARE(practised.first().size(), 3);
    QCOMPARE(MistakeBook(m_context->database()).toLearn().size(), 3);
    window.practice(std::nullopt);
    QCOMPARE(practised.size(), 2);
    QVERIFY(MistakeBook(m_context->database()).toLearn().isEmpty());
    // Both runs are kept as tests, newest first.
    QCOMPARE(window.recordModel()->rowCount(), 3);
    QCOMPARE(
        window.recordModel()->index(0, TestRecordModel::Type).data().toString(), u"错题重练"_s);
    window.practice(std::nullopt); // nothing left: nothing opens
    QCOMPARE(practised.size(), 2);

    int charts = 0;
    window.openChart = [&charts] { ++charts; };
    QTest::mouseClick(window.button(RecordsWindow::Chart), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(charts, 1);
    MessageCatcher message;
    message.arm();
    QTest::mouseClick(window.button(RecordsWindow::PrintBook), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(message.text, u"错题本里没有要再练的题。"_s);
    QCOMPARE(previewed.size(), 1); // the book is empty now: a message, no preview

    // A read that fails (the book's table gone from the file): told in Chinese, the window stays.
    m_context->database().exec("DROP TABLE tab_ctb");
    for (const auto button : { RecordsWindow::PrintBook, RecordsWindow::Practice }) {
        message.arm();
        QTest::mouseClick(window.button(button), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(message.text, u"错题本无法读取：读写数据文件时出错。\n（错误代码 1）"_s);
        QVERIFY(window.isVisible());
    }
}

QTEST_MAIN(TestRecordsWindow)
#include "tst_recordswindow.moc"
