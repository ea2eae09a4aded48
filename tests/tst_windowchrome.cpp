#include "chrome/hcommand.h"
#include "chrome/windowchrome.h"

#include "support/guitestmain.h"
#include "support/shownwindow.h"
#include "support/steps.h"

#include <QDialog>
#include <QLabel>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A dialog laid out as the program's windows are (a dialog announces its first focus in a way
// of its own): a title strip, three captioned buttons, three text links, a panel that is no
// reset surface, and the background around them.
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
        const auto logAs = [this](QChar kind) {
            return [this, kind](qint16 index) { log += u" %1%2"_s.arg(kind).arg(index); };
        };
        for (qint16 i = 0; i < 3; ++i) {
            buttons.append(new HCommand(qint16(49 + i), i, &window));
            buttons.last()->move(20 + 100 * i, 60);
            QObject::connect(buttons.last(), &HCommand::clicked, logAs(u'B'));
            QObject::connect(buttons.last(), &HCommand::mouseMoved, logAs(u'M'));
            named.insert(u"b%1"_s.arg(i), buttons.last());
        }
        // After the buttons: Tab reaches the links after the last button.
        for (qint16 i = 0; i < 3; ++i) {
            links.append(new QLabel(u"link"_s, &window));
            links.last()->move(20 + 100 * i, 200);
            chrome->addLinkLabel(i, links.last());
            named.insert(u"l%1"_s.arg(i), links.last());
        }
        chrome->setButtons(buttons);
        panel->setGeometry(300, 200, 80, 80);
        QObject::connect(chrome, &WindowChrome::linkActivated, logAs(u'L'));
        named.insert({ { u"strip"_s, strip }, { u"panel"_s, panel }, { u"window"_s, &window } });
    }

    // Steps: a widget's name ("bN" button N, "lN" link N, "strip", "panel", "window") moves the
    // pointer over it, with the held mouse button; "press", "rpress" or "mpress" with the left,
    // right or middle mouse button, "release", "click", "rclick", "off", "on", "hover",
    // "focus" and "underline" (behind the chrome's back) act on the named widget, button 0
    // if none; "key:K" is typed where the focus is, or at button 0; "fixed" makes the strip one
    // that does not drag; "show". Where is "@x,y", or a point inside the widget.
    void run(const QString &steps)
    {
        for (const QString &text : steps.split(u' ')) {
            const Step step(text);
            QWidget *target
                = named.value(named.contains(step.verb) ? step.verb : step.name, buttons.first());
            const QPoint at = step.at.value_or(target == &window ? QPoint(200, 150) : QPoint(3, 3));
            const Qt::MouseButton mouse = step.verb.startsWith(u'r') ? Qt::RightButton
                : step.verb.startsWith(u'm')                         ? Qt::MiddleButton
                                                                     : Qt::LeftButton;
            if (named.contains(step.verb)) {
                movePointer(target, at, held);
            } else if (step.verb.endsWith(u"press"_s)) {
                QTest::mousePress(target, held = mouse, {}, at);
            } else if (step.verb == u"release"_s) {
                // Qt sends the release to the pressed widget wherever the pointer is, as the
                // button's mouse capture did.
                QTest::mouseRelease(target, std::exchange(held, Qt::NoButton), {}, at);
            } else if (step.verb.endsWith(u"click"_s)) {
                QTest::mouseClick(target, mouse, {}, at);
            } else if (step.verb == u"on"_s || step.verb == u"off"_s) {
                target->setEnabled(step.verb == u"on"_s);
            } else if (step.verb == u"hover"_s) {
                static_cast<HCommand *>(target)->setState(HCommand::State::Hover);
            } else if (step.verb == u"focus"_s) {
                target->setFocus();
            } else if (step.verb == u"underline"_s) {
                QFont font = target->font();
                font.setUnderline(true);
                target->setFont(font);
            } else if (step.verb == u"key"_s) {
                QTest::keyClick(window.focusWidget() ? window.focusWidget() : target, step.key());
            } else if (step.verb == u"fixed"_s) {
                chrome->setTitleStrip(strip, false);
            } else {
                QCOMPARE(step.verb, u"show"_s);
                window.move(100, 100);
                showActive(window);
                shownAt = window.pos();
            }
        }
    }

    // The buttons' states (N normal, H hover, P pressed, D disabled) and which has the focus
    // (f); the links underlined, U with the hand over them, u without; the link the chrome
    // last underlined (- for none); how far the window moved since it showed; the signals:
    // B clicked, M pointer moved, L link activated.
    QString shown() const
    {
        QString text;
        for (const HCommand *button : buttons)
            text += u"?NHPD"_s.at(button->state()) + QString(button->hasFocus() ? u"f"_s : u""_s);
        text += u' ';
        for (const QLabel *link : links) {
            const bool hand = link->cursor().shape() == Qt::PointingHandCursor;
            text += !link->font().underline() ? u'-' : hand ? u'U' : u'u';
        }
        const qint16 hovered = WindowChrome::hoverLabel();
        text += hovered == WindowChrome::kNoLink ? u" -"_s : u" %1"_s.arg(hovered);
        if (window.isVisible() && window.pos() != shownAt)
            text += u" moved %1,%2"_s.arg(window.x() - shownAt.x()).arg(window.y() - shownAt.y());
        return text + log;
    }

    QDialog window;
    WindowChrome *chrome;
    QWidget *strip = new QWidget(&window);
    QWidget *panel = new QWidget(&window);
    QList<HCommand *> buttons;
    QList<QLabel *> links;
    QHash<QString, QWidget *> named;
    Qt::MouseButton held = Qt::NoButton;
    QPoint shownAt;
    QString log;
};

} // namespace

class TestWindowChrome : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        // The underlined link is process-wide; leave none for the next test.
        ChromeWindow().chrome->resetLinks();
    }

    void framelessWithRoundedOutline()
    {
        ChromeWindow w;
        QVERIFY(w.window.windowFlags() & Qt::FramelessWindowHint);
        const QRegion mask = w.window.mask();
        QCOMPARE(mask.boundingRect(), QRect(0, 0, 400, 300));
        // 5 x 5 corner ellipses cut the corner pixels, and no more.
        for (const QPoint corner :
            { QPoint(0, 0), QPoint(399, 0), QPoint(0, 299), QPoint(399, 299) })
            QVERIFY(!mask.contains(corner));
        QVERIFY(mask.contains(QPoint(3, 3)));
        // The outline follows the size the window opens with.
        w.window.resize(250, 120);
        w.window.show();
        QCOMPARE(w.window.mask().boundingRect(), QRect(0, 0, 250, 120));
    }

    void steps_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("shown"); // as ChromeWindow::shown() writes it
        const auto row = [](const char *name, QStringView steps, QStringView shown) {
            QTest::newRow(name) << steps.toString() << shown.toString();
        };
        row("from button to button", u"b1 b2 b0", u"HNN --- - M1 M2 M0");
        row("background resets", u"b2 window", u"NNN --- - M2");
        row("not a surface", u"b2 panel", u"NNH --- - M2");
        row("disabled stays", u"b1 off:b1 b0 window b2", u"NDH --- - M1 M0 M2");
        row("over a disabled one", u"b0 off:b2 b2", u"NND --- - M0");
        // A move over a link stops there: it is not also a move over the background.
        row("links", u"b1 l2 l0", u"NHN U-U 0 M1");
        row("background leaves links", u"l1 l0 window", u"NNN --- -");
        row("no link marked", u"underline:l1 window", u"NNN -u- -");
        row("left click activates", u"click:l1 rclick:l0 click:l2", u"NNN --- - L1 L2");

        // The button is 93 x 30.
        row("left press", u"press", u"PNN --- -");
        row("inside edges", u"press release@1,1 press release@93,30", u"HNN --- - B0 B0");
        row("outside edges",
            u"press release@0,15 press release@40,0 press release@94,15 press release@40,31",
            u"NNN --- -");
        row("right, middle button", u"rpress release@40,15 mpress release@40,15", u"NNN --- -");
        // Pressed, it hovers on the next move and still clicks.
        row("moved", u"press b0@12,10 release@12,10", u"HNN --- - M0 B0");
        row("disabled ignores all", u"hover off press release@10,8 b0@12,12 key:Return",
            u"DNN --- -");
        // Enabled again, directly or through its window, it shows its normal picture, not hover.
        row("enabled again", u"hover off on", u"NNN --- -");
        row("window disabled", u"hover off:window", u"DDD --- -");
        row("window enabled again", u"hover off:window on:window", u"NNN --- -");

        // The window's own choice of its first control is made before it shows.
        row("focus, no hover", u"focus:b1 show", u"NNfN --- -");
        row("keyboard focus", u"focus:b1 show key:Backtab", u"HfNN --- -");
        row("moves on", u"focus:b1 show key:Backtab key:Tab", u"NHfN --- -");
        // Enter, on either keyboard, clicks and leaves the picture; other keys do nothing.
        row("Enter clicks", u"focus:b1 show key:Tab key:Return key:Enter key:Space key:A",
            u"NNHf --- - B2 B2");
        // Disabling takes the focus on to the next stop, and the disabled picture stays.
        row("loses the focus", u"focus:b0 show key:Tab off:b1", u"NDHf --- -");
        // A link the keyboard reaches is underlined; Enter and Space follow it.
        row("keyboard on a link", u"focus:b2 show key:Tab key:Return key:Space key:A",
            u"NNN U-- 0 L0 L0");

        // The grab point is where the pointer rested before the button went down. Positions are
        // relative to the strip, which moves along with the window: the same position again is
        // another step of the pointer.
        const QString drag
            = u"show strip@50,10 %1:strip@50,10 strip@65,20 strip@65,20 release:strip@65,20"_s;
        row("first step", u"show strip@50,10 press:strip@50,10 strip@65,20",
            u"NfNN --- - moved 15,10");
        row("drag", QString(drag.arg(u"press"_s) + u" strip@80,25"_s), u"NfNN --- - moved 30,20");
        row("dragged right", drag.arg(u"rpress"_s), u"NfNN --- -");
        row("fixed strip", QString(u"fixed "_s + drag.arg(u"press"_s)), u"NfNN --- -");
    }

    void steps()
    {
        QFETCH(QString, steps);
        QFETCH(QString, shown);
        ChromeWindow w;
        w.run(steps);
        QCOMPARE(w.shown(), shown);
    }
};

QRTA_GUI_TEST_MAIN(TestWindowChrome)
#include "tst_windowchrome.moc"
