#include "hcommand.h"
#include "testwindow.h"

#include "generate/randomsource.h"
#include "shell/appcontext.h"
#include "store/database.h"
#include "store/settings.h"
#include "support/busydatafile.h"
#include "support/messagecatcher.h"
#include "test/testitemmodel.h"
#include "test/testrecords.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

enum class Stage { Choosing, Generated, Answering, Marked, Closed };

// Sends a key with its text, Chinese included, as a keyboard would.
void typeText(QWidget *widget, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
}

QWidget *focused()
{
    return QApplication::focusWidget();
}

} // namespace

class TestTestWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensWithStoredChoices_data();
    void opensWithStoredChoices();
    void buttonsFollowTheStage_data();
    void buttonsFollowTheStage();
    void keysFollowTheButtons_data();
    void keysFollowTheButtons();
    void entryTakesDigitsOnly_data();
    void entryTakesDigitsOnly();
    void enterMovesDown_data();
    void enterMovesDown();
    void unansweredItemBlocksMarking();
    void markingListsWrongFirst_data();
    void markingListsWrongFirst();
    void resumeContinuesTheClock_data();
    void resumeContinuesTheClock();
    void leavingKeepsTheTest_data();
    void leavingKeepsTheTest();

private:
    // A shown, active test window of type 2 over a fresh data file.
    TestWindow &openWindow();
    void reach(Stage stage);
    Stage stage() const;
    void answerAll(const QList<int> &wrong = {});
    // A test left after answering the first `answered` questions with `elapsed` on the clock.
    QString storeUnfinished(int answered, int elapsed);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<SeededRandom> m_rnd;
    std::unique_ptr<QuestionMaker> m_maker;
    std::unique_ptr<TestWindow> m_window;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
    std::unique_ptr<QSignalSpy> m_finished;
};

void TestTestWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_context = AppContext::open(m_dir->filePath(u"QRTA.dat"_s));
    m_context->setCurrentType(2);
    m_rnd = std::make_unique<SeededRandom>(31);
    m_maker = std::make_unique<QuestionMaker>(*m_rnd);
}

void TestTestWindow::cleanup()
{
    m_tester.reset();
    m_finished.reset();
    m_window.reset();
    m_context.reset();
}

TestWindow &TestTestWindow::openWindow()
{
    m_window = std::make_unique<TestWindow>(*m_context, *m_maker);
    m_tester = std::make_unique<QAbstractItemModelTester>(
        m_window->itemModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_finished = std::make_unique<QSignalSpy>(m_window.get(), &QDialog::finished);
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qWarning("the test window did not become active");
    return *m_window;
}

void TestTestWindow::reach(Stage target)
{
    TestWindow &w = openWindow();
    w.countBox()->setValue(12);
    if (target == Stage::Choosing)
        return;
    w.generate();
    if (target == Stage::Generated)
        return;
    w.confirm();
    answerAll();
    if (target == Stage::Answering)
        return;
    w.finish();
}

Stage TestTestWindow::stage() const
{
    const TestSession &session = m_window->session();
    if (!m_finished->isEmpty())
        return Stage::Closed;
    if (session.isMarked())
        return Stage::Marked;
    if (session.isConfirmed())
        return Stage::Answering;
    return session.items().isEmpty() ? Stage::Choosing : Stage::Generated;
}

void TestTestWindow::answerAll(const QList<int> &wrong)
{
    TestItemModel *model = m_window->itemModel();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString answer = m_window->session().items().at(row).answer;
        QVERIFY(model->setData(model->index(row, TestItemModel::Answer),
            wrong.contains(row) ? answer + u"0"_s : answer));
    }
}

QString TestTestWindow::storeUnfinished(int answered, int elapsed)
{
    TestSession session(m_context->database(), m_context->settings());
    session.generate(*m_maker, 2, 3, 15, QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    session.confirm();
    for (int i = 0; i < answered; ++i)
        session.recordAnswer(i, session.items().at(i).answer);
    session.setElapsed(elapsed);
    session.leave();
    return session.number();
}

void TestTestWindow::opensWithStoredChoices_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("levelIndex");
    QTest::addColumn<int>("count");
    QTest::newRow("stored 4\\60") << u"4\\60"_s << 3 << 60;
    QTest::newRow("nothing stored") << QString() << 0 << 20;
}

void TestTestWindow::opensWithStoredChoices()
{
    QFETCH(QString, stored);
    QFETCH(int, levelIndex);
    QFETCH(int, count);
    m_context->settings().write(u"txb2"_s, stored);
    TestWindow &w = openWindow();
    QCOMPARE(w.windowTitle(), u"【电脑测试】--> ②〖A-B〗"_s);
    QCOMPARE(w.levelList()->count(), 5);
    QCOMPARE(w.levelList()->currentIndex(), levelIndex);
    QCOMPARE(w.countBox()->value(), count);
    QCOMPARE(w.countBox()->minimum(), 10);
    QCOMPARE(w.countBox()->maximum(), 100);
    QCOMPARE(
        w.hintLine()->text(), u"测试步骤：选难度->设数量->生成试题->确定答题->完成答题->退出。"_s);
    QVERIFY(!w.grid()->isVisible());

    // A count typed below the range is used clamped, and the box shows the count used.
    w.countBox()->setFocus();
    w.countBox()->selectAll();
    QTest::keyClick(focused(), Qt::Key_5);
    QTest::keyClick(focused(), Qt::Key_F5);
    QCOMPARE(w.session().items().size(), 10);
    QCOMPARE(w.countBox()->text(), u"10"_s);
}

void TestTestWindow::buttonsFollowTheStage_data()
{
    QTest::addColumn<Stage>("stage");
    QTest::addColumn<QString>("buttons"); // per button 0..3: - hidden, o shown, x shown disabled
    QTest::newRow("choosing") << Stage::Choosing << u"oox-"_s;
    QTest::newRow("generated") << Stage::Generated << u"ooo-"_s;
    QTest::newRow("answering") << Stage::Answering << u"o--o"_s;
    QTest::newRow("marked") << Stage::Marked << u"o--x"_s;
}

void TestTestWindow::buttonsFollowTheStage()
{
    QFETCH(Stage, stage);
    QFETCH(QString, buttons);
    reach(stage);
    QString shown;
    for (qint16 i = TestWindow::Exit; i <= TestWindow::Finish; ++i) {
        HCommand *button = m_window->button(TestWindow::Button(i));
        shown += !button->isVisible() ? u'-' : button->isEnabled() ? u'o' : u'x';
    }
    QCOMPARE(shown, buttons);
    QCOMPARE(m_window->levelList()->isVisible(), stage < Stage::Answering);
    QCOMPARE(m_window->grid()->isVisible(), stage > Stage::Choosing);
}

void TestTestWindow::keysFollowTheButtons_data()
{
    QTest::addColumn<Stage>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<Stage>("to");
    const struct
    {
        const char *name;
        Stage from;
        Stage f5, f6, f8, esc;
    } rows[] = {
        { "choosing", Stage::Choosing, Stage::Generated, Stage::Choosing, Stage::Choosing,
            Stage::Closed },
        { "generated", Stage::Generated, Stage::Generated, Stage::Answering, Stage::Generated,
            Stage::Closed },
        { "answering", Stage::Answering, Stage::Answering, Stage::Answering, Stage::Marked,
            Stage::Answering },
        { "marked", Stage::Marked, Stage::Marked, Stage::Marked, Stage::Marked, Stage::Marked },
    };
    for (const auto &row : rows) {
        const std::pair<int, Stage> keys[] = { { Qt::Key_F5, row.f5 }, { Qt::Key_F6, row.f6 },
            { Qt::Key_F8, row.f8 }, { Qt::Key_Escape, row.esc } };
        for (const auto &[key, to] : keys) {
            QTest::addRow("%s, %s", row.name, qPrintable(QKeySequence(key).toString()))
                << row.from << key << to;
        }
    }
}

void TestTestWindow::keysFollowTheButtons()
{
    QFETCH(Stage, from);
    QFETCH(int, key);
    QFETCH(Stage, to);
    reach(from);
    // The keys act whichever control has the focus.
    QWidget *target = from < Stage::Answering ? static_cast<QWidget *>(m_window->countBox())
                                              : static_cast<QWidget *>(m_window->grid());
    target->setFocus();
    const QString number = m_window->session().number();
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(stage(), to);
    if (from == Stage::Answering || from == Stage::Marked)
        QCOMPARE(m_window->session().number(), number);
}

void TestTestWindow::entryTakesDigitsOnly_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("refused");
    QTest::newRow("letter into an empty cell") << QString() << u"a"_s;
    QTest::newRow("blank") << QString() << u" "_s;
    QTest::newRow("minus") << u"7"_s << u"-"_s;
    QTest::newRow("Chinese") << u"7"_s << u"五"_s;
}

void TestTestWindow::entryTakesDigitsOnly()
{
    QFETCH(QString, before);
    QFETCH(QString, refused);
    reach(Stage::Generated);
    m_window->confirm();
    TestItemModel *model = m_window->itemModel();
    const QModelIndex cell = model->index(0, TestItemModel::Answer);
    model->setData(cell, before);
    m_window->grid()->setFocus();
    m_window->grid()->setCurrentIndex(cell);

    QTest::keyClick(focused(), Qt::Key_1);
    QTest::keyClick(focused(), Qt::Key_2);
    auto *editor = qobject_cast<QLineEdit *>(m_window->grid()->indexWidget(cell));
    QVERIFY(editor);
    QCOMPARE(editor->text(), u"12"_s);

    MessageCatcher message;
    message.arm();
    typeText(editor, refused);
    QCOMPARE(message.title, u"【晨曦算苑】提示："_s);
    QCOMPARE(message.text, u"必须输入数字(0-9)，按【ESC】还原！"_s);
    QCOMPARE(m_window->grid()->indexWidget(cell), editor);
    QCOMPARE(editor->text(), u"12"_s);

    QTest::keyClick(editor, Qt::Key_Escape);
    QVERIFY(!m_window->grid()->indexWidget(cell));
    QCOMPARE(cell.data().toString(), before);
    QCOMPARE(loadTestItems(m_context->database(), m_window->session().number(), ItemOrder::Question)
                 .at(0)
                 .userAnswer,
        before);
    QCOMPARE(stage(), Stage::Answering);
}

void TestTestWindow::enterMovesDown_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("next");
    QTest::newRow("first") << 0 << 1;
    QTest::newRow("middle") << 6 << 7;
    QTest::newRow("last stays") << 11 << 11;
}

void TestTestWindow::enterMovesDown()
{
    QFETCH(int, row);
    QFETCH(int, next);
    reach(Stage::Generated);
    m_window->confirm();
    TestItemModel *model = m_window->itemModel();
    m_window->grid()->setFocus();
    m_window->grid()->setCurrentIndex(model->index(row, TestItemModel::Question));
    QCOMPARE(m_window->grid()->currentIndex().column(), int(TestItemModel::Answer));

    QTest::keyClick(focused(), Qt::Key_4);
    QTest::keyClick(focused(), Qt::Key_2);
    QTest::keyClick(focused(), Qt::Key_Return);
    QCOMPARE(m_window->grid()->currentIndex().row(), next);
    QVERIFY(!m_window->grid()->indexWidget(model->index(row, TestItemModel::Answer)));
    // The answer is in the file as soon as Enter left the cell.
    QCOMPARE(loadTestItems(m_context->database(), m_window->session().number(), ItemOrder::Question)
                 .at(row)
                 .userAnswer,
        u"42"_s);
    QCOMPARE(m_window->progressLine()->text(), u"答题进度：〖 %1 / 12 〗"_s.arg(next + 1));
}

void TestTestWindow::unansweredItemBlocksMarking()
{
    reach(Stage::Answering);
    TestItemModel *model = m_window->itemModel();
    model->setData(model->index(8, TestItemModel::Answer), QString());
    m_window->grid()->setCurrentIndex(model->index(2, TestItemModel::Answer));
    m_window->grid()->setFocus();

    MessageCatcher message;
    message.arm();
    QTest::keyClick(focused(), Qt::Key_F8);
    QCOMPARE(message.text, u"操作提示：尚有题目没有作答，请继续答题！"_s);
    QCOMPARE(stage(), Stage::Answering);
    QVERIFY(m_window->button(TestWindow::Finish)->isEnabled());
    QCOMPARE(m_window->grid()->currentIndex().row(), 8);
    QCOMPARE(model->columnCount(), 3);
    const std::optional<TestRecord> record
        = findTestRecord(m_context->database(), m_window->session().number());
    QVERIFY(record && !record->marked && !record->wrong);
}

void TestTestWindow::markingListsWrongFirst_data()
{
    QTest::addColumn<QList<int>>("wrong");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QList<int>>("positions"); // the first rows after marking
    QTest::newRow("three wrong") << QList { 2, 5, 11 } << u"试题判卷结果：错误 3 题！"_s
                                 << QList { 3, 6, 12, 1, 2, 4 };
    QTest::newRow("all right") << QList<int>() << u"试题判卷结果：全部正确。"_s
                               << QList { 1, 2, 3, 4, 5, 6 };
}

void TestTestWindow::markingListsWrongFirst()
{
    QFETCH(QList<int>, wrong);
    QFETCH(QString, result);
    QFETCH(QList<int>, positions);
    reach(Stage::Generated);
    m_window->confirm();
    answerAll(wrong);
    for (int i = 0; i < 65; ++i)
        m_window->tick();
    QTest::keyClick(m_window->grid(), Qt::Key_F8);

    QCOMPARE(m_window->hintLine()->text(), result);
    TestItemModel *model = m_window->itemModel();
    QCOMPARE(model->columnCount(), 5);
    for (int row = 0; row < positions.size(); ++row) {
        QCOMPARE(model->index(row, TestItemModel::Position).data().toInt(), positions.at(row));
        const TestItem &item = m_window->session().items().at(row);
        QCOMPARE(model->index(row, TestItemModel::Mark).data().toString(),
            row < wrong.size() ? u"×"_s : u"√"_s);
        QCOMPARE(model->index(row, TestItemModel::Expected).data().toString(), item.answer);
    }
    QVERIFY(!m_window->clock()->isActive());
    const std::optional<TestRecord> record
        = findTestRecord(m_context->database(), m_window->session().number());
    QCOMPARE(record->wrong, wrong.size());
    QCOMPARE(record->timeText, u"00:01:05"_s);
}

void TestTestWindow::resumeContinuesTheClock_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("saved");
    QTest::newRow("nine seconds on") << 125 << 9 << 134 << true << 125;
    QTest::newRow("ten seconds on") << 125 << 10 << 135 << true << 135;
    QTest::newRow("stops at three hours") << 10795 << 8 << 10800 << false << 10800;
}

void TestTestWindow::resumeContinuesTheClock()
{
    QFETCH(int, stored);
    QFETCH(int, ticks);
    QFETCH(int, elapsed);
    QFETCH(bool, running);
    QFETCH(int, saved);
    const QString number = storeUnfinished(4, stored);
    m_context->setCurrentTestNo(number);
    m_context->setCurrentType(7); // the menu's last type is not the test's
    TestWindow &w = openWindow();

    QCOMPARE(w.windowTitle(), u"【电脑测试】--> ②〖A-B〗"_s);
    QCOMPARE(w.numberLabel()->text(), u"试卷编号："_s + number);
    QCOMPARE(
        w.hintLine()->text(), u"操作提示：如果中断测试(退出)，可以在【测试题库】中继续答题。"_s);
    QCOMPARE(stage(), Stage::Answering);
    QVERIFY(!w.button(TestWindow::Generate)->isVisible());
    QVERIFY(w.clock()->isActive());
    for (int row = 0; row < 4; ++row) {
        QCOMPARE(w.itemModel()->index(row, TestItemModel::Answer).data().toString(),
            w.session().items().at(row).answer);
    }
    QVERIFY(w.itemModel()->index(4, TestItemModel::Answer).data().toString().isEmpty());
    QCOMPARE(w.grid()->currentIndex().row(), 4);

    for (int i = 0; i < ticks; ++i)
        w.tick();
    QCOMPARE(w.session().elapsed(), elapsed);
    QCOMPARE(w.clock()->isActive(), running);
    QCOMPARE(findTestRecord(m_context->database(), number)->elapsed, saved);
}

void TestTestWindow::leavingKeepsTheTest_data()
{
    QTest::addColumn<bool>("byWindowManager");
    QTest::addColumn<bool>("busy"); // an answer given while another program writes the file
    QTest::newRow("exit button") << false << false;
    QTest::newRow("window manager") << true << false;
    QTest::newRow("answer not stored at once") << false << true;
}

void TestTestWindow::leavingKeepsTheTest()
{
    QFETCH(bool, byWindowManager);
    QFETCH(bool, busy);
    reach(Stage::Generated);
    m_window->confirm();
    TestItemModel *model = m_window->itemModel();
    if (busy) {
        BusyDataFile other(m_dir->filePath(u"QRTA.dat"_s));
        QVERIFY(model->setData(model->index(1, TestItemModel::Answer), u"7"_s));
        QVERIFY2(m_window->hintLine()->text().contains(u"正被另一个程序使用"_s),
            qPrintable(m_window->hintLine()->text()));
    }
    m_window->grid()->setFocus();
    m_window->grid()->setCurrentIndex(model->index(0, TestItemModel::Answer));
    QTest::keyClick(focused(), Qt::Key_9);
    for (int i = 0; i < 7; ++i)
        m_window->tick();

    if (byWindowManager)
        m_window->close();
    else
        QTest::mouseClick(m_window->button(TestWindow::Exit), Qt::LeftButton);
    QCOMPARE(stage(), Stage::Closed);
    // The answer still being typed went in with the rest.
    const QString number = m_window->session().number();
    const QList<TestItem> items = loadTestItems(m_context->database(), number, ItemOrder::Question);
    QCOMPARE(items.at(0).userAnswer, u"9"_s);
    QCOMPARE(items.at(1).userAnswer, busy ? u"7"_s : QString());
    const std::optional<TestRecord> record = findTestRecord(m_context->database(), number);
    QCOMPARE(record->elapsed, 7);
    QVERIFY(!record->marked);
}

QTEST_MAIN(TestTestWindow)
#include "tst_testwindow.moc"
