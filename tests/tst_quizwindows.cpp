#include "chrome/formchooser.h"
#include "chrome/hcommand.h"
#include "quiz/markedpageview.h"
#include "quiz/photomarkingwindow.h"
#include "quiz/roomcorrector.h"
#include "quiz/progresschartwindow.h"
#include "quiz/recordswindow.h"
#include "quiz/testwindow.h"
#include "scanpage.h"
#include "sheetpainter.h"
#include "children/childlist.h"
#include "worksheet/classset.h"
#include "worksheet/scannablesheet.h"
#include "worksheet/sheetchoices.h"
#include "worksheet/sheetdocument.h"
#include "worksheet/worksheet.h"

#include "support/busydatafile.h"
#include "support/guitestmain.h"
#include "support/messagecatcher.h"
#include "support/shownwindow.h"
#include "support/testdata.h"
#include "generate/blankform.h"
#include "quiz/mistakebook.h"
#include "worksheet/formmemory.h"
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
#include <QListWidget>
#include <QPainter>
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

const QDateTime kMonday(QDate(2026, 3, 2), QTime(17, 10, 5));

void click(HCommand *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 8));
}

// A test of type 3 made `minutes` after kMonday: marked with the rows in `wrong` wrong, or
// left after `answered` questions.
TakenTest taken(int minutes, const QList<int> &wrong = {}, std::optional<int> answered = {})
{
    return { 3, 2, 10, wrong, 60, kMonday.addSecs(minutes * 60), answered };
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
        const QuestionForm form { 2, 4, CarryKind::Without, BlankPlace::Second };
        FormMemory(m_data->db()).setForm(FormMemory::Window::Test, form);
        TestWindow &w = openTest();
        QCOMPARE(w.levelList()->currentIndex(), 3);
        QCOMPARE(w.countBox()->value(), 60);
        QCOMPARE(w.formChooser()->form(4), form);

        // Questions of the form chosen: the second number left blank for the child.
        w.generate();
        QCOMPARE(w.session().items().size(), 60);
        for (const TestItem &item : w.session().items())
            QVERIFY2(blankform::isBlank(item.question), qPrintable(item.question));
    }

    void testTypedCountIsTheNearestAllowed_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("used");
        QTest::newRow("below the range") << u"5"_s << 10;
        QTest::newRow("above the range") << u"150"_s << 100;
        QTest::newRow("far above") << u"99999"_s << 100;
    }

    // A count typed beyond the range is used clamped, and the box shows the count used.
    void testTypedCountIsTheNearestAllowed()
    {
        QFETCH(QString, typed);
        QFETCH(int, used);
        TestWindow &w = openTest();
        w.countBox()->setFocus();
        w.countBox()->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
        QCOMPARE(w.session().items().size(), used);
        QCOMPARE(w.countBox()->text(), QString::number(used));
    }

    void testStagesWireButtonsAndKeys_data()
    {
        QTest::addColumn<Stage>("from");
        // Per button 0..3: - hidden, o shown, x shown disabled.
        QTest::addColumn<QString>("buttons");
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

    void testAnswerEntryAndHandingIn()
    {
        TestWindow &w = reach(Stage::Generated);
        w.confirm();
        w.grid()->setFocus();
        // Types 42 on the question of the row: the answer cell takes it.
        const auto type42 = [&](int row) {
            w.grid()->setCurrentIndex(w.itemModel()->index(row, TestItemModel::Question));
            for (Qt::Key key : { Qt::Key_4, Qt::Key_2 }) // the first opens the editor
                QTest::keyClick(QApplication::focusWidget(), key);
            return qobject_cast<QLineEdit *>(w.grid()->indexWidget(w.grid()->currentIndex()));
        };
        const auto state = [&](int row) -> QString {
            const QModelIndex at = w.grid()->currentIndex();
            return u"%1 %2,%3 "_s.arg(m_data->storedAnswer(w.session().number(), row))
                       .arg(at.row())
                       .arg(at.column())
                + w.progressLine()->text();
        };
        type42(0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(state(0), u"42 1,2 答题进度：〖 2 / 12 〗"_s);
        type42(11);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(state(11), u"42 11,2 答题进度：〖 12 / 12 〗"_s); // the last row stays

        // Anything but a digit, Chinese too, is refused; Esc gives back what the cell held.
        w.itemModel()->setData(w.itemModel()->index(5, TestItemModel::Answer), u"7"_s);
        QLineEdit *editor = type42(5);
        QVERIFY(editor);
        MessageCatcher message;
        message.arm();
        QKeyEvent chinese(QEvent::KeyPress, 0, Qt::NoModifier, u"五"_s); // as an input method
        QApplication::sendEvent(editor, &chinese);
        QCOMPARE(message.text, u"必须输入数字(0-9)，按【ESC】还原！"_s);
        QCOMPARE(w.grid()->indexWidget(w.grid()->currentIndex()), editor);
        QCOMPARE(editor->text(), u"42"_s);
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!w.grid()->indexWidget(w.grid()->currentIndex()));
        QCOMPARE(state(5), u"7 5,2 答题进度：〖 6 / 12 〗"_s);
        QCOMPARE(stage(), Stage::Answering);

        // Handing in with questions open goes to the first of them; answered, the test is marked
        // and the clock stops.
        message.arm();
        w.finish();
        QCOMPARE(message.text, u"操作提示：尚有题目没有作答，请继续答题！"_s);
        QVERIFY(w.button(TestWindow::Finish)->isEnabled());
        QCOMPARE(w.grid()->currentIndex().row(), 1);
        for (int row = 0; row < 12; ++row)
            w.itemModel()->setData(w.itemModel()->index(row, TestItemModel::Answer),
                QString(w.session().items()[row].answer + (row == 8 ? u"0"_s : QString())));
        w.finish();
        QCOMPARE(w.hintLine()->text(), u"试题判卷结果：错误 1 题！"_s);
        QVERIFY(!w.clock()->isActive());
    }

    void testResumeContinuesTheClock()
    {
        const QString number = m_data->store(
            { .type = 2, .level = 3, .count = 15, .seconds = 10785, .answered = 4 });
        m_data->context->setCurrentTestNo(number);
        m_data->context->setCurrentType(7); // the menu's last type is not the test's
        TestWindow &w = openTest();

        QCOMPARE(w.windowTitle(), u"【电脑测试】--> ②〖A-B〗"_s);
        QCOMPARE(w.numberLabel()->text(), u"试卷编号："_s + number);
        QCOMPARE(stage(), Stage::Answering);
        QCOMPARE(w.grid()->currentIndex().row(), 4); // the first question not answered
        // The clock runs on, is saved every ten seconds, and stops at three hours.
        const auto ticks = [&](int count) {
            for (int i = 0; i < count; ++i)
                w.tick();
            return u"%1 %2 %3"_s.arg(w.session().elapsed())
                .arg(*findTestRecord(m_data->db(), number)->elapsed)
                .arg(int(w.clock()->isActive()));
        };
        QCOMPARE(ticks(9), u"10794 10785 1"_s);
        QCOMPARE(ticks(1), u"10795 10795 1"_s);
        QCOMPARE(ticks(5), u"10800 10800 0"_s);
    }

    void testLeavingKeepsTheTest_data()
    {
        QTest::addColumn<int>("how"); // -1: the window manager, else the button
        QTest::addColumn<Busy>("busy"); // when another program writes the file
        QTest::newRow("close glyph") << int(TestWindow::CloseGlyph) << Busy::Never;
        QTest::newRow("exit, an answer not stored at once")
            << int(TestWindow::Exit) << Busy::WhileAnswering;
        QTest::newRow("window manager, the test not stored on leaving") << -1 << Busy::WhileLeaving;
    }

    void testLeavingKeepsTheTest()
    {
        QFETCH(int, how);
        QFETCH(Busy, busy);
        TestWindow &w = reach(Stage::Generated);
        w.confirm();
        TestItemModel *model = w.itemModel();
        std::optional<BusyDataFile> other;
        if (busy == Busy::WhileAnswering) {
            other.emplace(m_data->path);
            QVERIFY(model->setData(model->index(1, TestItemModel::Answer), u"7"_s));
            QVERIFY(w.hintLine()->text().contains(u"正被另一个程序使用"_s));
            other.reset();
        }
        w.grid()->setFocus();
        w.grid()->setCurrentIndex(model->index(0, TestItemModel::Answer));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_9);
        for (int i = 0; i < 7; ++i)
            w.tick();
        const auto leave
            = [&] { how < 0 ? void(w.close()) : click(w.button(TestWindow::Button(how))); };

        if (busy == Busy::WhileLeaving) {
            other.emplace(m_data->path);
            MessageCatcher message;
            message.arm();
            leave();
            QVERIFY(message.text.startsWith(u"答案和答题用时没有保存"_s)
                && message.text.contains(u"窗口没有关闭"_s));
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
        QVERIFY(record->elapsed == 7 && !record->marked);
    }

    void recordsListAndQuestions()
    {
        RecordsWindow *w = &openRecords();
        QCOMPARE(w->progressLine()->text(), u"试卷记录：〖 0 / 0 〗"_s);
        QTest::keyClick(w->list(), Qt::Key_Return); // an empty list: nothing to open
        QVERIFY(!w->isShowingDetail() && m_opened.isEmpty() && m_finished->isEmpty());
        QTest::keyClick(w->list(), Qt::Key_Escape);
        QCOMPARE(m_finished->size(), 1);

        m_data->store(taken(0));
        m_data->store(taken(1, {}, 1));
        m_data->store(taken(2, { 3, 7 }));
        w = &openRecords();
        QCOMPARE(w->progressLine()->text(), u"试卷记录：〖 1 / 3 〗"_s);
        clickAction(0); // a marked test: its questions
        QVERIFY(w->isShowingDetail() && m_opened.isEmpty());
        QCOMPARE(w->headingLabel()->text(), u"试卷编号："_s + w->recordModel()->record(0).number);
        QCOMPARE(w->hintLine()->text(), u"试题判卷结果：错误 2 题(点击列头可以排序)！"_s);
        QCOMPARE(w->detailModel()->rowCount(), 10);
        QCOMPARE(w->progressLine()->text(), u"试题记录：〖 1 / 10 〗"_s);
        QSignalSpy reset(w->detailModel(), &QAbstractItemModel::modelReset);
        QHeaderView *header = w->detail()->horizontalHeader();
        // Each click reads the questions in the order it asks for, unless they are in it already.
        QStringList readAndFirst;
        for (int column : { TestItemModel::Mark, TestItemModel::Mark, TestItemModel::Question,
                 TestItemModel::Position, TestItemModel::Position }) {
            const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
            QTest::mouseClick(
                header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
            readAndFirst
                << u"%1 %2"_s.arg(reset.size())
                       .arg(w->detailModel()->index(0, TestItemModel::Position).data().toInt());
        }
        QCOMPARE(readAndFirst, (QStringList { u"1 4"_s, u"1 4"_s, u"1 4"_s, u"2 1"_s, u"2 1"_s }));
        // Enter on the questions opens nothing more; Esc and 返回 go back to the list, and the
        // close glyph closes the window from here too.
        QTest::keyClick(w->detail(), Qt::Key_Return);
        QVERIFY(w->isShowingDetail() && m_opened.isEmpty());
        QTest::keyClick(w->detail(), Qt::Key_Escape);
        QCOMPARE(w->headingLabel()->text(), u"电脑测试题目一览表："_s);
        clickAction(0);
        click(w->button(RecordsWindow::Back));
        QVERIFY(!w->isShowingDetail() && m_finished->isEmpty());

        // The unfinished test in the real test window, answered and handed in while the records
        // wait: it comes back marked.
        w->openTest = [this] {
            TestWindow test(*m_data->context, m_data->maker, m_records.get());
            QCOMPARE(test.session().number(), m_data->context->currentTestNo());
            TestItemModel *model = test.itemModel();
            for (int row = 1; row < model->rowCount(); ++row)
                model->setData(model->index(row, TestItemModel::Answer),
                    test.session().items().at(row).answer);
            test.finish();
            test.exitWindow();
        };
        QTest::keyClick(w->list(), Qt::Key_Down);
        QCOMPARE(w->progressLine()->text(), u"试卷记录：〖 2 / 3 〗"_s);
        QTest::keyClick(w->list(), Qt::Key_Return);
        QVERIFY(!w->isShowingDetail() && m_data->context->currentTestNo().isEmpty());
        QCOMPARE(w->progressLine()->text(), u"试卷记录：〖 2 / 3 〗"_s);
        QCOMPARE(w->recordModel()->index(1, TestRecordModel::Action).data().toString(), u"查看"_s);

        clickAction(0);
        click(w->button(RecordsWindow::CloseGlyph));
        QCOMPARE(m_finished->size(), 1);
    }

    void recordsBookButtons_data()
    {
        QTest::addColumn<QList<int>>("wrong"); // of the one stored test
        QTest::addColumn<bool>("unreadable");
        QTest::addColumn<RecordsWindow::Button>("button");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("opened"); // sheets and heading, or the chart
        const QString empty = u"错题本里没有要再练的题。"_s;
        const QString unread = u"错题本无法读取：读写数据文件时出错。\n（错误代码 1）"_s;
        const QList<int> none, three { 2, 5, 7 };
        QTest::newRow("print") << three << false << RecordsWindow::PrintBook << QString()
                               << u"2 错题本"_s;
        QTest::newRow("chart") << none << false << RecordsWindow::Chart << QString() << u"chart"_s;
        QTest::newRow("empty, practice")
            << none << false << RecordsWindow::Practice << empty << QString();
        QTest::newRow("empty, print")
            << none << false << RecordsWindow::PrintBook << empty << QString();
        QTest::newRow("unreadable, practice")
            << three << true << RecordsWindow::Practice << unread << QString();
        QTest::newRow("unreadable, print")
            << three << true << RecordsWindow::PrintBook << unread << QString();
        QTest::newRow("photos without their reader")
            << none << false << RecordsWindow::Photos << u"无法拍照批改：模块坏了。"_s << QString();
    }

    // A family has one thing to export, the current child's history, and is not asked which;
    // a teacher picks a class's gradebook among what is offered. Either way the file is where
    // it was asked to go, and the parent is told so.
    void resultsAreExported_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("a family") << QString() << QStringList() << 0 << u"小朋友的成绩记录.xlsx"_s;
        QTest::newRow("a class") << u"二班"_s
                                 << QStringList { u"小朋友的成绩记录"_s, u"二班的成绩表"_s } << 1
                                 << u"二班的成绩表.xlsx"_s;
    }

    void resultsAreExported()
    {
        QFETCH(QString, className);
        QFETCH(int, chosen);
        if (!className.isEmpty()) {
            for (const QString &name : { u"王小明"_s, u"李华"_s })
                childlist::add(m_data->db(), name, className);
        }
        RecordsWindow &w = openRecords();
        QStringList offered;
        w.chooseResults = [&](const QStringList &choices) {
            offered = choices;
            return chosen;
        };
        QString fileName;
        const QString path = m_data->dir.filePath(u"成绩.xlsx"_s);
        w.chooseResultsPath = [&](const QString &name) {
            fileName = name;
            return path;
        };
        MessageCatcher said;
        said.arm();
        click(w.button(RecordsWindow::Results));
        QTEST(offered, "offered");
        QTEST(fileName, "fileName");
        QCOMPARE(said.text, u"已导出到 "_s + QDir::toNativeSeparators(path));
        QVERIFY(QFileInfo(path).size() > 0);
    }

    void recordsBookButtons()
    {
        QFETCH(QList<int>, wrong);
        QFETCH(bool, unreadable);
        QFETCH(RecordsWindow::Button, button);
        QFETCH(QString, message);
        QFETCH(QString, opened);
        m_data->store(taken(0, wrong));
        RecordsWindow &w = openRecords();
        QStringList shown;
        w.openPractice
            = [&shown](const QList<Mistake> &m) { shown << u"practice %1"_s.arg(m.size()); };
        w.previewBook = [&shown](const QList<SheetDocument> &documents) {
            shown << u"%1 %2"_s.arg(documents.size()).arg(documents.first().header.left(3));
        };
        w.openChart = [&shown] { shown << u"chart"_s; };
        w.loadReader = [](QString *why) -> const PhotoReader * {
            *why = u"模块坏了"_s;
            return nullptr;
        };
        w.choosePhotos = [&shown] {
            shown << u"photos"_s;
            return QStringList();
        };
        if (unreadable)
            m_data->db().exec("DROP TABLE tab_ctb");

        MessageCatcher said;
        said.arm();
        click(w.button(button));
        QCOMPARE(said.text, message);
        QCOMPARE(shown.join(u' '), opened);
        if (!wrong.isEmpty() && !unreadable) {
            // The practice of every type takes the whole book.
            w.practice(std::nullopt);
            QCOMPARE(
                shown.last(), u"practice %1"_s.arg(MistakeBook(m_data->db()).toLearn().size()));
        }
        QVERIFY(w.isVisible());
    }

    void chartShowsTheChosenType()
    {
        // Products over four days with a level change, one sum on the second day, and the newest
        // test a division; the first rows of each answered wrong.
        for (const TakenTest &test : { TakenTest { 5, 1, 20, { 0, 1, 2, 3 }, 120, kMonday },
                 TakenTest { 1, 2, 10, {}, 35, kMonday.addDays(1) },
                 TakenTest { 5, 1, 20, { 0 }, 100, kMonday.addDays(2) },
                 TakenTest { 5, 2, 25, { 0, 1, 2, 3, 4 }, 150, kMonday.addDays(3) },
                 TakenTest { 7, 3, 20, { 0, 1 }, 60, kMonday.addDays(4) } })
            m_data->store(test);
        m_data->context->setCurrentType(5);
        ProgressChartWindow &window = open(m_chart, new ProgressChartWindow(*m_data->context));
        QComboBox *chooser = window.typeChooser();
        QCOMPARE(chooser->count(), 3);
        QCOMPARE(chooser->currentText(), u"⑤〖A×B〗（3 次）"_s);
        QCOMPARE(window.scoreLine()->points(),
            (QList<QPointF> { { x(0), 80.0 }, { x(2), 95.0 }, { x(3), 80.0 } }));
        QCOMPARE(window.speedLine()->points(),
            (QList<QPointF> { { x(0), 6.0 }, { x(2), 5.0 }, { x(3), 6.0 } }));
        const QList<QScatterSeries *> marks = window.levelMarks(); // level one, then two
        QCOMPARE(marks.size(), 2);
        QCOMPARE(marks[0]->name(), u"一级"_s);
        QCOMPARE(marks[0]->points() + marks[1]->points(), window.scoreLine()->points());
        QCOMPARE(window.summaryLine()->text(), u"共 3 次 · 最近一次 80%、每题 6 秒 · 最好 95%"_s);
        // The pointer on the level-two mark shows that test.
        QChartView *view = window.chartView();
        const QPoint onScreen
            = view->mapFromScene(view->chart()->mapToPosition(marks[1]->at(0), marks[1]));
        QTest::mouseMove(view->viewport(), onScreen - QPoint(40, 40));
        QTest::mouseMove(view->viewport(), onScreen);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), window.pointText(2));

        chooser->setFocus();
        QTest::keyClick(chooser, Qt::Key_Up);
        QCOMPARE(window.shownType(), 1);
        QCOMPARE(window.scoreLine()->points(), (QList<QPointF> { { x(1), 100.0 } }));
        QCOMPARE(window.levelMarks().size(), 1);
        window.showType(9); // nothing marked: the chart stays as it is
        QCOMPARE(window.shownType(), 1);
        QCOMPARE(chooser->currentData().toInt(), 1);
    }

    void chartEmptyFileSaysSoAndCloses()
    {
        m_data->store({ .type = 5, .moment = kMonday, .answered = 1 });
        for (int button : { ProgressChartWindow::Back, ProgressChartWindow::CloseGlyph }) {
            ProgressChartWindow &window = open(m_chart, new ProgressChartWindow(*m_data->context));
            QCOMPARE(window.shownType(), 0);
            QVERIFY(window.emptyNote()->isVisible());
            QVERIFY(!window.chartView()->isVisible() && !window.typeChooser()->isVisible());
            QCOMPARE(window.pointText(0), QString());
            click(window.button(ProgressChartWindow::Button(button)));
            QCOMPARE(m_finished->size(), 1);
        }
    }

    // A sheet printed to be photographed comes back unwritten: nothing can be read, so the
    // parent goes through the rooms beside the photo, types what the paper says (a right
    // answer, or nothing), and stores a marked test; the same sheet again is not stored twice.
    void photographedSheetIsCorrectedAndMarked()
    {
        SheetChoices choices;
        choices.columns = 3;
        choices.rows = 6;
        SheetRecipe recipe;
        recipe.form = { 5, 2 };
        recipe.columns = 3;
        recipe.rows = 6;
        QStringList shortfalls;
        ClassSet set = *ClassSet::make(m_data->maker, recipe, kMonday, &shortfalls);
        const SheetDocument document = scanpage::fileSet(m_data->db(),
            m_data->settings().installationNumber(), set, 1, [&choices](const Worksheet &sheet) {
                return questionDocument(sheet, choices, u"乘法"_s);
            }).first();
        QImage page(1240, 1754, QImage::Format_RGB32); // A4 at 150 dpi, as a flatbed scans it
        page.fill(Qt::white);
        QPainter painter(&page);
        SheetPainter(document).paintPage(painter, 0, 150, 150);
        painter.end();
        const QString photo = m_data->dir.filePath(u"scan.png"_s);
        QVERIFY(page.save(photo));
        const QString number = set.first().number();

        RecordsWindow &records = openRecords();
        records.choosePhotos = [&photo] { return QStringList { photo }; };
        QStringList results, visited;
        records.openPhotos = [&](const QStringList &photos) {
            PhotoMarkingWindow window(*m_data->context, photos);
            showActive(window);
            QSignalSpy read(&window, &PhotoMarkingWindow::allRead);
            QVERIFY(window.isRead() || read.wait(20000));
            RoomCorrector *corrector = window.corrector();
            if (results.isEmpty()) {
                QCOMPARE(window.pageView()->marks().size(), 18);
                // Tab passes a room by, a click chooses any room, Shift+Tab goes back.
                QCOMPARE(corrector->room().position, 1);
                QTest::keyClick(corrector->answerBox(), Qt::Key_Tab);
                QCOMPARE(corrector->room().position, 2);
                QTest::mouseClick(
                    window.pageView(), Qt::LeftButton, {}, window.pageView()->markRect(9).center());
                QCOMPARE(corrector->room().position, 10);
                QTest::keyClick(corrector->answerBox(), Qt::Key_Backtab);
                QCOMPARE(corrector->room().position, 9);
                QTest::mouseClick(
                    window.pageView(), Qt::LeftButton, {}, window.pageView()->markRect(0).center());
                // Enter takes what was typed and goes on to the next room left unsure.
                while (corrector->room().position > 0 && visited.size() < 20) {
                    const ScanRoom room = corrector->room();
                    visited << QString::number(room.position);
                    corrector->answerBox()->setText(room.position == 4 ? QString() : room.answer);
                    QTest::keyClick(corrector->answerBox(), Qt::Key_Return);
                }
            }
            click(window.button(PhotoMarkingWindow::Save));
            QVERIFY(window.isStored());
            results << window.resultLine()->text();
        };
        for (int time = 0; time < 2; ++time)
            click(records.button(RecordsWindow::Photos));
        QCOMPARE(visited.size(), 18);
        QCOMPARE(visited.first(), u"1"_s);
        QCOMPARE(visited.last(), u"18"_s);
        QCOMPARE(results.size(), 2);
        QVERIFY2(results[0].contains(u"错 1 题，已批改"_s), qPrintable(results[0]));
        QVERIFY2(results[1].contains(u"已经批改过"_s), qPrintable(results[1]));
        QCOMPARE(records.recordModel()->rowCount(), 1); // the list read again
        const std::optional<TestRecord> record = findTestRecord(m_data->db(), number);
        QCOMPARE(record->marked.value_or(0), 1);
        QCOMPARE(record->wrong.value_or(0), 1);
        QCOMPARE(record->elapsed, std::nullopt); // the parent's typing is not the child's time
        QCOMPARE(records.recordModel()->index(0, TestRecordModel::Time).data().toString(), u"—"_s);
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

    std::unique_ptr<TestData> m_data;
    std::unique_ptr<TestWindow> m_test;
    std::unique_ptr<RecordsWindow> m_records;
    std::unique_ptr<ProgressChartWindow> m_chart;
    std::unique_ptr<QSignalSpy> m_finished;
    QStringList m_opened; // the test numbers the records window's opener was asked for
};

QRTA_GUI_TEST_MAIN(TestQuizWindows)
#include "tst_quizwindows.moc"
