#include "chrome/hcommand.h"
#include "menu/mainmenuwindow.h"

#include "program/appcontext.h"
#include "program/menucommands.h"
#include "program/programinfo.h"
#include "store/settings.h"

#include "support/guitestmain.h"
#include "support/pointer.h"
#include "support/storedtests.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kResumedTest = u"05_3_20_20260101120000"_s;

// A menu over a data file of its own, whose openers write down what they were asked to
// open and what the shared state was at that moment.
struct Menu
{
    explicit Menu(const QString &system3 = u"1"_s)
    {
        path = dir.filePath(u"QRTA.dat"_s);
        context = AppContext::open(path);
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
        open.openUrl = [this](const QUrl &url) { opened.append(url.toString()); };
        window = std::make_unique<MainMenuWindow>(*context, open);
        exited = std::make_unique<QSignalSpy>(window.get(), &MainMenuWindow::exited);
    }

    HCommand *button(qint16 command) const { return window->button(command); }
    QCheckBox *modeBox() const { return window->findChild<QCheckBox *>(u"modeBox"_s); }
    QString storedSystem3() const { return AppContext::open(path)->settings().system3(); }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainMenuWindow> window;
    std::unique_ptr<QSignalSpy> exited;
    QStringList opened;
};

} // namespace

class TestMainMenu : public QObject
{
    Q_OBJECT

private slots:
    void digitKeysOpenTheirType_data();
    void digitKeysOpenTheirType();
    void otherKeysAndMinimiseKeepTheMenu();
    void typeButtonsFollowTheCheckBox();
    void leavingSavesTheCheckBox_data();
    void leavingSavesTheCheckBox();
    void nothingRunsAfterLeaving();
    void otherWindowsAndLinks();
    void tipFollowsTheButtons_data();
    void tipFollowsTheButtons();
};

void TestMainMenu::digitKeysOpenTheirType_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("system3"); // the check box: 1 checked, anything else cleared
    QTest::addColumn<QString>("opened");
    QTest::newRow("1, test") << Qt::Key_1 << u"0"_s << u"test 1 []"_s;
    QTest::newRow("0, test: type 10 with an empty test number")
        << Qt::Key_0 << u"2"_s << u"test 10 []"_s;
    // The worksheet leaves the test number alone.
    QTest::newRow("9, worksheet") << Qt::Key_9 << u"1"_s << u"worksheet 9 [%1]"_s.arg(kResumedTest);
}

void TestMainMenu::digitKeysOpenTheirType()
{
    QFETCH(Qt::Key, key);
    QFETCH(QString, system3);
    QFETCH(QString, opened);
    Menu menu(system3);
    QTest::keyClick(menu.window.get(), key);
    QCOMPARE(menu.opened, QStringList { opened });
    QCOMPARE(menu.context->currentType(), menu::questionTypeOf(menu::commandForKey(key).value()));

    // The same key typed while a control of the menu has the focus reaches the menu.
    menu.opened.clear();
    QTest::keyClick(menu.modeBox(), key);
    QCOMPARE(menu.opened, QStringList { opened });

    // A click on the apple does what its key does.
    menu.opened.clear();
    QTest::mouseClick(menu.button(*menu::commandForKey(key)), Qt::LeftButton, {}, QPoint(30, 30));
    QCOMPARE(menu.opened, QStringList { opened });
}

void TestMainMenu::otherKeysAndMinimiseKeepTheMenu()
{
    Menu menu;
    menu.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(menu.window.get()));
    for (const Qt::Key key : { Qt::Key_A, Qt::Key_F5, Qt::Key_Return, Qt::Key_Space })
        QTest::keyClick(menu.window.get(), key);
    QTest::mouseClick(menu.button(menu::Minimise), Qt::LeftButton, {}, QPoint(10, 8));
    QVERIFY(menu.window->isMinimized());
    QVERIFY(menu.opened.isEmpty());
    QCOMPARE(menu.exited->count(), 0);
    QVERIFY(menu.context->isOpen());
}

void TestMainMenu::typeButtonsFollowTheCheckBox()
{
    Menu menu(u"0"_s);
    menu.modeBox()->setChecked(true);
    QTest::keyClick(menu.window.get(), Qt::Key_3);
    menu.modeBox()->setChecked(false);
    QTest::keyClick(menu.window.get(), Qt::Key_4);
    QCOMPARE(
        menu.opened, (QStringList { u"worksheet 3 [%1]"_s.arg(kResumedTest), u"test 4 []"_s }));
}

void TestMainMenu::leavingSavesTheCheckBox_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("checked");
    QTest::newRow("Esc, checked") << u"Esc"_s << true;
    QTest::newRow("close glyph, cleared") << u"close glyph"_s << false;
    QTest::newRow("child, checked") << u"child"_s << true;
    QTest::newRow("window manager, cleared") << u"window manager"_s << false;
}

void TestMainMenu::leavingSavesTheCheckBox()
{
    QFETCH(QString, way);
    QFETCH(bool, checked);
    // Start from the other value, so that only the exit can have written the stored one.
    Menu menu(checked ? u"0"_s : u"1"_s);
    menu.window->show();
    menu.modeBox()->setChecked(checked);

    if (way == u"Esc"_s)
        QTest::keyClick(menu.window.get(), Qt::Key_Escape);
    else if (way == u"close glyph"_s)
        QTest::mouseClick(menu.button(menu::Exit), Qt::LeftButton, {}, QPoint(20, 8));
    else if (way == u"child"_s)
        QTest::mouseClick(menu.button(menu::Child), Qt::LeftButton, {}, QPoint(30, 50));
    else
        menu.window->close();

    QCOMPARE(menu.exited->count(), 1);
    QVERIFY(!menu.window->isVisible());
    QVERIFY(!menu.context->isOpen());
    QCOMPARE(menu.storedSystem3(), checked ? u"1"_s : u"0"_s);
}

void TestMainMenu::nothingRunsAfterLeaving()
{
    Menu menu;
    QTest::keyClick(menu.window.get(), Qt::Key_Escape);
    QTest::keyClick(menu.window.get(), Qt::Key_Escape);
    QTest::keyClick(menu.window.get(), Qt::Key_1);
    menu.window->runCommand(menu::Records);
    QCOMPARE(menu.exited->count(), 1);
    QVERIFY(menu.opened.isEmpty());
}

void TestMainMenu::otherWindowsAndLinks()
{
    Menu menu;
    storeTests(menu.context->database(), 101); // the records open on the newest 100
    QTest::mouseClick(menu.button(menu::Game24), Qt::LeftButton, {}, QPoint(60, 30));
    QTest::mouseClick(menu.button(menu::Records), Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mouseClick(menu.window->findChild<QPushButton *>(u"newsButton"_s), Qt::LeftButton);
    for (int link = 1; link <= 3; ++link)
        QTest::mouseClick(menu.window->findChild<QLabel *>(u"link%1"_s.arg(link)), Qt::LeftButton,
            {}, QPoint(2, 2));
    QCOMPARE(menu.opened,
        (QStringList { u"24 1 [%1]"_s.arg(kResumedTest), u"records 100"_s, u"news"_s, u"about"_s,
            programinfo::homePage().toString(), programinfo::parentsPage().toString() }));
}

void TestMainMenu::tipFollowsTheButtons_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("tip");
    QTest::newRow("minimise: no tip") << 0 << menu::kDefaultTip;
    QTest::newRow("close: no tip") << 1 << menu::kDefaultTip;
    for (int command = menu::FirstType; command < menu::CommandCount; ++command)
        QTest::addRow("button %d", command) << command << 5000 + command;
}

void TestMainMenu::tipFollowsTheButtons()
{
    QFETCH(int, command);
    QFETCH(int, tip);
    Menu menu;
    QCOMPARE(menu.window->tipPicture(), menu::kDefaultTip);
    HCommand *button = menu.button(qint16(command));
    movePointer(button, QPoint(10, 10));
    QCOMPARE(menu.window->tipPicture(), tip);
    // The title strip leaves the tip; the background brings back the default one.
    movePointer(menu.window->childAt(300, 10), QPoint(300, 10));
    QCOMPARE(menu.window->tipPicture(), tip);
    movePointer(button, QPoint(10, 10));
    movePointer(menu.window.get(), QPoint(400, 450));
    QCOMPARE(menu.window->tipPicture(), menu::kDefaultTip);
}

QRTA_GUI_TEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
