#include "chrome/hcommand.h"
#include "worksheet/pagerangedialog.h"
#include "worksheet/printpreviewdialog.h"
#include "sheetpainter.h"
#include "worksheet/worksheetwindow.h"

#include "program/appcontext.h"
#include "store/settings.h"
#include "support/guitestmain.h"
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

} // namespace

class TestWorksheetWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void keysActFromAnyControl_data();
    void keysActFromAnyControl();
    void closingStoresChoicesAndTitleOnlyAfterEdit();
    void restoreLinkAsksFirst();
    void printingUsesSelectedLevelForEveryCopy();
    void exportWritesAndOpensWorkbook();
    void previewMatchesPagination();
    void pageRangeDialogRefusesBadInput();

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

void TestWorksheetWindow::keysActFromAnyControl_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("level list") << u"level"_s;
    QTest::newRow("rows box") << u"rows"_s;
    QTest::newRow("title box") << u"titleTemplate"_s;
}

void TestWorksheetWindow::keysActFromAnyControl()
{
    QFETCH(QString, control);
    const QString stored = u"2\\4\\12\\1\\5"_s;
    m_context->settings().write(u"txa6"_s, stored);
    WorksheetWindow window(*m_context);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.currentChoices().toSetting(), stored);
    // A row of the grid is as high as on paper.
    QCOMPARE(window.grid()->verticalHeader()->defaultSectionSize(), 48);
    QVERIFY(!window.grid()->isVisible());
    QVERIFY(!window.button(WorksheetWindow::Export)->isEnabled());
    QWidget *target = window.findChild<QWidget *>(control);
    QVERIFY(target);
    target->setFocus();

    QTest::keyClick(target, Qt::Key_F5);
    QVERIFY(window.grid()->isVisible());
    QCOMPARE(m_context->currentTestNo(), window.worksheet().number());
    QVERIFY(window.worksheet().number().startsWith(u"06_2_48_"_s));
    for (int i = WorksheetWindow::Export; i <= WorksheetWindow::PrintAnswers; ++i)
        QVERIFY(window.button(WorksheetWindow::Button(i))->isEnabled());

    QTest::keyClick(target, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
    QCOMPARE(m_context->settings().read(u"txa6"_s), stored);
}

void TestWorksheetWindow::closingStoresChoicesAndTitleOnlyAfterEdit()
{
    const QString original = m_context->settings().system5();
    {
        WorksheetWindow window(*m_context);
        window.findChild<QSpinBox *>(u"rows"_s)->setValue(33);
        window.button(WorksheetWindow::Close)->setFocus();
        QTest::keyClick(window.button(WorksheetWindow::Close), Qt::Key_Return);
        QVERIFY(!window.titleChanged());
    }
    QCOMPARE(m_context->settings().read(u"txa6"_s), u"1\\3\\33\\3\\1"_s);
    QCOMPARE(m_context->settings().read(u"system_5"_s), original);
    {
        WorksheetWindow window(*m_context);
        auto *title = window.findChild<QLineEdit *>(u"titleTemplate"_s);
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
}

void TestWorksheetWindow::restoreLinkAsksFirst()
{
    m_context->settings().write(u"system_5"_s, u"我的标题"_s);
    WorksheetWindow window(*m_context);
    auto *title = window.findChild<QLineEdit *>(u"titleTemplate"_s);
    MessageCatcher question;
    question.arm(QMessageBox::No);
    window.restoreDefaultTitle();
    QCOMPARE(title->text(), u"我的标题"_s);
    QVERIFY(!window.titleChanged());
    question.arm(QMessageBox::Yes);
    window.restoreDefaultTitle();
    QCOMPARE(title->text(), Settings::key(u"system_5"_s)->firstStartValue);
    QVERIFY(window.titleChanged());
}

void TestWorksheetWindow::printingUsesSelectedLevelForEveryCopy()
{
    m_context->settings().write(u"txa6"_s, u"2\\2\\4\\1\\3"_s);
    WorksheetWindow window(*m_context);
    QList<QList<SheetDocument>> previewed;
    window.preview
        = [&previewed](const QList<SheetDocument> &documents) { previewed << documents; };
    window.generate();
    QAbstractItemModelTester tester(
        window.questionModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QString number = window.worksheet().number();
    QVERIFY(number.startsWith(u"06_2_8_"_s)); // the sheet keeps the level it was made with
    window.findChild<QComboBox *>(u"level"_s)->setCurrentIndex(4); // 五级, after generating
    window.findChild<QSpinBox *>(u"copies"_s)->setValue(3);

    QTest::mouseClick(
        window.button(WorksheetWindow::PrintQuestions), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseClick(
        window.button(WorksheetWindow::PrintAnswers), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(previewed.size(), 2);
    QCOMPARE(previewed[0].size(), 3);
    QCOMPARE(previewed[1].size(), 3);
    QVERIFY2(previewed[0][0].header.startsWith(u"【A±B×C】〖五级〗8 题"_s),
        qPrintable(previewed[0][0].header));
    QCOMPARE(previewed[1][0].header, u"\\t【A±B×C】〖五级〗8 题（%1）答案"_s.arg(number));
    QSet<QString> numbers;
    for (int copy = 0; copy < 3; ++copy) {
        // Each copy has its own number, and its answers are its own.
        const QString own = previewed[0][copy].footer.section(u'【', 1).section(u'】', 0, 0);
        numbers.insert(own);
        QVERIFY(previewed[1][copy].header.contains(own));
        QVERIFY(previewed[1][copy].rows[0][0].startsWith(previewed[0][copy].rows[0][0]));
    }
    QCOMPARE(numbers.size(), 3);
    QVERIFY(previewed[0][1].rows != previewed[0][2].rows);
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
    QCOMPARE(preview.pageCount(), pageCountOf(documents));
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
}

void TestWorksheetWindow::pageRangeDialogRefusesBadInput()
{
    PageRangeDialog dialog(4);
    dialog.input()->setText(u"5-9"_s);
    MessageCatcher refusal;
    refusal.arm();
    dialog.accept();
    QCOMPARE(refusal.text, u"“5-9”没有选中任何一页：共 4 页"_s);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    dialog.input()->setText(u"-2,4"_s);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.pages(), QList<int>({ 1, 2, 4 }));
}

QRTA_GUI_TEST_MAIN(TestWorksheetWindow)
#include "tst_worksheetwindow.moc"
