#include "hcommand.h"
#include "mainmenuwindow.h"
#include "windowchrome.h"

#include "shell/appcontext.h"
#include "shell/menucommands.h"
#include "shell/programinfo.h"
#include "store/settings.h"

#include "support/pointer.h"
#include "support/storedtests.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using State = HCommand::State;

namespace {

const QString kResumedTest = u"05_3_20_20260101120000"_s;

enum Opener { Worksheet = 1, Test = 2, Game24 = 4, Records = 8, AllOpeners = 15 };

// A menu over a data file of its own, whose openers write down what they were asked to
// open and what the shared state was at that moment.
struct Menu
{
    explicit Menu(const QString &system3 = u"1"_s, int openers = AllOpeners)
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
        if (openers & Worksheet)
            open.worksheet = record(u"worksheet"_s);
        if (openers & Test)
            open.test = record(u"test"_s);
        if (openers & Game24)
            open.game24 = record(u"24"_s);
        if (openers & Records) {
            open.records = [this](QWidget *) {
                opened.append(u"records %1"_s.arg(
                    countRows(context->database(), "SELECT count(*) FROM tab_test")));
            };
        }
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
    void checkBoxFromSystem3_data();
    void checkBoxFromSystem3();
    void digitKeysOpenTheirType_data();
    void digitKeysOpenTheirType();
    void otherKeysDoNothing_data();
    void otherKeysDoNothing();
    void typeButtonsFollowTheCheckBox();
    void leavingSavesTheCheckBox_data();
    void leavingSavesTheCheckBox();
    void nothingRunsAfterLeaving();
    void minimise();
    void recordsArePrunedBeforeTheyOpen_data();
    void recordsArePrunedBeforeTheyOpen();
    void gameAndNews();
    void links_data();
    void links();
    void tipFollowsTheButtons_data();
    void tipFollowsTheButtons();
    void missingWindowsAreComingSoon_data();
    void missingWindowsAreComingSoon();
};

void TestMainMenu::checkBoxFromSystem3_data()
{
    QTest::addColumn<QString>("system3");
    QTest::addColumn<bool>("checked");
    QTest::newRow("1") << u"1"_s << true;
    QTest::newRow("0") << u"0"_s << false;
    QTest::newRow("empty, as an undecodable value reads") << QString() << false;
    QTest::newRow("anything else") << u"2"_s << false;
}

void TestMainMenu::checkBoxFromSystem3()
{
    QFETCH(QString, system3);
    QFETCH(bool, checked);
    Menu menu(system3);
    QCOMPARE(menu.modeBox()->isChecked(), checked);
    QCOMPARE(menu.modeBox()->text(), u"出题/测试"_s);
}

void TestMainMenu::digitKeysOpenTheirType_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("worksheet");
    QTest::addColumn<QString>("opened");

    QTest::newRow("1, test") << Qt::Key_1 << false << u"test 1 []"_s;
    QTest::newRow("9, test") << Qt::Key_9 << false << u"test 9 []"_s;
    QTest::newRow("0, test: type 10 with an empty test number")
        << Qt::Key_0 << false << u"test 10 []"_s;
    // The worksheet leaves the test number alone.
    QTest::newRow("1, worksheet") << Qt::Key_1 << true << u"worksheet 1 [%1]"_s.arg(kResumedTest);
    QTest::newRow("5, worksheet") << Qt::Key_5 << true << u"worksheet 5 [%1]"_s.arg(kResumedTest);
    QTest::newRow("0, worksheet") << Qt::Key_0 << true << u"worksheet 10 [%1]"_s.arg(kResumedTest);
}

void TestMainMenu::digitKeysOpenTheirType()
{
    QFETCH(Qt::Key, key);
    QFETCH(bool, worksheet);
    QFETCH(QString, opened);
    Menu menu(worksheet ? u"1"_s : u"0"_s);
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

void TestMainMenu::otherKeysDoNothing_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("letter") << Qt::Key_A;
    QTest::newRow("F5") << Qt::Key_F5;
    QTest::newRow("Enter") << Qt::Key_Return;
    QTest::newRow("space") << Qt::Key_Space;
}

void TestMainMenu::otherKeysDoNothing()
{
    QFETCH(Qt::Key, key);
    Menu menu;
    QTest::keyClick(menu.window.get(), key);
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
    for (const QString &way : { u"Esc"_s, u"close glyph"_s, u"child"_s, u"window manager"_s }) {
        QTest::addRow("%s, checked", qPrintable(way)) << way << true;
        QTest::addRow("%s, cleared", qPrintable(way)) << way << false;
    }
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

void TestMainMenu::minimise()
{
    Menu menu;
    menu.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(menu.window.get()));
    QTest::mouseClick(menu.button(menu::Minimise), Qt::LeftButton, {}, QPoint(10, 8));
    QVERIFY(menu.window->isMinimized());
    QCOMPARE(menu.exited->count(), 0);
}

void TestMainMenu::recordsArePrunedBeforeTheyOpen_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("kept");
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("100: none deleted") << 100 << 100;
    QTest::newRow("101: the oldest deleted") << 101 << 100;
}

void TestMainMenu::recordsArePrunedBeforeTheyOpen()
{
    QFETCH(int, stored);
    QFETCH(int, kept);
    Menu menu;
    storeTests(menu.context->database(), stored);
    QTest::mouseClick(menu.button(menu::Records), Qt::LeftButton, {}, QPoint(60, 60));
    QCOMPARE(menu.opened, QStringList { u"records %1"_s.arg(kept) });
}

void TestMainMenu::gameAndNews()
{
    Menu menu;
    QTest::mouseClick(menu.button(menu::Game24), Qt::LeftButton, {}, QPoint(60, 30));
    QTest::mouseClick(menu.window->findChild<QPushButton *>(u"newsButton"_s), Qt::LeftButton);
    QCOMPARE(menu.opened, (QStringList { u"24 1 [%1]"_s.arg(kResumedTest), u"news"_s }));
}

void TestMainMenu::links_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("opened");
    QTest::newRow("about") << 1 << u"about"_s;
    QTest::newRow("home page") << 2 << programinfo::homePage().toString();
    QTest::newRow("parents' page") << 3 << programinfo::parentsPage().toString();
}

void TestMainMenu::links()
{
    QFETCH(int, index);
    QFETCH(QString, opened);
    Menu menu;
    auto *link = menu.window->findChild<QLabel *>(u"link%1"_s.arg(index));
    QVERIFY(link);
    movePointer(link, QPoint(2, 2));
    QCOMPARE(WindowChrome::hoverLabel(), qint16(index));
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(menu.opened, QStringList { opened });

    movePointer(menu.window.get(), QPoint(400, 450));
    QVERIFY(!link->font().underline());
    QCOMPARE(WindowChrome::hoverLabel(), WindowChrome::kNoLink);
}

void TestMainMenu::tipFollowsTheButtons_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("tip");
    QTest::newRow("minimise: no tip") << 0 << 5001;
    QTest::newRow("close: no tip") << 1 << 5001;
    for (int command = menu::FirstType; command < menu::CommandCount; ++command)
        QTest::addRow("button %d", command) << command << 5000 + command;
}

void TestMainMenu::tipFollowsTheButtons()
{
    QFETCH(int, command);
    QFETCH(int, tip);
    Menu menu;
    QCOMPARE(menu.window->tipPicture(), 5001);
    HCommand *button = menu.button(qint16(command));
    movePointer(button, QPoint(10, 10));
    QCOMPARE(button->state(), State::Hover);
    QCOMPARE(menu.window->tipPicture(), tip);

    // The title strip takes the hover off the button but leaves the tip.
    auto *strip = menu.window->childAt(300, 10);
    movePointer(strip, QPoint(300, 10));
    QCOMPARE(button->state(), State::Normal);
    QCOMPARE(menu.window->tipPicture(), tip);

    movePointer(button, QPoint(10, 10));
    movePointer(menu.window.get(), QPoint(400, 450));
    QCOMPARE(button->state(), State::Normal);
    QCOMPARE(menu.window->tipPicture(), 5001);
}

void TestMainMenu::missingWindowsAreComingSoon_data()
{
    QTest::addColumn<int>("openers");
    QTest::addColumn<bool>("worksheet");
    QTest::addColumn<bool>("types");
    QTest::addColumn<bool>("game");
    QTest::addColumn<bool>("records");
    QTest::newRow("none, worksheet") << 0 << true << false << false << false;
    QTest::newRow("none, test") << 0 << false << false << false << false;
    QTest::newRow("worksheet only, worksheet") << int(Worksheet) << true << true << false << false;
    QTest::newRow("worksheet only, test") << int(Worksheet) << false << false << false << false;
    QTest::newRow("test and records, test") << (Test | Records) << false << true << false << true;
    QTest::newRow("game only") << int(Game24) << true << false << true << false;
}

void TestMainMenu::missingWindowsAreComingSoon()
{
    QFETCH(int, openers);
    QFETCH(bool, worksheet);
    QFETCH(bool, types);
    QFETCH(bool, game);
    QFETCH(bool, records);
    Menu menu(worksheet ? u"1"_s : u"0"_s, openers);

    const auto check = [&](qint16 command, bool available) {
        HCommand *button = menu.button(command);
        QCOMPARE(button->isEnabled(), available);
        QCOMPARE(button->state(), available ? State::Normal : State::Disabled);
        QCOMPARE(button->toolTip() == u"即将推出"_s, !available);
    };
    for (qint16 command = menu::FirstType; command <= menu::LastType; ++command)
        check(command, types);
    check(menu::Game24, game);
    check(menu::Records, records);
    check(menu::Minimise, true);
    check(menu::Exit, true);
    check(menu::Child, true);

    // A key for a window that is not there opens nothing.
    QTest::keyClick(menu.window.get(), Qt::Key_7);
    QCOMPARE(menu.opened.size(), types ? 1 : 0);
}

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
