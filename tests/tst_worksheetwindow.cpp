#include "chrome/formchooser.h"
#include "chrome/hcommand.h"
#include "worksheet/pagerangedialog.h"
#include "worksheet/sheetgrid.h"
#include "worksheet/printpreviewdialog.h"
#include "worksheet/mixdialog.h"
#include "worksheet/worksheetchoices.h"
#include "worksheet/worksheetwindow.h"

#include "children/childlist.h"
#include "generate/blankform.h"
#include "program/appcontext.h"
#include "store/settings.h"
#include "support/busydatafile.h"
#include "support/guitestmain.h"
#include "support/messagecatcher.h"
#include "support/readback.h"
#include "support/shownwindow.h"
#include "support/storedtests.h"
#include "support/testdata.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestWorksheetWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_data.emplace();
        m_data->context->setCurrentType(6);
    }

    void keysActFromAnyControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("level list") << u"level"_s;
        QTest::newRow("rows box") << u"rows"_s;
        QTest::newRow("title box") << u"titleTemplate"_s;
    }

    void keysActFromAnyControl()
    {
        QFETCH(QString, control);
        const QString stored = u"2\\4\\12\\1\\5"_s;
        m_data->settings().write(u"txa6"_s, stored);
        WorksheetWindow window(*m_data->context);
        showActive(window);
        QCOMPARE(window.currentChoices().toSetting(), stored);
        QVERIFY(!window.grid()->isVisible());
        QVERIFY(!window.button(WorksheetWindow::Export)->isEnabled());
        QWidget *target = window.findChild<QWidget *>(control);
        target->setFocus();

        QTest::keyClick(target, Qt::Key_F5);
        QVERIFY(window.grid()->isVisible());
        QCOMPARE(m_data->context->currentTestNo(), window.worksheet().number());
        QVERIFY(window.worksheet().number().startsWith(u"06_2_48_"_s));
        for (int i = WorksheetWindow::Export; i <= WorksheetWindow::PrintAnswers; ++i)
            QVERIFY(window.button(WorksheetWindow::Button(i))->isEnabled());

        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QCOMPARE(m_data->settings().read(u"txa6"_s), stored);
    }

    // Esc with a list open closes the list, not the window and the sheet made in it.
    void escapeClosesAnOpenListOnly()
    {
        WorksheetWindow window(*m_data->context);
        showActive(window);
        click(window, WorksheetWindow::Generate);
        auto *levels = window.findChild<QComboBox *>(u"level"_s);
        levels->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        // As the key reaches the window where a desktop hands it there.
        QTest::keyClick(&window, Qt::Key_Escape);
        QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
        QVERIFY(window.isVisible());
        QTest::keyClick(levels, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    void closingStoresChoicesAndTitleOnlyAfterEdit()
    {
        m_data->settings().write(u"system_5"_s, u"My title"_s);
        MessageCatcher message;
        {
            WorksheetWindow window(*m_data->context);
            window.findChild<QSpinBox *>(u"rows"_s)->setValue(33);
            // The link to the default title asks first.
            message.arm(QMessageBox::No);
            QTest::mouseClick(window.findChild<QLabel *>(u"restoreLink"_s), Qt::LeftButton);
            QVERIFY(message.text.contains(u"恢复成系统默认的样式"_s));
            QVERIFY(!window.titleChanged());
            QTest::mouseClick(window.button(WorksheetWindow::Close), Qt::LeftButton);
        }
        QCOMPARE(m_data->settings().read(u"txa6"_s), u"1\\3\\33\\3\\1"_s);
        QCOMPARE(m_data->settings().read(u"system_5"_s), u"My title"_s);

        WorksheetWindow window(*m_data->context);
        showActive(window);
        QTest::keyClicks(window.findChild<QLineEdit *>(u"titleTemplate"_s), u"x"_s);
        QVERIFY(window.titleChanged());
        message.arm(QMessageBox::Yes);
        QTest::mouseClick(window.findChild<QLabel *>(u"restoreLink"_s), Qt::LeftButton);
        // Another program writing: the window says why and stays for another try.
        const QString said = saidWhileBusy(m_data->path, [&window] { window.close(); });
        QVERIFY(window.isVisible());
        QVERIFY2(
            said.startsWith(u"试卷的设置没有保存：数据文件正被另一个程序使用"_s), qPrintable(said));
        window.close();
        QVERIFY(!window.isVisible());
        QCOMPARE(
            m_data->settings().read(u"system_5"_s), Settings::key(u"system_5"_s)->firstStartValue);
    }

    void buttonsPrintAndExportTheSet()
    {
        m_data->settings().write(u"txa6"_s, u"2\\2\\4\\1\\3"_s);
        WorksheetWindow window(*m_data->context);
        QList<QList<SheetDocument>> previewed;
        window.preview = [&previewed](const QList<SheetDocument> &d) { previewed << d; };
        QList<QUrl> opened;
        window.openUrl = [&opened](const QUrl &url) {
            opened << url;
            return true;
        };
        click(window, WorksheetWindow::Generate);
        const QString number = window.worksheet().number();
        QVERIFY(number.startsWith(u"06_2_8_"_s)); // the sheet keeps the level it was made with
        // The title names the level chosen now; the set is as many sheets as copies asked for.
        window.findChild<QComboBox *>(u"level"_s)->setCurrentIndex(4);
        window.findChild<QSpinBox *>(u"copies"_s)->setValue(3);

        click(window, WorksheetWindow::PrintQuestions);
        click(window, WorksheetWindow::PrintAnswers);
        QCOMPARE(previewed.size(), 2);
        QCOMPARE(previewed[0].size(), 3);
        QVERIFY(previewed[0][0].header.startsWith(u"【A±B×C】〖五级〗8 题"_s));
        QCOMPARE(previewed[1][0].header, u"\\t【A±B×C】〖五级〗8 题（%1）答案"_s.arg(number));
        // Each copy its own questions, and the answers printed later belong to the copies
        // printed before.
        for (int copy = 0; copy < 3; ++copy) {
            QVERIFY(previewed[0][copy].rows != previewed[0][(copy + 1) % 3].rows);
            QVERIFY(previewed[1][copy].rows[0][0].startsWith(previewed[0][copy].rows[0][0]));
        }

        // Each export is a new workbook: one still open is never overwritten. It holds the set.
        click(window, WorksheetWindow::Export);
        click(window, WorksheetWindow::Export);
        QCOMPARE(opened.size(), 2);
        QVERIFY(opened[0] != opened[1]);
        QVERIFY(opened[0].fileName().startsWith(number));
        // In the user's documents, where a parent finds it again, and the window says so.
        const QString documents
            = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(QFileInfo(opened[1].toLocalFile()).absolutePath(), documents);
        QCOMPARE(window.findChild<QLabel *>(u"paperNote"_s)->toolTip(),
            u"已导出到 %1"_s.arg(opened[1].toLocalFile()));
        const QJsonArray workbook = readback::workbookSheets(opened[0].toLocalFile());
        QCOMPARE(workbook.size(), 6);
        for (int copy = 0; copy < 3; ++copy)
            QVERIFY(previewed[1][copy].header.contains(
                u"（%1）"_s.arg(workbook[2 * copy][u"name"_s].toString())));
    }

    // A set printed to be photographed is filed before it prints, each copy under a number that
    // nothing in the data file holds; printed again, it keeps its numbers, and its answers print
    // under them.
    void scannableSetIsFiledUnderFreeNumbers()
    {
        WorksheetWindow window(*m_data->context);
        QList<QList<SheetDocument>> previewed;
        window.preview = [&previewed](const QList<SheetDocument> &d) { previewed << d; };
        window.findChild<QCheckBox *>(u"scannable"_s)->setChecked(true);
        window.findChild<QSpinBox *>(u"copies"_s)->setValue(2);
        click(window, WorksheetWindow::Generate);
        const QString held = window.worksheet().number();
        m_data->db().prepare("INSERT INTO tab_test (bh) VALUES (?)").bind(1, held).run();
        for (const WorksheetWindow::Button button : { WorksheetWindow::PrintQuestions,
                 WorksheetWindow::PrintQuestions, WorksheetWindow::PrintAnswers })
            click(window, button);
        QCOMPARE(previewed.size(), 3);
        const QString first = previewed[0][0].scanNumber, second = previewed[0][1].scanNumber;
        QVERIFY(first != held && second != held && first != second);
        QCOMPARE(previewed[1][1].scanNumber, second);
        QVERIFY(previewed[2][0].header.contains(first));
        QCOMPARE(countRows(m_data->db(), "SELECT count(DISTINCT scan_bh) FROM tab_scan"), 2);
    }

    // 全班 lies below one copy: a copy for each pupil in list order, the pupil's name after the
    // title, and a copy to be photographed filed as that pupil's.
    void wholeClassPrintsNamedCopies()
    {
        QList<Child> pupils;
        for (const QString &name : { u"王小明"_s, u"李华"_s, u"张三"_s })
            pupils << childlist::add(m_data->db(), name, u"二班"_s);
        WorksheetWindow window(*m_data->context);
        QList<SheetDocument> previewed;
        window.preview = [&previewed](const QList<SheetDocument> &d) { previewed = d; };
        window.findChild<QCheckBox *>(u"scannable"_s)->setChecked(true);
        auto *copies = window.findChild<QSpinBox *>(u"copies"_s);
        QTest::keyClick(copies, Qt::Key_Down);
        QCOMPARE(copies->text(), u"二班"_s);
        QTest::keyClick(copies, Qt::Key_Down);
        QCOMPARE(copies->text(), u"二班"_s); // the only class is the least choice
        click(window, WorksheetWindow::Generate);
        click(window, WorksheetWindow::PrintQuestions);
        QCOMPARE(previewed.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(previewed[i].header.contains(u"　姓名："_s + pupils[i].name),
                qPrintable(previewed[i].header));
            Statement filed = m_data->db().prepare(
                "SELECT DISTINCT scan_child FROM tab_scan WHERE scan_bh = ?");
            filed.bind(1, previewed[i].scanNumber);
            QVERIFY(filed.next());
            QCOMPARE(filed.integer(0), pupils[i].id);
        }
    }

    // 竖式 is offered where the type is taught in columns; it takes the blank and the photo
    // away, prints squares with the working on the answer sheet, and is remembered per type.
    void verticalSheets_data()
    {
        QTest::addColumn<qint16>("type");
        QTest::addColumn<bool>("offered");
        QTest::newRow("A ÷ B") << qint16(7) << true;
        QTest::newRow("A±B×C") << qint16(6) << false;
    }

    void verticalSheets()
    {
        QFETCH(qint16, type);
        QFETCH(bool, offered);
        m_data->context->setCurrentType(type);
        QList<QList<SheetDocument>> previewed;
        {
            WorksheetWindow window(*m_data->context);
            window.preview = [&previewed](const QList<SheetDocument> &d) { previewed << d; };
            auto *vertical = window.findChild<QCheckBox *>(u"vertical"_s);
            QCOMPARE(vertical->isVisibleTo(&window), offered);
            if (!offered)
                return;
            auto *scannable = window.findChild<QCheckBox *>(u"scannable"_s);
            scannable->setChecked(true);
            vertical->setChecked(true);
            QVERIFY(!scannable->isEnabled());
            QVERIFY(
                !window.findChild<WorksheetChoices *>()->formChooser()->blankList()->isEnabled());
            click(window, WorksheetWindow::Generate);
            click(window, WorksheetWindow::PrintQuestions);
            click(window, WorksheetWindow::PrintAnswers);
            window.close();
        }
        QCOMPARE(previewed.size(), 2);
        QVERIFY(previewed[0][0].vertical && !previewed[0][0].showsWorking);
        QVERIFY(previewed[0][0].scanNumber.isEmpty());
        QVERIFY(previewed[1][0].vertical && previewed[1][0].showsWorking);
        WorksheetWindow again(*m_data->context);
        QVERIFY(again.findChild<QCheckBox *>(u"vertical"_s)->isChecked());
    }

    // Five columns cannot hold 四则混合 三级 at 五号 with room to write: the sheet on screen,
    // every copy printed and the next sheet's choice take the columns that can, and say so.
    void columnsTooNarrowGiveWay()
    {
        m_data->context->setCurrentType(10);
        m_data->settings().write(u"txa10"_s, u"3\\5\\20\\3\\3"_s);
        WorksheetWindow window(*m_data->context);
        QList<SheetDocument> previewed;
        window.preview = [&previewed](const QList<SheetDocument> &d) { previewed = d; };
        window.findChild<QSpinBox *>(u"copies"_s)->setValue(2);
        click(window, WorksheetWindow::Generate);
        QCOMPARE(window.worksheet().columns(), 3);
        QCOMPARE(window.currentChoices().columns, 3);
        QVERIFY2(window.findChild<QLabel *>(u"sizeNote"_s)->toolTip().contains(u"已改为三列"_s),
            qPrintable(window.findChild<QLabel *>(u"sizeNote"_s)->toolTip()));
        click(window, WorksheetWindow::PrintQuestions);
        QCOMPARE(previewed.size(), 2);
        for (const SheetDocument &document : std::as_const(previewed))
            QCOMPARE(document.columns, 3);
    }

    // A sheet made of other choices than the band's is never printed or exported: any change
    // of what it is made of takes it away until F5; its looks do not.
    void changingWhatTheSheetIsMadeOfTakesItAway_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("keeps");
        for (const char *change : { "level", "columns", "carry", "rows", "mix" })
            QTest::newRow(change) << QString::fromLatin1(change) << false;
        QTest::newRow("font") << u"font"_s << true;
    }
    void changingWhatTheSheetIsMadeOfTakesItAway()
    {
        QFETCH(QString, change);
        QFETCH(bool, keeps);
        m_data->context->setCurrentType(1);
        WorksheetWindow window(*m_data->context);
        window.chooseMix = [](SheetRecipe &recipe) {
            recipe.entries = *sheetentries::read(u"2:4:6"_s);
            return true;
        };
        showActive(window);
        click(window, WorksheetWindow::Generate);
        if (change == u"rows") {
            window.findChild<QSpinBox *>(u"rows"_s)->stepUp();
        } else if (change == u"mix") {
            click(window, WorksheetWindow::Mix);
        } else {
            auto *list = change == u"carry" ? window.choices()->formChooser()->carryList()
                                            : window.findChild<QComboBox *>(change);
            list->setCurrentIndex((list->currentIndex() + 1) % list->count());
            emit list->activated(list->currentIndex());
        }
        QCOMPARE(window.grid()->isVisible(), keeps);
        for (int i = WorksheetWindow::Export; i <= WorksheetWindow::PrintAnswers; ++i)
            QCOMPARE(window.button(WorksheetWindow::Button(i))->isEnabled(), keeps);
        QCOMPARE(window.worksheet().questionCount() > 0, keeps);
        click(window, WorksheetWindow::Generate);
        QVERIFY(window.button(WorksheetWindow::PrintQuestions)->isEnabled());
    }

    void formsAndMixedSheetsAreMadeAndRemembered()
    {
        m_data->context->setCurrentType(1);
        const QList<SheetEntry> entries = *sheetentries::read(u"2:4:6:nocarry,7:3:4:second"_s);
        int asked = 0;
        auto open = [&](WorksheetWindow &window) {
            window.chooseMix = [&](SheetRecipe &recipe) {
                ++asked;
                recipe.entries = entries;
                recipe.shuffle = true;
                return true;
            };
            window.preview = [this](const QList<SheetDocument> &d) { m_previewed << d; };
        };
        {
            WorksheetWindow window(*m_data->context);
            open(window);
            window.choices()->formChooser()->carryList()->setCurrentIndex(1);
            window.choices()->formChooser()->blankList()->setCurrentIndex(2);
            window.generate();
            for (const QString &line : window.worksheet().lines())
                QVERIFY2(blankform::isBlank(line) && line.contains(u'＋'), qPrintable(line));

            click(window, WorksheetWindow::Mix);
            QVERIFY(window.isMixed());
            window.generate();
            QVERIFY(window.worksheet().number().startsWith(u"00_0_10_"_s));
            QCOMPARE(window.worksheet().entries(), entries);
            window.printQuestions();
            QVERIFY(m_previewed.at(0).header.startsWith(u"【综合练习】〖三级、四级〗10 题"_s));
            click(window, WorksheetWindow::Single);
            QVERIFY(!window.isMixed());
            window.leave();
        }
        // Next week: the type's form is as it was, and the mix is one click away.
        WorksheetWindow window(*m_data->context);
        open(window);
        QCOMPARE(window.choices()->form().carry, CarryKind::With);
        QCOMPARE(window.choices()->form().blank, BlankPlace::Second);
        click(window, WorksheetWindow::Mix);
        QCOMPARE(asked, 1);
        QCOMPARE(window.choices()->recipe().entries, entries);
        QVERIFY(window.choices()->recipe().shuffle);
    }

    void mixedSheetThatCannotBeMadeIsRefused_data()
    {
        QTest::addColumn<QString>("entries");
        QTest::addColumn<QString>("message");
        QTest::newRow("too few distinct questions")
            << u"5:1:20,1:1:90"_s << u"这份综合练习出不齐：\n第 2 项“A + B 一级 90 题”只出了"_s;
        QTest::newRow("too many rows") << u"1:5:400,2:5:400"_s << u"一共 800 题，2 列要 400 行"_s;
    }

    void mixedSheetThatCannotBeMadeIsRefused()
    {
        QFETCH(QString, entries);
        QFETCH(QString, message);
        m_data->settings().write(u"txa6"_s, u"1\\2\\4\\1\\3"_s);
        WorksheetWindow window(*m_data->context);
        window.chooseMix = [&entries](SheetRecipe &recipe) {
            recipe.entries = *sheetentries::read(entries);
            return true;
        };
        window.editMix();
        MessageCatcher refusal;
        refusal.arm();
        window.generate();
        QVERIFY2(refusal.text.startsWith(message), qPrintable(refusal.text));
        QCOMPARE(window.worksheet().questionCount(), 0);
    }

    void mixDialogAddsMovesAndRemovesEntries()
    {
        MixDialog dialog({});
        MessageCatcher refusal;
        refusal.arm();
        dialog.confirm();
        QCOMPARE(refusal.text, u"先加一组题，再按【确定】。"_s);
        showActive(dialog);
        auto add = [&dialog](int type, int level, int count) {
            dialog.typeList()->setCurrentIndex(type - 1);
            dialog.levelList()->setCurrentIndex(level - 1);
            dialog.countBox()->setValue(count);
            QTest::keyClick(dialog.entryList(), Qt::Key_Return);
        };
        add(1, 4, 12);
        dialog.formChooser()->carryList()->setCurrentIndex(1);
        QTest::keyClick(dialog.entryList(), Qt::Key_Return);
        add(7, 3, 8);
        QCOMPARE(dialog.entryList()->count(), 3);
        QTest::keyClick(dialog.entryList(), Qt::Key_Up, Qt::ControlModifier);
        dialog.entryList()->setCurrentRow(0);
        QTest::keyClick(dialog.entryList(), Qt::Key_Delete);
        QTest::mouseClick(dialog.button(MixDialog::Confirm), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(sheetentries::toText(dialog.recipe().entries), u"7:3:8,1:4:12:carry"_s);
    }

    // A 竖式 mixed sheet's dialog offers the types written in columns only, and refuses an
    // entry of another type added all the same.
    void verticalMixTakesColumnTypesOnly()
    {
        SheetRecipe recipe;
        recipe.vertical = true;
        MixDialog dialog(recipe);
        const auto *types = qobject_cast<const QStandardItemModel *>(dialog.typeList()->model());
        QList<int> offered;
        for (int row = 0; row < types->rowCount(); ++row) {
            if (types->item(row)->isEnabled())
                offered << row + 1;
        }
        QCOMPARE(offered, (QList<int> { 1, 2, 3, 4, 5, 7 }));
        dialog.typeList()->setCurrentIndex(8);
        MessageCatcher refusal;
        refusal.arm();
        dialog.addEntry();
        QVERIFY2(refusal.text.contains(u"不能出竖式"_s), qPrintable(refusal.text));
        QCOMPARE(dialog.entryList()->count(), 0);
    }

    void previewPrintsTheCurrentPage()
    {
        m_data->settings().write(u"txa6"_s, u"3\\5\\100\\3\\3"_s);
        WorksheetWindow window(*m_data->context);
        QList<SheetDocument> documents;
        window.preview = [&documents](const QList<SheetDocument> &d) { documents = d; };
        window.generate();
        window.printQuestions();

        PrintPreviewDialog preview(documents);
        showActive(preview);
        QCOMPARE(preview.pageIndicator(), u"第 1 页 总共 6 页"_s);
        QTest::keyClick(&preview, Qt::Key_End);
        QCOMPARE(preview.currentPage(), 6);

        const QString pdf = m_data->dir.filePath(u"current.pdf"_s);
        preview.choosePrinter = [&pdf](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        preview.printCurrent();
        const QString text = readback::pdfText(pdf);
        QVERIFY2(text.count(u"页，共"_s) == 1 && text.contains(u"第6页，共6页"_s),
            qPrintable(text.left(200)));
    }

    void pageRangeDialogRefusesBadInput()
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

private:
    static void click(WorksheetWindow &window, WorksheetWindow::Button button)
    {
        QTest::mouseClick(window.button(button), Qt::LeftButton, {}, QPoint(10, 10));
    }

    std::optional<TestData> m_data; // a fresh data file for each test
    QList<SheetDocument> m_previewed;
};

QRTA_GUI_TEST_MAIN(TestWorksheetWindow)
#include "tst_worksheetwindow.moc"
