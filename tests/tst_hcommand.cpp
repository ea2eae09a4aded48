#include "hcommand.h"
#include "pictureregistry.h"

#include "support/pointer.h"

#include <QDialog>
#include <QSignalSpy>
#include <QTest>

using State = HCommand::State;

class TestHCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sizedToItsPicture_data();
    void sizedToItsPicture();
    void pressAndRelease_data();
    void pressAndRelease();
    void otherButtonsDoNothing_data();
    void otherButtonsDoNothing();
    void disabledIgnoresInputAndShowsState4_data();
    void disabledIgnoresInputAndShowsState4();
    void reenabledShowsNormalNotHover();
    void enterClicksWithoutChangingThePicture_data();
    void enterClicksWithoutChangingThePicture();
    void keyboardFocusShowsHover();
    void movesAreRelayedWithTheIndex();

private:
    HCommand *add(qint16 bmpid, qint16 index = 7);

    QWidget *m_window = nullptr;
};

void TestHCommand::init()
{
    // A dialog, as the program's windows are: it announces its first focus in a way of its own.
    m_window = new QDialog;
    m_window->resize(300, 200);
}

void TestHCommand::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

HCommand *TestHCommand::add(qint16 bmpid, qint16 index)
{
    auto *button = new HCommand(bmpid, index, m_window);
    button->move(20, 20);
    return button;
}

void TestHCommand::sizedToItsPicture_data()
{
    QTest::addColumn<int>("bmpid");
    QTest::addColumn<QSize>("size");
    QTest::newRow("minimise") << 1 << QSize(25, 17);
    QTest::newRow("close") << 2 << QSize(41, 17);
    QTest::newRow("apple 10") << 20 << QSize(64, 72);
    QTest::newRow("cloud") << 21 << QSize(130, 70);
    QTest::newRow("sun") << 22 << QSize(125, 125);
    QTest::newRow("child") << 23 << QSize(70, 100);
    QTest::newRow("captioned") << 58 << QSize(93, 30);
}

void TestHCommand::sizedToItsPicture()
{
    QFETCH(int, bmpid);
    QFETCH(QSize, size);
    HCommand *button = add(qint16(bmpid));
    QCOMPARE(button->size(), size);
    QCOMPARE(button->minimumSize(), size);
    QCOMPARE(button->maximumSize(), size);
}

void TestHCommand::pressAndRelease_data()
{
    QTest::addColumn<int>("bmpid");
    QTest::addColumn<QPoint>("releaseAt"); // relative to the bottom-right corner when negative
    QTest::addColumn<int>("shownWhilePressed");
    QTest::addColumn<State>("afterRelease");
    QTest::addColumn<int>("clicks");

    // 93 x 30 captioned button: it has a pressed picture.
    QTest::newRow("inside") << 49 << QPoint(40, 15) << 3049 << State::Hover << 1;
    QTest::newRow("right and bottom edge are inside")
        << 49 << QPoint(93, 30) << 3049 << State::Hover << 1;
    QTest::newRow("one pixel in from the top left")
        << 49 << QPoint(1, 1) << 3049 << State::Hover << 1;
    QTest::newRow("left edge is outside") << 49 << QPoint(0, 15) << 3049 << State::Normal << 0;
    QTest::newRow("top edge is outside") << 49 << QPoint(40, 0) << 3049 << State::Normal << 0;
    QTest::newRow("right of the button") << 49 << QPoint(94, 15) << 3049 << State::Normal << 0;
    QTest::newRow("below the button") << 49 << QPoint(40, 31) << 3049 << State::Normal << 0;
    QTest::newRow("dragged far off") << 49 << QPoint(-60, -40) << 3049 << State::Normal << 0;
    // The close glyph has no pressed picture: its normal one shows.
    QTest::newRow("close glyph inside") << 2 << QPoint(20, 8) << 1002 << State::Hover << 1;
    QTest::newRow("close glyph outside") << 2 << QPoint(50, 8) << 1002 << State::Normal << 0;
}

void TestHCommand::pressAndRelease()
{
    QFETCH(int, bmpid);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, shownWhilePressed);
    QFETCH(State, afterRelease);
    QFETCH(int, clicks);

    HCommand *button = add(qint16(bmpid), 4);
    QSignalSpy clicked(button, &HCommand::clicked);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 8));
    QCOMPARE(button->state(), State::Pressed);
    QCOMPARE(PictureRegistry::shownNumber(button->pictureNumber()), shownWhilePressed);
    QCOMPARE(clicked.count(), 0);

    // Qt sends the release to the pressed widget wherever the pointer is, as the button's
    // mouse capture did.
    QTest::mouseRelease(button, Qt::LeftButton, {}, releaseAt);
    QCOMPARE(button->state(), afterRelease);
    QCOMPARE(clicked.count(), clicks);
    if (clicks > 0)
        QCOMPARE(clicked.first().first().value<qint16>(), qint16(4));
}

void TestHCommand::otherButtonsDoNothing_data()
{
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void TestHCommand::otherButtonsDoNothing()
{
    QFETCH(Qt::MouseButton, mouseButton);
    HCommand *button = add(50);
    QSignalSpy clicked(button, &HCommand::clicked);
    QTest::mousePress(button, mouseButton, {}, QPoint(10, 10));
    QCOMPARE(button->state(), State::Normal);
    QTest::mouseRelease(button, mouseButton, {}, QPoint(10, 10));
    QCOMPARE(button->state(), State::Normal);
    QCOMPARE(clicked.count(), 0);
}

void TestHCommand::disabledIgnoresInputAndShowsState4_data()
{
    QTest::addColumn<int>("bmpid");
    QTest::addColumn<int>("shown");
    QTest::newRow("captioned: grey picture") << 51 << 4051;
    QTest::newRow("apple: no disabled picture, normal one") << 11 << 1011;
}

void TestHCommand::disabledIgnoresInputAndShowsState4()
{
    QFETCH(int, bmpid);
    QFETCH(int, shown);
    HCommand *button = add(qint16(bmpid));
    QSignalSpy clicked(button, &HCommand::clicked);
    QSignalSpy moved(button, &HCommand::mouseMoved);
    button->setState(State::Hover);

    button->setEnabled(false);
    QCOMPARE(button->state(), State::Disabled);
    QCOMPARE(PictureRegistry::shownNumber(button->pictureNumber()), shown);

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
    movePointer(button, QPoint(12, 12));
    QTest::keyClick(button, Qt::Key_Return);
    QCOMPARE(button->state(), State::Disabled);
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(moved.count(), 0);
}

void TestHCommand::reenabledShowsNormalNotHover()
{
    HCommand *button = add(52);
    button->setState(State::Hover);
    button->setEnabled(false);
    button->setEnabled(true);
    QCOMPARE(button->state(), State::Normal);

    // Through a disabled parent as well.
    button->setState(State::Hover);
    m_window->setEnabled(false);
    QCOMPARE(button->state(), State::Disabled);
    m_window->setEnabled(true);
    QCOMPARE(button->state(), State::Normal);
}

void TestHCommand::enterClicksWithoutChangingThePicture_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("clicks");
    QTest::newRow("Enter") << Qt::Key_Return << 1;
    QTest::newRow("Enter on the keypad") << Qt::Key_Enter << 1;
    QTest::newRow("space") << Qt::Key_Space << 0;
    QTest::newRow("letter") << Qt::Key_A << 0;
}

void TestHCommand::enterClicksWithoutChangingThePicture()
{
    QFETCH(Qt::Key, key);
    QFETCH(int, clicks);
    HCommand *button = add(53);
    QSignalSpy clicked(button, &HCommand::clicked);
    const int before = button->pictureNumber();
    QTest::keyClick(button, key);
    QCOMPARE(clicked.count(), clicks);
    QCOMPARE(button->pictureNumber(), before);
}

void TestHCommand::keyboardFocusShowsHover()
{
    HCommand *first = add(54);
    HCommand *second = add(55);
    second->move(20, 80);
    // The window's own choice of its first control, made before it shows.
    second->setFocus();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QVERIFY(second->hasFocus());
    QCOMPARE(second->state(), State::Normal);

    QTest::keyClick(second, Qt::Key_Backtab);
    QCOMPARE(first->state(), State::Hover);
    QCOMPARE(second->state(), State::Normal);
    QTest::keyClick(first, Qt::Key_Tab);
    QCOMPARE(second->state(), State::Hover);
    QCOMPARE(first->state(), State::Normal);

    // Enter on the focused button: a click, and the hover picture stays.
    QSignalSpy clicked(second, &HCommand::clicked);
    QTest::keyClick(second, Qt::Key_Return);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(second->state(), State::Hover);

    // Disabling takes the focus, and the disabled picture stays.
    second->setEnabled(false);
    QVERIFY(!second->hasFocus());
    QCOMPARE(second->state(), State::Disabled);
}

void TestHCommand::movesAreRelayedWithTheIndex()
{
    HCommand *button = add(56, 9);
    QSignalSpy moved(button, &HCommand::mouseMoved);
    movePointer(button, QPoint(5, 6));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.first().at(0).value<qint16>(), qint16(9));
    QCOMPARE(moved.first().at(1).value<Qt::MouseButtons>(), Qt::MouseButtons(Qt::NoButton));
    QCOMPARE(moved.first().at(3).toPointF(), QPointF(5, 6));
    // Moving never changes the picture by itself: hover belongs to the window.
    QCOMPARE(button->state(), State::Normal);
}

QTEST_MAIN(TestHCommand)
#include "tst_hcommand.moc"
