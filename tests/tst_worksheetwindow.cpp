#include "hcommand.h"
#include "pagerangedialog.h"
#include "printpreviewdialog.h"
#include "sheetpainter.h"
#include "worksheetwindow.h"

#include "shell/appcontext.h"
#include "store/settings.h"
#include "support/busydatafile.h"
#include "support/messagecatcher.h"
#include "worksheet/sheetmodel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QSet>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

// Types text as a keyboard would, Chinese included.
void typeText(QWidget *widget, const QString &text)
{
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
    }
}

template <typename T> T *childOf(QWidget *parent, const QString &name)
{
    return parent->findChild<T *>(name);
}

} // namespace

class TestWorksheetWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void restoresStoredChoices_data();
    void restoresStoredChoices();
    void keysActFromAnyControl_data();
    void keysActFromAnyControl();
    void closingStoresChoicesAndTitleOnlyAfterEdit();
    void restoreLinkAsksFirst_data();
    void restoreLinkAsksFirst();
    void printingUsesSelectedLevel();
    void exportWritesAndOpensWorkbook();
    void previewMatchesPagination();
    void pageRangeDialogRefusesBadInput();
    void classSetPrintsEveryCopy();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppContext> m_context;
};

void TestWorksheetWindow::init()
{
    m_context.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    m_context = AppContext::open(m_dir->filePath(u"QRTA.dat"_s));
    m_context->setCurrentType(6);
}

void TestWorksheetWindow::restoresStoredChoices_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QList<int>>("controls"); // level, column, font and height positions, rows
    QTest::addColumn<int>("rowPixels");
    QTest::newRow("2\\4\\12\\1\\5") << u"2\\4\\12\\1\\5"_s << QList { 1, 2, 0, 4, 12 } << 48;
    QTest::newRow("empty") << QString() << QList { 0, 3, 2, 2, 10 } << 43;
    QTest::newRow("first start, 整页 15 rows")
        << u"1\\3\\15\\3\\1"_s << QList { 0, 1, 2, 0, 15 } << 64;
}

void TestWorksheetWindow::restoresStoredChoices()
{
    QFETCH(QString, stored);
    QFETCH(QList<int>, controls);
    QFETCH(int, rowPixels);
    m_context->settings().write(u"txa6"_s, stored);
    WorksheetWindow window(*m_context);
    QCOMPARE(window.windowTitle(), u"【试卷出题】--> ⑥〖A±B×C〗"_s);
    const SheetChoices choices = window.currentChoices();
    QCOMPARE(QList<int>({ choices.level - 1, choices.columns - 2, choices.font - 1,
                 choices.rowHeight - 1, choices.rows }),
        controls);
    QCOMPARE(window.grid()->verticalHeader()->defaultSectionSize(), rowPixels);
    QVERIFY(!window.button(WorksheetWindow::Export)->isEnabled());
    QVERIFY(!window.grid()->isVisibleTo(&window));
}

void TestWorksheetWindow::keysActFromAnyControl_data()
{
    QTest::addColumn<int>("control"); // 0 level list, 1 rows box, 2 title box
    QTest::newRow("level list") << 0;
    QTest::newRow("rows box") << 1;
    QTest::newRow("title box") << 2;
}

void TestWorksheetWindow::keysActFromAnyControl()
{
    QFETCH(int, control);
    m_context->settings().write(u"txa6"_s, u"3\\4\\9\\2\\3"_s);
    WorksheetWindow window(*m_context);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget *target = control == 0 ? static_cast<QWidget *>(childOf<QComboBox>(&window, u"level"_s))
        : control == 1             ? static_cast<QWidget *>(childOf<QSpinBox>(&window, u"rows"_s))
                       : static_cast<QWidget *>(childOf<QLineEdit>(&window, u"titleTemplate"_s));
    target->setFocus();

    QTest::keyClick(target, Qt::Key_F5);
    QVERIFY(window.grid()->isVisible());
    QCOMPARE(window.worksheet().questionCount(), 36);
    QCOMPARE(m_context->currentTestNo(), window.worksheet().number());
    QVERIFY(window.worksheet().number().startsWith(u"06_3_36_"_s));
    QCOMPARE(window.questionModel()->rowCount(), 9);
    for (int i = WorksheetWindow::Export; i <= WorksheetWindow::PrintAnswers; ++i)
        QVERIFY(window.button(WorksheetWindow::Button(i))->isEnabled());

    QTest::keyClick(target, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
    QCOMPARE(m_context->settings().read(u"txa6"_s), u"3\\4\\9\\2\\3"_s);
}

void TestWorksheetWindow::closingStoresChoicesAndTitleOnlyAfterEdit()
{
    const QString original = m_context->settings().system5();
    {
        WorksheetWindow window(*m_context);
        childOf<QSpinBox>(&window, u"rows"_s)->setValue(33);
        window.button(WorksheetWindow::Close)->setFocus();
        QTest::keyClick(window.button(WorksheetWindow::Close), Qt::Key_Return);
        QVERIFY(!window.titleChanged());
    }
    QCOMPARE(m_context->settings().read(u"txa6"_s), u"1\\3\\33\\3\\1"_s);
    QCOMPARE(m_context->settings().read(u"system_5"_s), original);
    {
        WorksheetWindow window(*m_context);
        auto *title = childOf<QLineEdit>(&window, u"titleTemplate"_s);
        title->setFocus();
        title->selectAll();
        typeText(title, u"【题型】数量题"_s);
        QVERIFY(window.titleChanged());
        window.show();
        {
            // Another program writing: the window says why and stays for another try.
            BusyDataFile busy(m_context->database().path());
            MessageCatcher message;
            message.arm();
            window.close(); // by the window manager
            QVERIFY(window.isVisible());
            QVERIFY2(message.text.startsWith(u"试卷的设置没有保存：数据文件正被另一个程序使用"_s)
                    && message.text.endsWith(u"窗口没有关闭，请稍后再试。"_s),
                qPrintable(message.text));
        }
        window.close();
        QVERIFY(!window.isVisible());
    }
    QCOMPARE(m_context->settings().read(u"system_5"_s), u"【题型】数量题"_s);
    QCOMPARE(m_context->settings().system5(), u"【题型】数量题"_s);
}

void TestWorksheetWindow::restoreLinkAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("no keeps the title") << false;
    QTest::newRow("yes restores the default") << true;
}

void TestWorksheetWindow::restoreLinkAsksFirst()
{
    QFETCH(bool, yes);
    m_context->settings().write(u"system_5"_s, u"我的标题"_s);
    WorksheetWindow window(*m_context);
    MessageCatcher question;
    question.arm(yes ? QMessageBox::Yes : QMessageBox::No);
    window.restoreDefaultTitle();
    const QString expected = yes ? Settings::key(u"system_5"_s)->firstStartValue : u"我的标题"_s;
    QCOMPARE(childOf<QLineEdit>(&window, u"titleTemplate"_s)->text(), expected);
    QCOMPARE(window.titleChanged(), yes);
}

void TestWorksheetWindow::printingUsesSelectedLevel()
{
    m_context->settings().write(u"txa6"_s, u"2\\2\\4\\1\\3"_s);
    WorksheetWindow window(*m_context);
    QList<SheetDocument> previewed;
    window.preview
        = [&previewed](const QList<SheetDocument> &documents) { previewed << documents; };
    window.generate();
    QAbstractItemModelTester tester(
        window.questionModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QString number = window.worksheet().number();
    childOf<QComboBox>(&window, u"level"_s)->setCurrentIndex(4); // choose 五级 after generating

    QTest::mouseClick(
        window.button(WorksheetWindow::PrintQuestions), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseClick(
        window.button(WorksheetWindow::PrintAnswers), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(previewed.size(), 2);
    QVERIFY2(previewed[0].header.startsWith(u"【A±B×C】〖五级〗8 题"_s),
        qPrintable(previewed[0].header));
    QVERIFY(previewed[0].footer.contains(number));
    QCOMPARE(previewed[1].header, u"\\t【A±B×C】〖五级〗8 题（%1）答案"_s.arg(number));
    QVERIFY(number.startsWith(u"06_2_8_"_s)); // the sheet keeps the level it was made with
    QCOMPARE(previewed[0].rows.size(), 4);
    QVERIFY(previewed[1].rows[0][0].contains(u'＝'));
}

void TestWorksheetWindow::exportWritesAndOpensWorkbook()
{
    WorksheetWindow window(*m_context);
    QList<QUrl> opened;
    window.openUrl = [&opened](const QUrl &url) {
        opened << url;
        return true;
    };
    window.generate();
    QTest::mouseClick(window.button(WorksheetWindow::Export), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseClick(window.button(WorksheetWindow::Export), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(opened.size(), 2);
    QVERIFY(opened[0] != opened[1]); // a workbook still open is never overwritten
    QFile workbook(opened[0].toLocalFile());
    QVERIFY(workbook.open(QIODevice::ReadOnly));
    QVERIFY(workbook.read(2) == "PK");
    QVERIFY(opened[0].fileName().startsWith(window.worksheet().number()));
}

void TestWorksheetWindow::previewMatchesPagination()
{
    m_context->settings().write(u"txa6"_s, u"3\\5\\100\\3\\3"_s);
    WorksheetWindow window(*m_context);
    QList<SheetDocument> documents;
    window.preview = [&documents](const QList<SheetDocument> &d) { documents = d; };
    window.generate();
    window.printQuestions();
    QCOMPARE(documents.size(), 1);

    PrintPreviewDialog preview(documents);
    preview.show();
    QApplication::setActiveWindow(&preview);
    QVERIFY(QTest::qWaitForWindowActive(&preview));
    const int pages = pageCountOf(documents);
    QCOMPARE(pages, 5);
    QCOMPARE(preview.pageCount(), pages);
    QCOMPARE(preview.pageIndicator(), u"第 1 页 总共 5 页"_s);
    QTest::keyClick(&preview, Qt::Key_End);
    QCOMPARE(preview.currentPage(), 5);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"current.pdf"_s);
    preview.choosePrinter = [&pdf](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    preview.printCurrent();
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("%PDF"));
    QCOMPARE(preview.action(u"printAll"_s)->text(), u"打印(&P)"_s + QString(14, u' ') + u"Ctr+P"_s);
}

void TestWorksheetWindow::pageRangeDialogRefusesBadInput()
{
    PageRangeDialog dialog(4);
    QCOMPARE(dialog.windowTitle(), u"指定页码打印"_s);
    dialog.input()->setText(u"5-9"_s);
    MessageCatcher refusal;
    refusal.arm();
    dialog.accept();
    QCOMPARE(refusal.text, u"“5-9”没有选中任何一页：共 4 页"_s);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.pages().isEmpty());
    dialog.input()->setText(u"-2,4"_s);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.pages(), QList<int>({ 1, 2, 4 }));
}

void TestWorksheetWindow::classSetPrintsEveryCopy()
{
    m_context->settings().write(u"txa6"_s, u"3\\4\\20\\3\\3"_s);
    WorksheetWindow window(*m_context);
    QList<QList<SheetDocument>> previewed;
    window.preview
        = [&previewed](const QList<SheetDocument> &documents) { previewed << documents; };
    window.generate();
    window.findChild<QSpinBox *>(u"copies"_s)->setValue(4);
    window.printQuestions();
    window.printAnswers();
    QCOMPARE(previewed.size(), 2);
    QCOMPARE(previewed[0].size(), 4);
    QCOMPARE(previewed[1].size(), 4);
    QSet<QString> numbers;
    for (int copy = 0; copy < 4; ++copy) {
        // Each copy has its own number, and its answers are its own.
        const QString number = previewed[0][copy].footer.section(u'【', 1).section(u'】', 0, 0);
        numbers.insert(number);
        QVERIFY(previewed[1][copy].header.contains(number));
        for (int row = 0; row < previewed[0][copy].rows.size(); ++row) {
            for (int column = 0; column < 4; ++column)
                QVERIFY(previewed[1][copy].rows[row][column].startsWith(
                    previewed[0][copy].rows[row][column]));
        }
    }
    QCOMPARE(numbers.size(), 4);
    QVERIFY(numbers.contains(window.worksheet().number()));
    QVERIFY(previewed[0][1].rows != previewed[0][2].rows);
}

QTEST_MAIN(TestWorksheetWindow)
#include "tst_worksheetwindow.moc"
