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

QString letter(const HCommand *button)
{
    return u"?NHPD"_s.at(button->state());
}

QPoint pointIn(const QString &text)
{
    return QPoint(text.section(u',', 0, 0).toInt(), text.section(u',', 1).toInt());
}

// A window laid out as the program's are: a title strip, three captioned buttons, three text
// links, a panel that is no reset surface, and the background around them.
struct ChromeWindow
{
    ChromeWindow()
    {
        window.resize(400, 300);
        chrome = new WindowChrome(&window);
        strip->setGeometry(0, 0, 400, 30);
        chrome->setTitleStrip(strip);
        chrome->addButtonResetSurface(strip);
        chrome->addButtonResetSurface(&window);
        chrome->addLinkResetSurface(&window);
        for (qint16 i = 0; i < 3; ++i) {
            buttons.append(new HCommand(qint16(49 + i), i, &window));
            buttons.last()->move(20 + 100 * i, 60);
            links.append(new QLabel(u"link"_s, &window));
            links.last()->move(20 + 100 * i, 200);
            chrome->addLinkLabel(i, links.last());
        }
        chrome->setButtons(buttons);
        panel->setGeometry(300, 200, 80, 80);
        QObject::connect(chrome, &WindowChrome::linkActivated,
            [this](qint16 index) { activated += QString::number(index); });
    }

    // Steps: "bN" the pointer over button N, "offN" button N disabled, "lN" over link N, "uN"
    // link N underlined behind the chrome's back, "cN" and "rN" a left and a right click on
    // link N, or the surface named: "strip", "panel", or "window" for its background.
    void run(const QString &steps)
    {
        for (const QString &step : steps.split(u' ')) {
            const int n = step.right(1).toInt();
            if (step.startsWith(u'b'))
                movePointer(buttons.at(n), QPoint(10, 10));
            else if (step.startsWith(u"off"_s))
                buttons.at(n)->setEnabled(false);
            else if (step.startsWith(u'l'))
                movePointer(links.at(n), QPoint(3, 3));
            else if (step.startsWith(u'u')) {
                QFont font = links.at(n)->font();
                font.setUnderline(true);
                links.at(n)->setFont(font);
            } else if (step.startsWith(u'c') || step.startsWith(u'r'))
                QTest::mouseClick(links.at(n),
                    step.startsWith(u'c') ? Qt::LeftButton : Qt::RightButton, {}, QPoint(3, 3));
            else if (step == u"strip"_s)
                movePointer(strip, QPoint(100, 10));
            else if (step == u"panel"_s)
                movePointer(panel, QPoint(10, 10));
            else
                movePointer(&window, QPoint(200, 150));
        }
    }

    // The buttons' states (N normal, H hover, D disabled); the links underlined, U with the
    // hand over them, u without; the link the chrome last underlined (- for none); the links
    // activated.
    QString shown() const
    {
        QString text;
        for (const HCommand *button : buttons)
            text += letter(button);
        text += u' ';
        for (const QLabel *link : links) {
            const bool hand = link->cursor().shape() == Qt::PointingHandCursor;
            text += !link->font().underline() ? u'-' : hand ? u'U' : u'u';
        }
        const qint16 hovered = WindowChrome::hoverLabel();
        text += hovered == WindowChrome::kNoLink ? u" -"_s : u" %1"_s.arg(hovered);
        return QString(text + u' ' + activated).trimmed();
    }

    QWidget window;
    WindowChrome *chrome;
    QWidget *strip = new QWidget(&window);
    QWidget *panel = new QWidget(&window);
    QList<HCommand *> buttons;
    QList<QLabel *> links;
    QString activated;
};

// A button alone in a dialog, as the program's windows are: a dialog announces its first
// focus in a way of its own.
HCommand *buttonIn(QDialog &window, qint16 bmpid = 49, QPoint at = { 20, 20 })
{
    window.resize(300, 200);
    auto *button = new HCommand(bmpid, 4, &window);
    button->move(at);
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
    void dragByTitleStrip_data();
    void dragByTitleStrip();
    void button_data();
    void button();
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
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("shown"); // as ChromeWindow::shown() writes it
    QTest::newRow("from button to button") << u"b1 b2 b0"_s << u"HNN --- -"_s;
    QTest::newRow("title strip resets") << u"b0 b2 strip"_s << u"NNN --- -"_s;
    QTest::newRow("background resets") << u"b0 b2 window"_s << u"NNN --- -"_s;
    QTest::newRow("a panel that is not a surface") << u"b0 b2 panel"_s << u"NNH --- -"_s;
    QTest::newRow("disabled while hovered, it stays disabled")
        << u"b1 off1 b0 window b2"_s << u"NDH --- -"_s;
    QTest::newRow("over a disabled button is over the background")
        << u"b0 off2 b2"_s << u"NND --- -"_s;
    // A move over a link stops there: it is not also a move over the background.
    QTest::newRow("links") << u"b1 l2 l0"_s << u"NHN U-U 0"_s;
    QTest::newRow("background leaves the links") << u"l1 l0 window"_s << u"NNN --- -"_s;
    QTest::newRow("with no link marked, the background leaves them")
        << u"u1 window"_s << u"NNN -u- -"_s;
    QTest::newRow("left click activates") << u"c1 r0 c2"_s << u"NNN --- - 12"_s;
}

void TestWindowChrome::hover()
{
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    ChromeWindow w;
    w.run(steps);
    QCOMPARE(w.shown(), shown);
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

void TestWindowChrome::button_data()
{
    // Steps: "press", "rpress" and "mpress" at 10,8 with the left, right or middle button;
    // "release@X,Y" and "move@X,Y" with the button held; "hover"; "off" and "on" for the
    // button, "windowoff" and "windowon" for its window; "key:K".
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("after"); // state, clicks, moves; the button is 93 x 30
    QTest::newRow("left press") << u"press"_s << u"P 0 0"_s;
    QTest::newRow("right press") << u"rpress"_s << u"N 0 0"_s;
    QTest::newRow("released inside") << u"press release@40,15"_s << u"H 1 0"_s;
    QTest::newRow("right and bottom edge are inside") << u"press release@93,30"_s << u"H 1 0"_s;
    QTest::newRow("one pixel in from the top left") << u"press release@1,1"_s << u"H 1 0"_s;
    QTest::newRow("left edge is outside") << u"press release@0,15"_s << u"N 0 0"_s;
    QTest::newRow("top edge is outside") << u"press release@40,0"_s << u"N 0 0"_s;
    QTest::newRow("right of the button") << u"press release@94,15"_s << u"N 0 0"_s;
    QTest::newRow("below the button") << u"press release@40,31"_s << u"N 0 0"_s;
    QTest::newRow("right button does nothing") << u"rpress release@40,15"_s << u"N 0 0"_s;
    QTest::newRow("middle button does nothing") << u"mpress release@40,15"_s << u"N 0 0"_s;
    QTest::newRow("pressed, it hovers on the next move and still clicks")
        << u"press move@12,10 release@12,10"_s << u"H 1 1"_s;
    QTest::newRow("disabled, it ignores every input")
        << u"hover off press release@10,8 move@12,12 key:Return"_s << u"D 0 0"_s;
    // Enabled again, directly or through its window, it shows its normal picture, not hover.
    QTest::newRow("enabled again") << u"hover off on"_s << u"N 0 0"_s;
    QTest::newRow("window disabled") << u"hover windowoff"_s << u"D 0 0"_s;
    QTest::newRow("window enabled again") << u"hover windowoff windowon"_s << u"N 0 0"_s;
}

void TestWindowChrome::button()
{
    QFETCH(QString, steps);
    QFETCH(QString, after);
    QDialog window;
    HCommand *button = buttonIn(window);
    QSignalSpy clicked(button, &HCommand::clicked);
    QSignalSpy moved(button, &HCommand::mouseMoved);
    Qt::MouseButton held = Qt::NoButton;
    for (const QString &step : steps.split(u' ')) {
        const QPoint at = pointIn(step.section(u'@', 1));
        if (step.endsWith(u"press"_s)) {
            held = step == u"press"_s ? Qt::LeftButton
                : step == u"rpress"_s ? Qt::RightButton
                                      : Qt::MiddleButton;
            QTest::mousePress(button, held, {}, QPoint(10, 8));
        } else if (step.startsWith(u"release"_s)) {
            // Qt sends the release to the pressed widget wherever the pointer is, as the
            // button's mouse capture did.
            QTest::mouseRelease(button, held, {}, at);
            held = Qt::NoButton;
        } else if (step.startsWith(u"move"_s)) {
            movePointer(button, at, held);
        } else if (step.startsWith(u"key:"_s)) {
            QTest::keyClick(button, QKeySequence::fromString(step.mid(4))[0].key());
        } else if (step == u"hover"_s) {
            button->setState(State::Hover);
        } else {
            (step.startsWith(u"window"_s) ? static_cast<QWidget *>(&window) : button)
                ->setEnabled(step.endsWith(u"on"_s));
        }
    }
    QCOMPARE(u"%1 %2 %3"_s.arg(letter(button)).arg(clicked.count()).arg(moved.count()), after);
    for (const QList<QVariant> &click : std::as_const(clicked))
        QCOMPARE(click.first().value<qint16>(), qint16(4));
}

void TestWindowChrome::keyboardFocusShowsHover()
{
    QDialog window;
    HCommand *first = buttonIn(window, 54);
    HCommand *second = buttonIn(window, 55, { 20, 80 });
    // The window's own choice of its first control, made before it shows.
    second->setFocus();
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(second->hasFocus());
    QCOMPARE(second->state(), State::Normal);

    QTest::keyClick(second, Qt::Key_Backtab);
    QCOMPARE(letter(first) + letter(second), u"HN"_s);
    QTest::keyClick(first, Qt::Key_Tab);
    QCOMPARE(letter(first) + letter(second), u"NH"_s);
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
