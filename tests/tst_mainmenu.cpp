#include "children/childlist.h"
#include "chrome/hcommand.h"
#include "menu/childtag.h"
#include "menu/classlistwindow.h"
#include "menu/mainmenuwindow.h"
#include "menu/newswindow.h"

#include "program/appcontext.h"
#include "program/menucommands.h"
#include "program/programinfo.h"
#include "store/settings.h"

#include "support/guitestmain.h"
#include "support/shownwindow.h"
#include "support/steps.h"
#include "support/storedtests.h"
#include "support/testdata.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kResumedTest = u"05_3_20_20260101120000"_s;

// A menu over a data file of its own, whose openers write down what they were asked to
// open and what the shared state was at that moment.
struct Menu
{
    explicit Menu(const QString &system3)
    {
        context->settings().write(u"system_3"_s, system3);
        context->setCurrentTestNo(kResumedTest);

        MenuOpeners open;
        const auto record = [this](const QString &what) {
            return [this, what](QWidget *parent) {
                QCOMPARE(parent, window.get());
                opened.append(u"%1 %2 [%3]"_s.arg(what)
                                  .arg(context->currentType())
                                  .arg(context->currentTestNo()));
            };
        };
        open.worksheet = record(u"worksheet"_s);
        open.test = record(u"test"_s);
        open.game24 = record(u"24"_s);
        open.records = [this](QWidget *) {
            opened.append(u"records %1"_s.arg(
                countRows(context->database(), "SELECT count(*) FROM tab_test")));
        };
        open.about = [this](QWidget *) { opened.append(u"about"_s); };
        open.news = [this](QWidget *) { opened.append(u"news"_s); };
        open.openUrl = [this](const QUrl &url) {
            opened.append(url.toString());
            return true;
        };
        window = std::make_unique<MainMenuWindow>(*context, open);
        exited = std::make_unique<QSignalSpy>(window.get(), &MainMenuWindow::exited);
    }

    HCommand *button(qint16 command) const { return window->button(command); }
    QCheckBox *modeBox() const { return window->findChild<QCheckBox *>(u"modeBox"_s); }

    // Steps: "key:K" typed at the menu, "boxkey:K" with the focus in the check box, "click:N"
    // on button N, "over:N" the pointer over button N, "strip" over the title strip, "ground"
    // over the background, "check" and "uncheck", "news", "link:N", "run:N" command N,
    // "close" by the window manager.
    void run(const QString &steps)
    {
        for (const QString &text : steps.split(u' ')) {
            const Step step(text);
            if (step.verb.endsWith(u"key"_s))
                QTest::keyClick(
                    step.verb == u"key"_s ? static_cast<QWidget *>(window.get()) : modeBox(),
                    step.key());
            else if (step.verb == u"click"_s)
                QTest::mouseClick(button(step.number()), Qt::LeftButton);
            else if (step.verb == u"over"_s)
                movePointer(button(step.number()), QPoint(10, 10));
            else if (step.verb == u"link"_s)
                QTest::mouseClick(window->findChild<QLabel *>(u"link"_s + step.name),
                    Qt::LeftButton, {}, QPoint(2, 2));
            else if (step.verb == u"run"_s)
                window->runCommand(step.number());
            else if (step.verb == u"strip"_s)
                movePointer(window->childAt(300, 10), QPoint(300, 10));
            else if (step.verb == u"ground"_s)
                movePointer(window.get(), QPoint(400, 450));
            else if (step.verb == u"news"_s)
                QTest::mouseClick(
                    window->findChild<QPushButton *>(u"newsButton"_s), Qt::LeftButton);
            else if (step.verb == u"close"_s)
                window->close();
            else
                modeBox()->setChecked(step.verb == u"check"_s);
        }
    }

    // What was opened; "minimised"; the tip when it is not the greeting; "left" and the
    // choice saved when the menu has gone, and the data file with it.
    QString result() const
    {
        QStringList what = opened;
        if (window->isMinimized())
            what.append(u"minimised"_s);
        if (window->tipPicture() != menu::kDefaultTip)
            what.append(u"tip %1"_s.arg(window->tipPicture()));
        const bool left = exited->count() == 1 && !context->isOpen() && !window->isVisible();
        if (left)
            what.append(u"left, %1 saved"_s.arg(
                AppContext::open(data.path)->settings().read(u"system_3"_s)));
        else if (exited->count() != 0 || !context->isOpen() || !window->isVisible())
            what.append(u"half gone"_s);
        return what.join(u", "_s);
    }

    TestData data;
    const std::unique_ptr<AppContext> &context = data.context;
    std::unique_ptr<MainMenuWindow> window;
    std::unique_ptr<QSignalSpy> exited;
    QStringList opened;
};

} // namespace

class TestMainMenu : public QObject
{
    Q_OBJECT

private slots:
    void steps_data()
    {
        QTest::addColumn<QString>("system3"); // the check box: 1 checked, anything else cleared
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("result"); // as Menu::result() writes it
        const QString worksheet = u"worksheet %1 ["_s + kResumedTest + u']';
        QTest::newRow("0, type 10, with an empty test number")
            << u"2"_s << u"key:0"_s << u"test 10 []"_s;
        // The worksheet leaves the test number alone.
        QTest::newRow("9, worksheet") << u"1"_s << u"key:9"_s << worksheet.arg(9);
        QTest::newRow("a key typed in the check box") << u"0"_s << u"boxkey:7"_s << u"test 7 []"_s;
        QTest::newRow("an apple does what its key does")
            << u"1"_s << u"click:4"_s << worksheet.arg(3);
        QTest::newRow("the check box counts when the type opens")
            << u"0"_s << u"check key:3 uncheck key:4"_s << worksheet.arg(3) + u", test 4 []"_s;
        QTest::newRow("other keys do nothing; minimise")
            << u"1"_s << u"key:A key:F5 key:Return key:Space click:0"_s << u"minimised"_s;
        // The records open on the newest 100 of the 101 stored.
        QTest::newRow("cloud, sun, news and links")
            << u"1"_s << u"click:12 click:13 news link:1 link:2 link:3"_s
            << u"24 1 [%1], records 100, news, about, %2, %3"_s.arg(kResumedTest,
                   programinfo::homePage().toString(), programinfo::parentsPage().toString());

        // The title strip leaves the tip; the background brings back the greeting.
        for (int command = menu::FirstType; command < menu::CommandCount; ++command)
            QTest::addRow("tip of button %d", command)
                << u"1"_s << u"over:%1 strip"_s.arg(command) << u"tip %1"_s.arg(5000 + command);
        QTest::newRow("minimise and close: no tip")
            << u"1"_s << u"over:5 over:0 over:1"_s << u"tip 5005"_s;
        QTest::newRow("background") << u"1"_s << u"over:5 ground"_s << QString();

        // Start from the other value, so that only the exit can have written the stored one.
        // Nothing runs after leaving.
        const QString after = u" key:Esc key:1 run:13"_s;
        QTest::newRow("Esc, checked") << u"0"_s << u"check key:Esc"_s + after << u"left, 1 saved"_s;
        QTest::newRow("close glyph, cleared")
            << u"1"_s << u"uncheck click:1"_s + after << u"left, 0 saved"_s;
        QTest::newRow("child, checked")
            << u"0"_s << u"check click:14"_s + after << u"left, 1 saved"_s;
        QTest::newRow("window manager, cleared")
            << u"1"_s << u"uncheck close"_s + after << u"left, 0 saved"_s;
    }

    void steps()
    {
        QFETCH(QString, system3);
        QFETCH(QString, steps);
        QFETCH(QString, result);
        Menu menu(system3);
        storeTests(menu.context->database(), 101);
        menu.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(menu.window.get()));
        menu.run(steps);
        QCOMPARE(menu.result(), result);
    }

    // Tab reaches every control of the menu once, the menu itself no stop, and each shows
    // that the keyboard is there: a button its hover picture and ring, and the tip names it
    // as it would for the pointer, which leaves the button it rested on; a link its underline.
    // The news window's headlines are reached and followed by the keyboard too.
    void keyboardReachesEveryStopVisibly()
    {
        Menu menu(u"1"_s);
        menu.window->show();
        QVERIFY(QTest::qWaitForWindowActive(menu.window.get()));
        menu.run(u"over:12"_s);
        QSet<QWidget *> reached;
        for (QWidget *focus = menu.window.get(); reached.size() < 40;) {
            QTest::keyClick(focus, Qt::Key_Tab);
            focus = QApplication::focusWidget();
            if (reached.contains(focus))
                break;
            reached.insert(focus);
            auto *reachedButton = qobject_cast<HCommand *>(focus);
            const int tip = reachedButton ? menu::tipPictureOf(reachedButton->index()) : 0;
            QCOMPARE(menu.window->tipPicture(), tip != 0 ? tip : menu::kDefaultTip);
            QStringList hovered;
            for (qint16 command = 0; command < menu::CommandCount; ++command) {
                if (menu.button(command)->state() == HCommand::State::Hover)
                    hovered << QString::number(command);
            }
            QCOMPARE(hovered.join(u' '),
                reachedButton ? QString::number(reachedButton->index()) : QString());
            if (reachedButton)
                QVERIFY(reachedButton->showsFocus());
            else if (auto *link = qobject_cast<QLabel *>(focus))
                QVERIFY(link->font().underline());
            else
                QVERIFY2(focus == menu.modeBox()
                        || focus == menu.window->findChild<QPushButton *>(u"newsButton"_s)
                        || focus == menu.window->findChild<QPushButton *>(u"childTag"_s),
                    focus ? focus->metaObject()->className() : "nothing");
        }
        QCOMPARE(reached.size(), menu::CommandCount + 3 + 3);

        NewsWindow news;
        news.show();
        QVERIFY(QTest::qWaitForWindowActive(&news));
        for (int tab = 0; tab < 6 && QApplication::focusWidget()->objectName() != u"link2"_s; ++tab)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(news.shownArticle(), 2);
    }

    // The child's tag: a child added becomes the current one and its name is shown; the
    // list then offers both, the current one checked, and the first is chosen again, which
    // the file remembers for the next start.
    void childTagChoosesTheChild()
    {
        Menu menu(u"1"_s);
        auto *tag = menu.window->findChild<ChildTag *>(u"childTag"_s);
        QVERIFY(tag);
        const qint64 first = menu.context->currentChild();
        QString typed = u" 妹妹 "_s;
        tag->askName
            = [&typed](const QString &, const QString &, const QString &) { return typed; };
        const auto choose = [&](const QString &caption) {
            QMenu *list = tag->buildMenu();
            const QList<QAction *> actions = list->actions();
            const auto action = std::ranges::find(actions, caption, &QAction::text);
            QVERIFY2(action != actions.end(), qPrintable(caption));
            (*action)->trigger();
            delete list;
        };
        choose(u"添加孩子…"_s);
        QVERIFY(menu.context->currentChild() != first);
        QCOMPARE(tag->text(), u"妹妹 ▾"_s);
        QMenu *list = tag->buildMenu();
        QStringList checked;
        for (const QAction *action : list->actions()) {
            if (action->isCheckable())
                checked << action->text() + (action->isChecked() ? u"*"_s : QString());
        }
        delete list;
        QCOMPARE(checked, (QStringList { u"小朋友"_s, u"妹妹*"_s }));
        choose(u"小朋友"_s);
        QCOMPARE(menu.context->currentChild(), first);
        QCOMPARE(childlist::chosen(menu.context->database()).id, first);
    }

    // A class list pasted and then imported from a file with its byte-order mark and Windows
    // line ends: blank lines are skipped, a name already there is said and not added twice,
    // and the list shows the class in its order.
    void classListTakesPastedAndImportedNames()
    {
        Menu menu(u"1"_s);
        ClassListWindow w(*menu.context, menu.window.get());
        const auto listed = [&w] {
            QStringList names;
            for (int i = 0; i < w.pupilList()->count(); ++i)
                names << w.pupilList()->item(i)->text();
            return names;
        };
        MessageCatcher said;
        said.arm();
        w.pasteBox()->setPlainText(u"王小明\n\n 李华 \n王小明\n"_s);
        w.addPasted();
        QCOMPARE(said.text, u"先写上班级的名字，例如“三年级二班”。"_s);
        QCOMPARE(w.pasteBox()->toPlainText(), u"王小明\n\n 李华 \n王小明\n"_s);

        w.classBox()->setEditText(u"二班"_s);
        said.arm();
        w.addPasted();
        QCOMPARE(said.text, u"这些名字没有加入：\n王小明：已经有叫“王小明”的孩子"_s);
        QVERIFY(w.pasteBox()->toPlainText().isEmpty());
        QCOMPARE(listed(), (QStringList { u"1. 王小明"_s, u"2. 李华"_s }));

        QTemporaryDir dir;
        QFile file(dir.filePath(u"名单.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xEF\xBB\xBF\xE5\xBC\xA0\xE4\xB8\x89\r\n\r\n\xE6\x9D\x8E\xE5\x8D\x8E\r\n");
        file.close();
        w.chooseListFile = [&] { return file.fileName(); };
        said.arm();
        w.importFile();
        QCOMPARE(listed(), (QStringList { u"1. 王小明"_s, u"2. 李华"_s, u"3. 张三"_s }));
        QCOMPARE(w.resultLine()->text(),
            u"“二班”加入了 1 人。没有加入 1 个：李华：已经有叫“李华”的孩子"_s);
        QCOMPARE(childlist::ofClass(menu.context->database(), u"二班"_s).size(), 3);

        // A typo mended in place, and a name that should not be there taken off the list.
        w.askNewName = [](const QString &) { return u"李小华"_s; };
        showActive(w);
        w.pupilList()->setFocus();
        w.pupilList()->setCurrentRow(1);
        QTest::keyClick(w.pupilList(), Qt::Key_F2);
        w.pupilList()->setCurrentRow(0);
        said.arm(QMessageBox::Yes);
        QTest::keyClick(w.pupilList(), Qt::Key_Delete);
        QCOMPARE(said.text, u"要删除“王小明”吗？"_s);
        QCOMPARE(listed(), (QStringList { u"1. 李小华"_s, u"2. 张三"_s }));
    }
};

QRTA_GUI_TEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
