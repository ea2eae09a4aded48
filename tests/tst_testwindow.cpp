#include "chrome/hcommand.h"
#include "quiz/testwindow.h"

#include "support/guitestmain.h"
#include "support/busydatafile.h"
#include "support/messagecatcher.h"
#include "support/shownwindow.h"
#include "support/testdata.h"
#include "quiz/testitemmodel.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

enum class Stage { Choosing, Generated, Answering, Marked, Closed };
enum class Busy { Never, WhileAnswering, WhileLeaving };

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

// The window's wiring only: the rules of a test are tst_testsession's and tst_testmodels'.
class TestTestWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensWithStoredChoices();
    void stagesWireButtonsAndKeys_data();
    void stagesWireButtonsAndKeys();
    void entryRefusesAllButDigits_data();
    void entryRefusesAllButDigits();
    void enterStoresAndMovesDown_data();
    void enterStoresAndMovesDown();
    void markingWaitsForEveryAnswer();
    void resumeContinuesTheClock_data();
    void resumeContinuesTheClock();
    void leavingKeepsTheTest_data();
    void leavingKeepsTheTest();

private:
    // A shown, active test window of type 2.
    TestWindow &openWindow();
    // An open window with a test of 12 questions brought to the stage.
    TestWindow &reach(Stage stage);
    Stage stage() const;
    void cleanupWindow();

    std::unique_ptr<TestData> m_data;
    std::unique_ptr<TestWindow> m_window;
    std::unique_ptr<QSignalSpy> m_finished;
};

void TestTestWindow::init()
{
    m_data = std::make_unique<TestData>();
    m_data->context->setCurrentType(2);
}

void TestTestWindow::cleanup()
{
    cleanupWindow();
    m_data.reset();
}

void TestTestWindow::cleanupWindow()
{
    m_finished.reset();
    m_window.reset();
}

TestWindow &TestTestWindow::openWindow()
{
    cleanupWindow();
    m_window = std::make_unique<TestWindow>(*m_data->context, m_data->maker);
    m_finished = std::make_unique<QSignalSpy>(m_window.get(), &QDialog::finished);
    showActive(*m_window);
    return *m_window;
}

TestWindow &TestTestWindow::reach(Stage target)
{
    m_data->context->setCurrentTestNo(QString()); // a new test, not one confirmed before
    TestWindow &w = openWindow();
    w.countBox()->setValue(12);
    if (target >= Stage::Generated)
        w.generate();
    if (target >= Stage::Answering) {
        w.confirm();
        TestItemModel *model = w.itemModel();
        for (int row = 0; row < model->rowCount(); ++row)
            model->setData(
                model->index(row, TestItemModel::Answer), w.session().items()[row].answer);
    }
    if (target >= Stage::Marked)
        w.finish();
    return w;
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

void TestTestWindow::opensWithStoredChoices()
{
    m_data->settings().write(u"txb2"_s, u"4\\60"_s);
    TestWindow &w = openWindow();
    QCOMPARE(w.windowTitle(), u"【电脑测试】--> ②〖A-B〗"_s);
    QCOMPARE(w.levelList()->currentIndex(), 3);
    QCOMPARE(w.countBox()->value(), 60);

    // A count typed below the range is used clamped, and the box shows the count used.
    w.countBox()->setFocus();
    w.countBox()->selectAll();
    QTest::keyClick(focused(), Qt::Key_5);
    QTest::keyClick(focused(), Qt::Key_F5);
    QCOMPARE(w.session().items().size(), 10);
    QCOMPARE(w.countBox()->text(), u"10"_s);
}

void TestTestWindow::stagesWireButtonsAndKeys_data()
{
    QTest::addColumn<Stage>("from");
    QTest::addColumn<QString>("buttons"); // per button 0..3: - hidden, o shown, x shown disabled
    QTest::addColumn<QList<Stage>>("afterKeys"); // F5, F6, F8, Esc, whichever has the focus
    using enum Stage;
    QTest::newRow("choosing") << Choosing << u"oox-"_s
                              << QList { Generated, Choosing, Choosing, Closed };
    QTest::newRow("generated") << Generated << u"ooo-"_s
                               << QList { Generated, Answering, Generated, Closed };
    QTest::newRow("answering") << Answering << u"o--o"_s
                               << QList { Answering, Answering, Marked, Answering };
    QTest::newRow("marked") << Marked << u"o--x"_s << QList { Marked, Marked, Marked, Marked };
}

void TestTestWindow::stagesWireButtonsAndKeys()
{
    QFETCH(Stage, from);
    QFETCH(QString, buttons);
    QFETCH(QList<Stage>, afterKeys);
    TestWindow &w = reach(from);
    QString shown;
    for (qint16 i = TestWindow::Exit; i <= TestWindow::Finish; ++i) {
        HCommand *button = w.button(TestWindow::Button(i));
        shown += !button->isVisible() ? u'-' : button->isEnabled() ? u'o' : u'x';
    }
    QCOMPARE(shown, buttons);
    QCOMPARE(w.levelList()->isVisible(), from < Stage::Answering);
    QCOMPARE(w.grid()->isVisible(), from > Stage::Choosing);

    const Qt::Key keys[] = { Qt::Key_F5, Qt::Key_F6, Qt::Key_F8, Qt::Key_Escape };
    for (int i = 0; i < 4; ++i) {
        TestWindow &fresh = reach(from);
        QWidget *target = from < Stage::Answering ? static_cast<QWidget *>(fresh.countBox())
                                                  : static_cast<QWidget *>(fresh.grid());
        target->setFocus();
        const QString number = fresh.session().number();
        QTest::keyClick(target, keys[i]);
        QVERIFY2(stage() == afterKeys[i], qPrintable(QKeySequence(keys[i]).toString()));
        if (from >= Stage::Answering)
            QCOMPARE(fresh.session().number(), number);
    }
}

void TestTestWindow::entryRefusesAllButDigits_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("refused");
    QTest::newRow("letter into an empty cell") << QString() << u"a"_s;
    QTest::newRow("Chinese") << u"7"_s << u"五"_s;
}

void TestTestWindow::entryRefusesAllButDigits()
{
    QFETCH(QString, before);
    QFETCH(QString, refused);
    TestWindow &w = reach(Stage::Generated);
    w.confirm();
    const QModelIndex cell = w.itemModel()->index(0, TestItemModel::Answer);
    w.itemModel()->setData(cell, before);
    w.grid()->setFocus();
    w.grid()->setCurrentIndex(cell);
    QTest::keyClick(focused(), Qt::Key_1);
    QTest::keyClick(focused(), Qt::Key_2);
    auto *editor = qobject_cast<QLineEdit *>(w.grid()->indexWidget(cell));
    QVERIFY(editor);

    MessageCatcher message;
    message.arm();
    typeText(editor, refused);
    QCOMPARE(message.text, u"必须输入数字(0-9)，按【ESC】还原！"_s);
    QCOMPARE(w.grid()->indexWidget(cell), editor);
    QCOMPARE(editor->text(), u"12"_s);
    // Esc gives back what the cell held, and leaves the test running.
    QTest::keyClick(editor, Qt::Key_Escape);
    QVERIFY(!w.grid()->indexWidget(cell));
    QCOMPARE(cell.data().toString(), before);
    QCOMPARE(stage(), Stage::Answering);
}

void TestTestWindow::enterStoresAndMovesDown_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("next");
    QTest::newRow("first") << 0 << 1;
    QTest::newRow("last stays") << 11 << 11;
}

void TestTestWindow::enterStoresAndMovesDown()
{
    QFETCH(int, row);
    QFETCH(int, next);
    TestWindow &w = reach(Stage::Generated);
    w.confirm();
    w.grid()->setFocus();
    w.grid()->setCurrentIndex(w.itemModel()->index(row, TestItemModel::Question));
    QCOMPARE(w.grid()->currentIndex().column(), int(TestItemModel::Answer));

    QTest::keyClick(focused(), Qt::Key_4);
    QTest::keyClick(focused(), Qt::Key_2);
    QTest::keyClick(focused(), Qt::Key_Return);
    QCOMPARE(w.grid()->currentIndex().row(), next);
    QCOMPARE(m_data->storedAnswer(w.session().number(), row), u"42"_s);
    QCOMPARE(w.progressLine()->text(), u"答题进度：〖 %1 / 12 〗"_s.arg(next + 1));
}

void TestTestWindow::markingWaitsForEveryAnswer()
{
    TestWindow &w = reach(Stage::Answering);
    const QModelIndex open = w.itemModel()->index(8, TestItemModel::Answer);
    w.itemModel()->setData(open, QString());
    w.grid()->setCurrentIndex(w.itemModel()->index(2, TestItemModel::Answer));
    w.grid()->setFocus();

    MessageCatcher message;
    message.arm();
    QTest::keyClick(focused(), Qt::Key_F8);
    QCOMPARE(message.text, u"操作提示：尚有题目没有作答，请继续答题！"_s);
    QCOMPARE(stage(), Stage::Answering);
    QVERIFY(w.button(TestWindow::Finish)->isEnabled());
    QCOMPARE(w.grid()->currentIndex().row(), 8);

    w.itemModel()->setData(open, QString(w.session().items()[8].answer + u"0"_s));
    QTest::keyClick(w.grid(), Qt::Key_F8);
    QCOMPARE(w.hintLine()->text(), u"试题判卷结果：错误 1 题！"_s);
    QCOMPARE(w.itemModel()->columnCount(), 5);
    QVERIFY(!w.clock()->isActive());
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
    const QString number
        = m_data->store({ .type = 2, .level = 3, .count = 15, .seconds = stored, .answered = 4 });
    m_data->context->setCurrentTestNo(number);
    m_data->context->setCurrentType(7); // the menu's last type is not the test's
    TestWindow &w = openWindow();

    QCOMPARE(w.windowTitle(), u"【电脑测试】--> ②〖A-B〗"_s);
    QCOMPARE(w.numberLabel()->text(), u"试卷编号："_s + number);
    QCOMPARE(stage(), Stage::Answering);
    QVERIFY(w.clock()->isActive());
    QCOMPARE(w.grid()->currentIndex().row(), 4); // the first question not answered

    for (int i = 0; i < ticks; ++i)
        w.tick();
    QCOMPARE(w.session().elapsed(), elapsed);
    QCOMPARE(w.clock()->isActive(), running);
    QCOMPARE(findTestRecord(m_data->db(), number)->elapsed, saved);
}

void TestTestWindow::leavingKeepsTheTest_data()
{
    QTest::addColumn<bool>("byWindowManager");
    QTest::addColumn<Busy>("busy"); // when another program writes the file
    QTest::newRow("exit button") << false << Busy::Never;
    QTest::newRow("window manager") << true << Busy::Never;
    QTest::newRow("answer not stored at once") << false << Busy::WhileAnswering;
    QTest::newRow("test not stored on leaving") << true << Busy::WhileLeaving;
}

void TestTestWindow::leavingKeepsTheTest()
{
    QFETCH(bool, byWindowManager);
    QFETCH(Busy, busy);
    TestWindow &w = reach(Stage::Generated);
    w.confirm();
    TestItemModel *model = w.itemModel();
    std::optional<BusyDataFile> other;
    if (busy == Busy::WhileAnswering) {
        other.emplace(m_data->path);
        QVERIFY(model->setData(model->index(1, TestItemModel::Answer), u"7"_s));
        QVERIFY2(w.hintLine()->text().contains(u"正被另一个程序使用"_s),
            qPrintable(w.hintLine()->text()));
        other.reset();
    }
    w.grid()->setFocus();
    w.grid()->setCurrentIndex(model->index(0, TestItemModel::Answer));
    QTest::keyClick(focused(), Qt::Key_9);
    for (int i = 0; i < 7; ++i)
        w.tick();
    const auto leave = [&] {
        if (byWindowManager)
            w.close();
        else
            QTest::mouseClick(w.button(TestWindow::Exit), Qt::LeftButton);
    };

    if (busy == Busy::WhileLeaving) {
        other.emplace(m_data->path);
        MessageCatcher message;
        message.arm();
        leave();
        QVERIFY2(message.text.startsWith(u"答案和答题用时没有保存"_s), qPrintable(message.text));
        QVERIFY(message.text.contains(u"窗口没有关闭"_s));
        QVERIFY(w.isVisible());
        QCOMPARE(stage(), Stage::Answering);
        other.reset();
    }
    leave();
    QCOMPARE(stage(), Stage::Closed);
    // The answer still being typed went in with the rest.
    const QString number = w.session().number();
    QCOMPARE(m_data->storedAnswer(number, 0), u"9"_s);
    QCOMPARE(m_data->storedAnswer(number, 1), busy == Busy::WhileAnswering ? u"7"_s : QString());
    const std::optional<TestRecord> record = findTestRecord(m_data->db(), number);
    QCOMPARE(record->elapsed, 7);
    QVERIFY(!record->marked);
}

QRTA_GUI_TEST_MAIN(TestTestWindow)
#include "tst_testwindow.moc"
