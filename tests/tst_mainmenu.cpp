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
    void click(QWidget *widget) const { QTest::mouseClick(widget, Qt::LeftButton, {}, {}); }

    // Steps: "key:K" typed at the menu, "boxkey:K" with the focus in the check box,
    // "click:N" on button N, "check" and "uncheck", "news", "link:N".
    void run(const QString &steps)
    {
        for (const QString &step : steps.split(u' ')) {
            const QString arg = step.section(u':', 1);
            const auto key = [&arg] { return QKeySequence::fromString(arg)[0].key(); };
            if (step.startsWith(u"key:"_s))
                QTest::keyClick(window.get(), key());
            else if (step.startsWith(u"boxkey:"_s))
                QTest::keyClick(modeBox(), key());
            else if (step.startsWith(u"click:"_s))
                click(button(qint16(arg.toInt())));
            else if (step.startsWith(u"link:"_s))
                QTest::mouseClick(
                    window->findChild<QLabel *>(u"link"_s + arg), Qt::LeftButton, {}, QPoint(2, 2));
            else if (step == u"news"_s)
                click(window->findChild<QPushButton *>(u"newsButton"_s));
            else
                modeBox()->setChecked(step == u"check"_s);
        }
    }

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
    void commands_data();
    void commands();
    void leavingSavesTheCheckBox_data();
    void leavingSavesTheCheckBox();
    void tipFollowsTheButtons_data();
    void tipFollowsTheButtons();
};

void TestMainMenu::commands_data()
{
    QTest::addColumn<QString>("system3"); // the check box: 1 checked, anything else cleared
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("opened"); // "minimised" when the menu is
    const QString worksheet = u"worksheet %1 ["_s + kResumedTest + u']';
    QTest::newRow("1, test") << u"0"_s << u"key:1"_s << QStringList { u"test 1 []"_s };
    QTest::newRow("0, type 10, with an empty test number")
        << u"2"_s << u"key:0"_s << QStringList { u"test 10 []"_s };
    // The worksheet leaves the test number alone.
    QTest::newRow("9, worksheet") << u"1"_s << u"key:9"_s << QStringList { worksheet.arg(9) };
    QTest::newRow("a key typed in the check box")
        << u"0"_s << u"boxkey:7"_s << QStringList { u"test 7 []"_s };
    QTest::newRow("an apple does what its key does")
        << u"1"_s << u"click:4"_s << QStringList { worksheet.arg(3) };
    QTest::newRow("the check box counts when the type opens")
        << u"0"_s << u"check key:3 uncheck key:4"_s
        << QStringList { worksheet.arg(3), u"test 4 []"_s };
    QTest::newRow("other keys do nothing; minimise")
        << u"1"_s << u"key:A key:F5 key:Return key:Space click:0"_s
        << QStringList { u"minimised"_s };
    // The records open on the newest 100 of the 101 stored.
    QTest::newRow("cloud, sun, news and links")
        << u"1"_s << u"click:12 click:13 news link:1 link:2 link:3"_s
        << QStringList { u"24 1 [%1]"_s.arg(kResumedTest), u"records 100"_s, u"news"_s, u"about"_s,
               programinfo::homePage().toString(), programinfo::parentsPage().toString() };
}

void TestMainMenu::commands()
{
    QFETCH(QString, system3);
    QFETCH(QString, steps);
    QFETCH(QStringList, opened);
    Menu menu(system3);
    storeTests(menu.context->database(), 101);
    menu.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(menu.window.get()));
    menu.run(steps);
    if (menu.window->isMinimized())
        menu.opened.append(u"minimised"_s);
    QCOMPARE(menu.opened, opened);
    QCOMPARE(menu.exited->count(), 0);
    QVERIFY(menu.context->isOpen());
}

void TestMainMenu::leavingSavesTheCheckBox_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("checked");
    QTest::newRow("Esc, checked") << u"key:Esc"_s << true;
    QTest::newRow("close glyph, cleared") << u"click:1"_s << false;
    QTest::newRow("child, checked") << u"click:14"_s << true;
    QTest::newRow("window manager, cleared") << QString() << false;
}

void TestMainMenu::leavingSavesTheCheckBox()
{
    QFETCH(QString, way);
    QFETCH(bool, checked);
    // Start from the other value, so that only the exit can have written the stored one.
    Menu menu(checked ? u"0"_s : u"1"_s);
    menu.window->show();
    menu.modeBox()->setChecked(checked);
    if (way.isEmpty())
        menu.window->close();
    else
        menu.run(way);
    QCOMPARE(menu.exited->count(), 1);
    QVERIFY(!menu.window->isVisible());
    QVERIFY(!menu.context->isOpen());
    QCOMPARE(AppContext::open(menu.path)->settings().system3(), checked ? u"1"_s : u"0"_s);

    // Nothing runs after leaving.
    menu.run(u"key:Esc key:1"_s);
    menu.window->runCommand(menu::Records);
    QCOMPARE(menu.exited->count(), 1);
    QVERIFY(menu.opened.isEmpty());
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
