#include "chrome/hcommand.h"
#include "chrome/windowchrome.h"

#include "support/guitestmain.h"
#include "support/pointer.h"

#include <QDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using State = HCommand::State;

namespace {

// A window laid out as the program's are: a title strip, three captioned buttons, two text
// links, a panel that is no reset surface, and the background around them.
struct ChromeWindow
{
    ChromeWindow()
    {
        window.resize(400, 300);
        chrome = new WindowChrome(&window);
        strip = new QWidget(&window);
        strip->setGeometry(0, 0, 400, 30);
        chrome->setTitleStrip(strip);
        chrome->addButtonResetSurface(strip);
        chrome->addButtonResetSurface(&window);
        chrome->addLinkResetSurface(&window);
        for (qint16 i = 0; i < 3; ++i) {
            auto *button = new HCommand(qint16(49 + i), i, &window);
            button->move(20 + 100 * i, 60);
            buttons.append(button);
        }
        chrome->setButtons(buttons);
        for (qint16 i = 0; i < 2; ++i) {
            auto *label = new QLabel(u"link"_s, &window);
            label->move(20 + 100 * i, 200);
            links.append(label);
            chrome->addLinkLabel(i, label);
        }
        panel = new QWidget(&window);
        panel->setGeometry(300, 200, 80, 80);
    }

    QString states() const
    {
        QString shown;
        for (const HCommand *button : buttons)
            shown += QStringLiteral("?NHPD").at(button->state());
        return shown;
    }
    void overBackground() { movePointer(&window, QPoint(200, 150)); }
    bool underlined(int i) const { return links.at(i)->font().underline(); }

    QWidget window;
    WindowChrome *chrome;
    QWidget *strip;
    QWidget *panel;
    QList<HCommand *> buttons;
    QList<QLabel *> links;
};

// A button alone in a dialog, as the program's windows are: a dialog announces its first
// focus in a way of its own.
HCommand *buttonIn(QDialog &window, qint16 bmpid = 49, qint16 index = 4)
{
    window.resize(300, 200);
    auto *button = new HCommand(bmpid, index, &window);
    button->move(20, 20);
    return button;
}

} // namespace

class TestWindowChrome : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void framelessWithRoundedOutline();
    void hover_data();
    void hover();
    void pressedButtonHoversOnNextMoveAndStillClicks();
    void links();
    void dragByTitleStrip_data();
    void dragByTitleStrip();

    void pressAndRelease_data();
    void pressAndRelease();
    void disabledIgnoresInputUntilEnabled();
    void keyboardFocusShowsHover();
};

void TestWindowChrome::cleanup()
{
    // The underlined link is process-wide; leave none for the next test.
    ChromeWindow().chrome->resetLinks();
}

void TestWindowChrome::framelessWithRoundedOutline()
{
    ChromeWindow w;
    QVERIFY(w.window.windowFlags() & Qt::FramelessWindowHint);
    const QRegion mask = w.window.mask();
    QCOMPARE(mask.boundingRect(), QRect(0, 0, 400, 300));
    // 5 x 5 corner ellipses cut the corner pixels and leave the middle of each edge.
    for (const QPoint corner : { QPoint(0, 0), QPoint(399, 0), QPoint(0, 299), QPoint(399, 299) })
        QVERIFY(!mask.contains(corner));
    for (const QPoint edge :
        { QPoint(200, 0), QPoint(0, 150), QPoint(399, 150), QPoint(200, 299), QPoint(3, 3) })
        QVERIFY(mask.contains(edge));
    // The outline follows the size the window opens with.
    w.window.resize(250, 120);
    w.window.show();
    QCOMPARE(w.window.mask().boundingRect(), QRect(0, 0, 250, 120));
}

void TestWindowChrome::hover_data()
{
    // "N": the pointer over button N; "offN": button N disabled; or the surface named.
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("states"); // N normal, H hover, D disabled, for buttons 0 … 2
    QTest::newRow("from button to button") << u"1 2 0"_s << u"HNN"_s;
    QTest::newRow("title strip resets") << u"0 2 strip"_s << u"NNN"_s;
    QTest::newRow("background resets") << u"0 2 background"_s << u"NNN"_s;
    QTest::newRow("a panel that is not a surface") << u"0 2 panel"_s << u"NNH"_s;
    QTest::newRow("disabled while hovered, it stays disabled")
        << u"1 off1 0 background 2"_s << u"NDH"_s;
    QTest::newRow("over a disabled button is over the background") << u"0 off2 2"_s << u"NND"_s;
}

void TestWindowChrome::hover()
{
    QFETCH(QString, moves);
    QFETCH(QString, states);
    ChromeWindow w;
    for (const QString &move : moves.split(u' ')) {
        if (move.size() == 1)
            movePointer(w.buttons.at(move.toInt()), QPoint(10, 10));
        else if (move.startsWith(u"off"_s))
            w.buttons.at(move.right(1).toInt())->setEnabled(false);
        else if (move == u"strip"_s)
            movePointer(w.strip, QPoint(100, 10));
        else if (move == u"panel"_s)
            movePointer(w.panel, QPoint(10, 10));
        else
            w.overBackground();
    }
    QCOMPARE(w.states(), states);
}

void TestWindowChrome::pressedButtonHoversOnNextMoveAndStillClicks()
{
    ChromeWindow w;
    HCommand *button = w.buttons.at(1);
    QSignalSpy clicked(button, &HCommand::clicked);
    movePointer(button, QPoint(10, 10));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(button->state(), State::Pressed);
    movePointer(button, QPoint(12, 10), Qt::LeftButton);
    QCOMPARE(button->state(), State::Hover);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(12, 10));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(button->state(), State::Hover);
}

void TestWindowChrome::links()
{
    ChromeWindow w;
    QSignalSpy activated(w.chrome, &WindowChrome::linkActivated);
    movePointer(w.links.at(1), QPoint(3, 3));
    QVERIFY(w.underlined(1));
    QCOMPARE(WindowChrome::hoverLabel(), qint16(1));
    QCOMPARE(w.links.at(1)->cursor().shape(), Qt::PointingHandCursor);
    // The move over a link stops there: it is not also a move over the background.
    movePointer(w.links.at(0), QPoint(3, 3));
    QVERIFY(w.underlined(0) && w.underlined(1));
    w.overBackground();
    QVERIFY(!w.underlined(0) && !w.underlined(1));
    QCOMPARE(WindowChrome::hoverLabel(), WindowChrome::kNoLink);

    // Underlined behind the chrome's back: with no link marked, the background leaves it.
    QFont font = w.links.at(1)->font();
    font.setUnderline(true);
    w.links.at(1)->setFont(font);
    w.overBackground();
    QVERIFY(w.underlined(1));

    QTest::mouseClick(w.links.at(1), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(w.links.at(0), Qt::RightButton, {}, QPoint(3, 3));
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.first().first().value<qint16>(), qint16(1));
}

void TestWindowChrome::dragByTitleStrip_data()
{
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<bool>("draggable");
    QTest::addColumn<QPoint>("moved");
    QTest::newRow("left button") << Qt::LeftButton << true << QPoint(30, 20);
    QTest::newRow("right button") << Qt::RightButton << true << QPoint(0, 0);
    QTest::newRow("strip that does not drag") << Qt::LeftButton << false << QPoint(0, 0);
}

void TestWindowChrome::dragByTitleStrip()
{
    QFETCH(Qt::MouseButton, mouseButton);
    QFETCH(bool, draggable);
    QFETCH(QPoint, moved);
    ChromeWindow w;
    w.chrome->setTitleStrip(w.strip, draggable);
    w.window.move(100, 100);
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    const QPoint start = w.window.pos();

    // The grab point is where the pointer rested before the button went down.
    movePointer(w.strip, QPoint(50, 10));
    QTest::mousePress(w.strip, mouseButton, {}, QPoint(50, 10));
    movePointer(w.strip, QPoint(65, 20), mouseButton);
    QCOMPARE(w.window.pos(), start + moved / 2);
    // Positions are relative to the strip, which has moved along with the window: the same
    // position again is another step of the pointer.
    movePointer(w.strip, QPoint(65, 20), mouseButton);
    QTest::mouseRelease(w.strip, mouseButton, {}, QPoint(65, 20));
    QCOMPARE(w.window.pos(), start + moved);
    movePointer(w.strip, QPoint(80, 25));
    QCOMPARE(w.window.pos(), start + moved);
}

void TestWindowChrome::pressAndRelease_data()
{
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<QPoint>("releaseAt"); // the button is 93 x 30
    QTest::addColumn<int>("clicks");
    QTest::newRow("inside") << Qt::LeftButton << QPoint(40, 15) << 1;
    QTest::newRow("right and bottom edge are inside") << Qt::LeftButton << QPoint(93, 30) << 1;
    QTest::newRow("one pixel in from the top left") << Qt::LeftButton << QPoint(1, 1) << 1;
    QTest::newRow("left edge is outside") << Qt::LeftButton << QPoint(0, 15) << 0;
    QTest::newRow("top edge is outside") << Qt::LeftButton << QPoint(40, 0) << 0;
    QTest::newRow("right of the button") << Qt::LeftButton << QPoint(94, 15) << 0;
    QTest::newRow("below the button") << Qt::LeftButton << QPoint(40, 31) << 0;
    QTest::newRow("right button does nothing") << Qt::RightButton << QPoint(40, 15) << 0;
    QTest::newRow("middle button does nothing") << Qt::MiddleButton << QPoint(40, 15) << 0;
}

void TestWindowChrome::pressAndRelease()
{
    QFETCH(Qt::MouseButton, mouseButton);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);
    QDialog window;
    HCommand *button = buttonIn(window);
    QSignalSpy clicked(button, &HCommand::clicked);
    QTest::mousePress(button, mouseButton, {}, QPoint(10, 8));
    QCOMPARE(button->state(), mouseButton == Qt::LeftButton ? State::Pressed : State::Normal);
    QCOMPARE(clicked.count(), 0);

    // Qt sends the release to the pressed widget wherever the pointer is, as the button's
    // mouse capture did.
    QTest::mouseRelease(button, mouseButton, {}, releaseAt);
    QCOMPARE(button->state(), clicks > 0 ? State::Hover : State::Normal);
    QCOMPARE(clicked.count(), clicks);
    if (clicks > 0)
        QCOMPARE(clicked.first().first().value<qint16>(), qint16(4));
}

void TestWindowChrome::disabledIgnoresInputUntilEnabled()
{
    QDialog window;
    HCommand *button = buttonIn(window);
    QSignalSpy clicked(button, &HCommand::clicked);
    QSignalSpy moved(button, &HCommand::mouseMoved);
    button->setState(State::Hover);
    button->setEnabled(false);
    QCOMPARE(button->state(), State::Disabled);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
    movePointer(button, QPoint(12, 12));
    QTest::keyClick(button, Qt::Key_Return);
    QCOMPARE(button->state(), State::Disabled);
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(moved.count(), 0);

    // Enabled again, directly or through its parent, it shows its normal picture, not hover.
    button->setEnabled(true);
    QCOMPARE(button->state(), State::Normal);
    button->setState(State::Hover);
    window.setEnabled(false);
    QCOMPARE(button->state(), State::Disabled);
    window.setEnabled(true);
    QCOMPARE(button->state(), State::Normal);
}

void TestWindowChrome::keyboardFocusShowsHover()
{
    QDialog window;
    HCommand *first = buttonIn(window, 54);
    HCommand *second = buttonIn(window, 55);
    second->move(20, 80);
    // The window's own choice of its first control, made before it shows.
    second->setFocus();
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(second->hasFocus());
    QCOMPARE(second->state(), State::Normal);

    QTest::keyClick(second, Qt::Key_Backtab);
    QCOMPARE(first->state(), State::Hover);
    QCOMPARE(second->state(), State::Normal);
    QTest::keyClick(first, Qt::Key_Tab);
    QCOMPARE(second->state(), State::Hover);
    QCOMPARE(first->state(), State::Normal);
    // Enter, on either keyboard, clicks and leaves the picture; other keys do nothing.
    QSignalSpy clicked(second, &HCommand::clicked);
    for (const Qt::Key key : { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A })
        QTest::keyClick(second, key);
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(second->state(), State::Hover);

    // Disabling takes the focus, and the disabled picture stays.
    second->setEnabled(false);
    QVERIFY(!second->hasFocus());
    QCOMPARE(second->state(), State::Disabled);
}

QRTA_GUI_TEST_MAIN(TestWindowChrome)
#include "tst_windowchrome.moc"
