#include "chrome/hcommand.h"
#include "quiz/progresschartwindow.h"
#include "quiz/recordswindow.h"
#include "quiz/testwindow.h"
#include "worksheet/sheetdocument.h"

#include "support/busydatafile.h"
#include "support/guitestmain.h"
#include "support/messagecatcher.h"
#include "support/shownwindow.h"
#include "support/testdata.h"
#include "quiz/mistakebook.h"
#include "quiz/testitemmodel.h"
#include "quiz/testrecordmodel.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using namespace Qt::Literals::StringLiterals;

namespace {

enum class Stage { Choosing, Generated, Answering, Marked, Closed };
enum class Busy { Never, WhileAnswering, WhileLeaving };
enum class Window { Test, Records, Chart };

const QDateTime kMonday(QDate(2026, 3, 2), QTime(17, 10, 5));

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

void click(HCommand *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 8));
}

// A test of type 3 made `minutes` after kMonday: marked with the rows in `wrong` wrong, or
// left after `answered` questions.
TakenTest taken(int minutes, const QList<int> &wrong = {}, std::optional<int> answered = {})
{
    return { .type = 3,
        .level = 2,
        .wrong = wrong,
        .moment = kMonday.addSecs(minutes * 60),
        .answered = answered };
}

qreal x(int day)
{
    return qreal(kMonday.addDays(day).toMSecsSinceEpoch());
}

} // namespace

// The wiring of the quiz room's windows: which key or button reaches which action, what is
// shown when. The rules behind them are tst_quiz's.
class TestQuizWindows : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_data = std::make_unique<TestData>();
        m_data->context->setCurrentType(2);
        m_opened.clear();
    }

    void cleanup()
    {
        QToolTip::hideText();
        m_finished.reset();
        m_test.reset();
        m_records.reset();
        m_chart.reset();
        m_data.reset();
    }

    void testOpensWithStoredChoices()
    {
        m_data->settings().write(u"txb2"_s, u"4\\60"_s);
        TestWindow &w = openTest();
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

    void testStagesWireButtonsAndKeys_data()
    {
        QTest::addColumn<Stage>("from");
        QTest::addColumn<QString>(
            "buttons"); // per button 0..3: - hidden, o shown, x shown disabled
        QTest::addColumn<QList<Stage>>("afterKeys"); // F5, F6, F8, Esc, whichever has the focus
        using enum Stage;
        QTest::newRow("choosing") << Choosing << u"oox-"_s
                                  << QList { Generated, Choosing, Choosing, Closed };
        QTest::newRow("generated")
            << Generated << u"ooo-"_s << QList { Generated, Answering, Generated, Closed };
        QTest::newRow("answering")
            << Answering << u"o--o"_s << QList { Answering, Answering, Marked, Answering };
        QTest::newRow("marked") << Marked << u"o--x"_s << QList { Marked, Marked, Marked, Marked };
    }

    void testStagesWireButtonsAndKeys()
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

    void testAnswerEntry_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("before"); // what the answer cell holds
        QTest::addColumn<QString>("refused"); // none: Enter after the digits
        QTest::addColumn<int>("next");
        QTest::newRow("Enter on the first") << 0 << QString() << QString() << 1;
        QTest::newRow("Enter on the last stays") << 11 << QString() << QString() << 11;
        QTest::newRow("letter into an empty cell") << 0 << QString() << u"a"_s << 0;
        QTest::newRow("Chinese") << 5 << u"7"_s << u"五"_s << 5;
    }

    void testAnswerEntry()
    {
        QFETCH(int, row);
        QFETCH(QString, before);
        QFETCH(QString, refused);
        QFETCH(int, next);
        TestWindow &w = reach(Stage::Generated);
        w.confirm();
        const QModelIndex cell = w.itemModel()->index(row, TestItemModel::Answer);
        w.itemModel()->setData(cell, before);
        w.grid()->setFocus();
        w.grid()->setCurrentIndex(w.itemModel()->index(row, TestItemModel::Question));
        QCOMPARE(w.grid()->currentIndex(), cell);
        QTest::keyClick(focused(), Qt::Key_4);
        QTest::keyClick(focused(), Qt::Key_2);
        auto *editor = qobject_cast<QLineEdit *>(w.grid()->indexWidget(cell));
        QVERIFY(editor);
        if (refused.isEmpty()) {
            QTest::keyClick(focused(), Qt::Key_Return);
        } else {
            MessageCatcher message;
            message.arm();
            typeText(editor, refused);
            QCOMPARE(message.text, u"必须输入数字(0-9)，按【ESC】还原！"_s);
            QCOMPARE(w.grid()->indexWidget(cell), editor);
            QCOMPARE(editor->text(), u"42"_s);
            // Esc gives back what the cell held, and leaves the test running.
            QTest::keyClick(editor, Qt::Key_Escape);
            QVERIFY(!w.grid()->indexWidget(cell));
            QCOMPARE(stage(), Stage::Answering);
        }
        QCOMPARE(
            m_data->storedAnswer(w.session().number(), row), refused.isEmpty() ? u"42"_s : before);
        QCOMPARE(w.grid()->currentIndex().row(), next);
        QCOMPARE(w.progressLine()->text(), u"答题进度：〖 %1 / 12 〗"_s.arg(next + 1));
    }

    void testFinishGoesToTheOpenQuestion()
    {
        TestWindow &w = reach(Stage::Answering);
        const QModelIndex open = w.itemModel()->index(8, TestItemModel::Answer);
        w.itemModel()->setData(open, QString());
        w.grid()->setCurrentIndex(w.itemModel()->index(2, TestItemModel::Answer));

        MessageCatcher message;
        message.arm();
        w.finish();
        QCOMPARE(message.text, u"操作提示：尚有题目没有作答，请继续答题！"_s);
        QVERIFY(w.button(TestWindow::Finish)->isEnabled());
        QCOMPARE(w.grid()->currentIndex().row(), 8);

        w.itemModel()->setData(open, QString(w.session().items()[8].answer + u"0"_s));
        w.finish();
        QCOMPARE(w.hintLine()->text(), u"试题判卷结果：错误 1 题！"_s);
        QVERIFY(!w.clock()->isActive());
    }

    void testResumeContinuesTheClock_data()
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

    void testResumeContinuesTheClock()
    {
        QFETCH(int, stored);
        QFETCH(int, ticks);
        QFETCH(int, elapsed);
        QFETCH(bool, running);
        QFETCH(int, saved);
        const QString number = m_data->store(
            { .type = 2, .level = 3, .count = 15, .seconds = stored, .answered = 4 });
        m_data->context->setCurrentTestNo(number);
        m_data->context->setCurrentType(7); // the menu's last type is not the test's
        TestWindow &w = openTest();

        QCOMPARE(w.windowTitle(), u"【电脑测试】--> ②〖A-B〗"_s);
        QCOMPARE(w.numberLabel()->text(), u"试卷编号："_s + number);
        QCOMPARE(stage(), Stage::Answering);
        QCOMPARE(w.grid()->currentIndex().row(), 4); // the first question not answered

        for (int i = 0; i < ticks; ++i)
            w.tick();
        QCOMPARE(w.session().elapsed(), elapsed);
        QCOMPARE(w.clock()->isActive(), running);
        QCOMPARE(findTestRecord(m_data->db(), number)->elapsed, saved);
    }

    void testLeavingKeepsTheTest_data()
    {
        QTest::addColumn<bool>("byWindowManager");
        QTest::addColumn<Busy>("busy"); // when another program writes the file
        QTest::newRow("exit button") << false << Busy::Never;
        QTest::newRow("window manager") << true << Busy::Never;
        QTest::newRow("answer not stored at once") << false << Busy::WhileAnswering;
        QTest::newRow("test not stored on leaving") << true << Busy::WhileLeaving;
    }

    void testLeavingKeepsTheTest()
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
                click(w.button(TestWindow::Exit));
        };

        if (busy == Busy::WhileLeaving) {
            other.emplace(m_data->path);
            MessageCatcher message;
            message.arm();
            leave();
            QVERIFY2(
                message.text.startsWith(u"答案和答题用时没有保存"_s), qPrintable(message.text));
            QVERIFY(message.text.contains(u"窗口没有关闭"_s));
            QCOMPARE(stage(), Stage::Answering);
            other.reset();
        }
        leave();
        QCOMPARE(stage(), Stage::Closed);
        // The answer still being typed went in with the rest.
        const QString number = w.session().number();
        QCOMPARE(m_data->storedAnswer(number, 0), u"9"_s);
        QCOMPARE(
            m_data->storedAnswer(number, 1), busy == Busy::WhileAnswering ? u"7"_s : QString());
        const std::optional<TestRecord> record = findTestRecord(m_data->db(), number);
        QCOMPARE(record->elapsed, 7);
        QVERIFY(!record->marked);
    }

    void recordsActionCell_data()
    {
        QTest::addColumn<int>("row"); // -1: the list is empty
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<bool>("detail");
        // Rows: 0 unfinished, 1 marked with two wrong, 2 marked all right.
        QTest::newRow("marked, click") << 1 << false << true;
        QTest::newRow("marked, Enter") << 1 << true << true;
        QTest::newRow("all right, click") << 2 << false << true;
        QTest::newRow("unfinished, click") << 0 << false << false;
        QTest::newRow("unfinished, Enter") << 0 << true << false;
        QTest::newRow("empty list, Enter") << -1 << true << false;
    }

    void recordsActionCell()
    {
        QFETCH(int, row);
        QFETCH(bool, byEnter);
        QFETCH(bool, detail);
        QString unfinished, twoWrong;
        if (row >= 0) {
            m_data->store(taken(0));
            twoWrong = m_data->store(taken(1, { 3, 7 }));
            unfinished = m_data->store(taken(2, {}, 1));
        }
        RecordsWindow &w = openRecords();
        const int count = w.recordModel()->rowCount();
        QCOMPARE(
            w.progressLine()->text(), u"试卷记录：〖 %1 / %2 〗"_s.arg(row < 0 ? 0 : 1).arg(count));
        if (byEnter && row >= 0) {
            QTest::keyClick(w.list(), Qt::Key_Down);
            QCOMPARE(w.progressLine()->text(), u"试卷记录：〖 2 / 3 〗"_s);
            w.list()->setCurrentIndex(w.recordModel()->index(row, 0));
        }
        if (byEnter)
            QTest::keyClick(w.list(), Qt::Key_Return);
        else
            clickAction(row);
        QCOMPARE(w.isShowingDetail(), detail);
        QVERIFY(m_finished->isEmpty());
        if (!detail) {
            QCOMPARE(m_opened, row < 0 ? QStringList() : QStringList { unfinished });
            QVERIFY(m_data->context->currentTestNo().isEmpty());
            QCOMPARE(w.list()->currentIndex().row(), row);
            return;
        }
        const QString number = w.recordModel()->record(row).number;
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

    void recordsResumedTestComesBackMarked()
    {
        m_data->store(taken(0));
        const QString unfinished = m_data->store(taken(1, {}, 2));
        m_data->store(taken(2));
        RecordsWindow &w = openRecords();
        QCOMPARE(w.recordModel()->rowOf(unfinished), 1);
        // The real test window, answered and handed in while the records wait.
        w.openTest = [this] {
            TestWindow test(*m_data->context, m_data->maker, m_records.get());
            QCOMPARE(test.session().number(), m_data->context->currentTestNo());
            TestItemModel *model = test.itemModel();
            for (int row = 2; row < model->rowCount(); ++row)
                model->setData(model->index(row, TestItemModel::Answer),
                    test.session().items().at(row).answer);
            test.finish();
            test.exitWindow();
        };
        clickAction(1);

        QVERIFY(!w.isShowingDetail());
        QCOMPARE(w.progressLine()->text(), u"试卷记录：〖 2 / 3 〗"_s);
        QCOMPARE(w.recordModel()->index(1, TestRecordModel::Action).data().toString(), u"查看"_s);
    }

    void recordsHeaderSorts()
    {
        m_data->store(taken(0, { 3, 7 }));
        RecordsWindow &w = openRecords();
        clickAction(0);
        QSignalSpy reset(w.detailModel(), &QAbstractItemModel::modelReset);
        QHeaderView *header = w.detail()->horizontalHeader();
        // The questions come in question order; a second click on the same header reads nothing.
        for (int column : { TestItemModel::Mark, TestItemModel::Mark, TestItemModel::Question }) {
            const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
            QTest::mouseClick(
                header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
        }
        QCOMPARE(reset.size(), 1);
        QCOMPARE(w.detailModel()->index(0, TestItemModel::Position).data().toInt(), 4);
        QCOMPARE(w.detailModel()->index(2, TestItemModel::Position).data().toInt(), 1);
    }

    void recordsBookButtons_data()
    {
        QTest::addColumn<QList<int>>("wrong"); // of the one stored test
        QTest::addColumn<bool>("unreadable");
        QTest::addColumn<RecordsWindow::Button>("button");
        QTest::addColumn<QString>("message"); // none: the book is opened
        const QString empty = u"错题本里没有要再练的题。"_s;
        const QString unread = u"错题本无法读取：读写数据文件时出错。\n（错误代码 1）"_s;
        const QList<int> none, three { 2, 5, 7 };
        QTest::newRow("print") << three << false << RecordsWindow::PrintBook << QString();
        QTest::newRow("chart") << none << false << RecordsWindow::Chart << QString();
        QTest::newRow("empty, practice") << none << false << RecordsWindow::Practice << empty;
        QTest::newRow("empty, print") << none << false << RecordsWindow::PrintBook << empty;
        QTest::newRow("unreadable, practice") << three << true << RecordsWindow::Practice << unread;
        QTest::newRow("unreadable, print") << three << true << RecordsWindow::PrintBook << unread;
    }

    void recordsBookButtons()
    {
        QFETCH(QList<int>, wrong);
        QFETCH(bool, unreadable);
        QFETCH(RecordsWindow::Button, button);
        QFETCH(QString, message);
        m_data->store(taken(0, wrong));
        RecordsWindow &w = openRecords();
        QStringList opened;
        w.openPractice
            = [&opened](const QList<Mistake> &m) { opened << u"practice %1"_s.arg(m.size()); };
        w.previewBook = [&opened](const QList<SheetDocument> &documents) {
            opened << u"%1 %2"_s.arg(documents.size()).arg(documents.first().header.left(3));
        };
        w.openChart = [&opened] { opened << u"chart"_s; };
        if (unreadable)
            m_data->db().exec("DROP TABLE tab_ctb");

        MessageCatcher said;
        said.arm();
        click(w.button(button));
        QCOMPARE(said.text, message);
        const QStringList expected = !message.isEmpty() ? QStringList()
            : button == RecordsWindow::Chart            ? QStringList { u"chart"_s }
                                                        : QStringList { u"2 错题本"_s };
        QCOMPARE(opened, expected);
        if (!wrong.isEmpty() && !unreadable) {
            // The practice of every type takes the whole book.
            w.practice(std::nullopt);
            QCOMPARE(
                opened.last(), u"practice %1"_s.arg(MistakeBook(m_data->db()).toLearn().size()));
        }
        QVERIFY(w.isVisible());
    }

    void chartShowsTheChosenType()
    {
        storeChartTests();
        ProgressChartWindow &window = open(m_chart, new ProgressChartWindow(*m_data->context));
        QComboBox *chooser = window.typeChooser();
        QCOMPARE(chooser->count(), 3);
        QCOMPARE(chooser->currentText(), u"⑤〖A×B〗（3 次）"_s);
        QCOMPARE(window.scoreLine()->points(),
            (QList<QPointF> { { x(0), 80.0 }, { x(2), 95.0 }, { x(3), 80.0 } }));
        QCOMPARE(window.speedLine()->points(),
            (QList<QPointF> { { x(0), 6.0 }, { x(2), 5.0 }, { x(3), 6.0 } }));
        QCOMPARE(window.levelMarks().size(), 2);
        QCOMPARE(window.levelMarks()[0]->name(), u"一级"_s);
        QCOMPARE(
            window.levelMarks()[0]->points(), (QList<QPointF> { { x(0), 80.0 }, { x(2), 95.0 } }));
        QCOMPARE(window.levelMarks()[1]->points(), (QList<QPointF> { { x(3), 80.0 } }));
        QCOMPARE(window.summaryLine()->text(), u"共 3 次 · 最近一次 80%、每题 6 秒 · 最好 95%"_s);
        QVERIFY(window.pointText(2).startsWith(u"试卷编号：05_2_25_20260305171005\n"_s));
        // The pointer on the level-two mark shows that test.
        QChartView *view = window.chartView();
        QScatterSeries *levelTwo = window.levelMarks().at(1);
        const QPoint onScreen
            = view->mapFromScene(view->chart()->mapToPosition(levelTwo->at(0), levelTwo));
        QTest::mouseMove(view->viewport(), onScreen - QPoint(40, 40));
        QTest::mouseMove(view->viewport(), onScreen);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), window.pointText(2));
        QToolTip::hideText();

        chooser->setFocus();
        QTest::keyClick(chooser, Qt::Key_Up);
        QCOMPARE(window.shownType(), 1);
        QCOMPARE(window.scoreLine()->points(), (QList<QPointF> { { x(1), 100.0 } }));
        QCOMPARE(window.levelMarks().size(), 1);
        window.showType(9); // nothing marked: the chart stays as it is
        QCOMPARE(window.shownType(), 1);
        QCOMPARE(chooser->currentData().toInt(), 1);
    }

    void chartEmptyFileSaysSo()
    {
        m_data->store({ .type = 5, .moment = kMonday, .answered = 1 });
        ProgressChartWindow &window = open(m_chart, new ProgressChartWindow(*m_data->context));
        QCOMPARE(window.shownType(), 0);
        QVERIFY(window.emptyNote()->isVisible());
        QVERIFY(!window.chartView()->isVisible());
        QVERIFY(!window.typeChooser()->isVisible());
        QCOMPARE(window.pointText(0), QString());
    }

    void closes_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<int>("how"); // -1: Esc, else the button
        QTest::addColumn<bool>("fromDetail"); // the records window shows a test's questions
        QTest::addColumn<bool>("closed");
        QTest::newRow("chart, Esc") << Window::Chart << -1 << false << true;
        QTest::newRow("chart, 退出")
            << Window::Chart << int(ProgressChartWindow::Back) << false << true;
        QTest::newRow("chart, close glyph")
            << Window::Chart << int(ProgressChartWindow::CloseGlyph) << false << true;
        QTest::newRow("records, Esc") << Window::Records << -1 << false << true;
        QTest::newRow("records, Esc on a test") << Window::Records << -1 << true << false;
        QTest::newRow("records, 返回 on a test")
            << Window::Records << int(RecordsWindow::Back) << true << false;
        QTest::newRow("records, close glyph on a test")
            << Window::Records << int(RecordsWindow::CloseGlyph) << true << true;
        QTest::newRow("test, close glyph")
            << Window::Test << int(TestWindow::CloseGlyph) << false << true;
    }

    void closes()
    {
        QFETCH(Window, window);
        QFETCH(int, how);
        QFETCH(bool, fromDetail);
        QFETCH(bool, closed);
        m_data->store(taken(0, { 2 }));
        QDialog *shown = nullptr;
        HCommand *button = nullptr;
        if (window == Window::Chart) {
            shown = &open(m_chart, new ProgressChartWindow(*m_data->context));
            button = how < 0 ? nullptr : m_chart->button(ProgressChartWindow::Button(how));
        } else if (window == Window::Records) {
            shown = &openRecords();
            if (fromDetail)
                clickAction(0);
            button = how < 0 ? nullptr : m_records->button(RecordsWindow::Button(how));
        } else {
            shown = &openTest();
            button = m_test->button(TestWindow::Button(how));
        }
        if (button)
            click(button);
        else
            QTest::keyClick(focused(), Qt::Key_Escape);
        QCOMPARE(m_finished->size(), closed ? 1 : 0);
        QCOMPARE(shown->isVisible(), !closed);
        if (fromDetail && !closed) {
            QVERIFY(!m_records->isShowingDetail());
            QCOMPARE(m_records->headingLabel()->text(), u"电脑测试题目一览表："_s);
        }
    }

private:
    template <class W> W &open(std::unique_ptr<W> &window, W *made)
    {
        m_finished.reset();
        window.reset(made);
        m_finished = std::make_unique<QSignalSpy>(made, &QDialog::finished);
        showActive(*made);
        return *made;
    }

    TestWindow &openTest() { return open(m_test, new TestWindow(*m_data->context, m_data->maker)); }

    // An open test window with a test of 12 questions brought to the stage.
    TestWindow &reach(Stage target)
    {
        m_data->context->setCurrentTestNo(QString()); // a new test, not one confirmed before
        TestWindow &w = openTest();
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

    Stage stage() const
    {
        const TestSession &session = m_test->session();
        if (!m_finished->isEmpty())
            return Stage::Closed;
        if (session.isMarked())
            return Stage::Marked;
        if (session.isConfirmed())
            return Stage::Answering;
        return session.items().isEmpty() ? Stage::Choosing : Stage::Generated;
    }

    RecordsWindow &openRecords()
    {
        RecordsWindow &w = open(m_records, new RecordsWindow(*m_data->context));
        w.openTest = [this] { m_opened << m_data->context->currentTestNo(); };
        return w;
    }

    void clickAction(int row)
    {
        QTableView *list = m_records->list();
        const QRect cell
            = list->visualRect(m_records->recordModel()->index(row, TestRecordModel::Action));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }

    void storeChartTests()
    {
        // Products over four days with a level change, one sum on the second day, and the newest
        // test a division; the first rows of each answered wrong. Unfinished tests make no point.
        const TakenTest tests[] = {
            { 5, 1, 20, { 0, 1, 2, 3 }, 120, kMonday },
            { 1, 2, 10, {}, 35, kMonday.addDays(1) },
            { 5, 1, 20, { 0 }, 100, kMonday.addDays(2) },
            { 5, 2, 25, { 0, 1, 2, 3, 4 }, 150, kMonday.addDays(3) },
            { 7, 3, 20, { 0, 1 }, 60, kMonday.addDays(4) },
            { .type = 9, .moment = kMonday.addDays(5), .answered = 1 },
        };
        for (const TakenTest &test : tests)
            m_data->store(test);
        m_data->context->setCurrentType(5);
    }

    std::unique_ptr<TestData> m_data;
    std::unique_ptr<TestWindow> m_test;
    std::unique_ptr<RecordsWindow> m_records;
    std::unique_ptr<ProgressChartWindow> m_chart;
    std::unique_ptr<QSignalSpy> m_finished;
    QStringList m_opened; // the test numbers the records window's opener was asked for
};

QRTA_GUI_TEST_MAIN(TestQuizWindows)
#include "tst_quizwindows.moc"
