#include "hcommand.h"
#include "windowchrome.h"

#include "support/pointer.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

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
            auto *label = new QLabel(QStringLiteral("link"), &window);
            label->move(20 + 100 * i, 200);
            links.append(label);
            chrome->addLinkLabel(i, label);
        }
        panel = new QWidget(&window);
        panel->setGeometry(300, 200, 80, 80);
    }

    State state(int i) const { return buttons.at(i)->state(); }
    void overButton(int i) { movePointer(buttons.at(i), QPoint(10, 10)); }
    void overBackground() { movePointer(&window, QPoint(200, 150)); }
    bool underlined(int i) const { return links.at(i)->font().underline(); }

    QWidget window;
    WindowChrome *chrome;
    QWidget *strip;
    QWidget *panel;
    QList<HCommand *> buttons;
    QList<QLabel *> links;
};

} // namespace

class TestWindowChrome : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void framelessWithRoundedOutline();
    void hoverMovesFromButtonToButton();
    void resetSurfaces_data();
    void resetSurfaces();
    void disabledButtonKeepsItsPicture();
    void pointerOverDisabledButtonIsBackground();
    void pressedButtonHoversOnNextMoveAndStillClicks();
    void linkUnderlinedAndReset();
    void linkResetDoesNothingUntilALinkIsHovered();
    void linkClick();
    void dragByTitleStrip_data();
    void dragByTitleStrip();
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
        QVERIFY2(!mask.contains(corner),
            qPrintable(QStringLiteral("%1,%2").arg(corner.x()).arg(corner.y())));
    for (const QPoint edge :
        { QPoint(200, 0), QPoint(0, 150), QPoint(399, 150), QPoint(200, 299), QPoint(3, 3) })
        QVERIFY(mask.contains(edge));

    // The outline follows the size the window opens with.
    w.window.resize(250, 120);
    w.window.show();
    QCOMPARE(w.window.mask().boundingRect(), QRect(0, 0, 250, 120));
}

void TestWindowChrome::hoverMovesFromButtonToButton()
{
    ChromeWindow w;
    w.overButton(1);
    QCOMPARE(w.state(1), State::Hover);
    QCOMPARE(w.chrome->hoverIndex(), qint16(1));

    w.overButton(2);
    QCOMPARE(w.state(1), State::Normal);
    QCOMPARE(w.state(2), State::Hover);
    QCOMPARE(w.chrome->hoverIndex(), qint16(2));

    // Moving within the hovered button keeps it hovered.
    movePointer(w.buttons.at(2), QPoint(30, 12));
    QCOMPARE(w.state(2), State::Hover);

    w.overButton(0);
    QCOMPARE(w.state(0), State::Hover);
    QCOMPARE(w.state(1), State::Normal);
    QCOMPARE(w.state(2), State::Normal);
}

void TestWindowChrome::resetSurfaces_data()
{
    QTest::addColumn<QString>("surface");
    QTest::addColumn<State>("after");
    QTest::newRow("title strip") << QStringLiteral("strip") << State::Normal;
    QTest::newRow("background") << QStringLiteral("background") << State::Normal;
    QTest::newRow("a panel that is not a surface") << QStringLiteral("panel") << State::Hover;
}

void TestWindowChrome::resetSurfaces()
{
    QFETCH(QString, surface);
    QFETCH(State, after);
    ChromeWindow w;
    w.overButton(0);
    w.overButton(2);
    if (surface == QLatin1String("strip"))
        movePointer(w.strip, QPoint(100, 10));
    else if (surface == QLatin1String("panel"))
        movePointer(w.panel, QPoint(10, 10));
    else
        w.overBackground();
    QCOMPARE(w.state(0), State::Normal);
    QCOMPARE(w.state(2), after);
}

void TestWindowChrome::disabledButtonKeepsItsPicture()
{
    ChromeWindow w;
    w.overButton(1);
    w.buttons.at(1)->setEnabled(false);
    QCOMPARE(w.state(1), State::Disabled);

    // Leaving it for another button, and for the background, leaves it disabled.
    w.overButton(0);
    QCOMPARE(w.state(1), State::Disabled);
    QCOMPARE(w.state(0), State::Hover);
    w.overBackground();
    QCOMPARE(w.state(0), State::Normal);
    w.overButton(2);
    QCOMPARE(w.state(1), State::Disabled);
}

void TestWindowChrome::pointerOverDisabledButtonIsBackground()
{
    ChromeWindow w;
    QSignalSpy background(w.chrome, &WindowChrome::pointerOverSurface);
    w.overButton(0);
    w.buttons.at(2)->setEnabled(false);
    w.overButton(2);
    QCOMPARE(w.state(0), State::Normal);
    QCOMPARE(w.state(2), State::Disabled);
    QCOMPARE(background.count(), 1);
    QCOMPARE(background.first().first().value<QWidget *>(), &w.window);
}

void TestWindowChrome::pressedButtonHoversOnNextMoveAndStillClicks()
{
    ChromeWindow w;
    HCommand *button = w.buttons.at(1);
    QSignalSpy clicked(button, &HCommand::clicked);
    w.overButton(1);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(w.state(1), State::Pressed);
    movePointer(button, QPoint(12, 10), Qt::LeftButton);
    QCOMPARE(w.state(1), State::Hover);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(12, 10));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(w.state(1), State::Hover);
}

void TestWindowChrome::linkUnderlinedAndReset()
{
    ChromeWindow w;
    QCOMPARE(WindowChrome::hoverLabel(), WindowChrome::kNoLink);
    movePointer(w.links.at(1), QPoint(3, 3));
    QVERIFY(w.underlined(1));
    QVERIFY(!w.underlined(0));
    QCOMPARE(WindowChrome::hoverLabel(), qint16(1));
    QCOMPARE(w.links.at(1)->cursor().shape(), Qt::PointingHandCursor);

    movePointer(w.links.at(0), QPoint(3, 3));
    QVERIFY(w.underlined(0));
    QCOMPARE(WindowChrome::hoverLabel(), qint16(0));

    // The move over a link stops there: it is not also a move over the background.
    QVERIFY(w.underlined(1));

    w.overBackground();
    QVERIFY(!w.underlined(0));
    QVERIFY(!w.underlined(1));
    QCOMPARE(WindowChrome::hoverLabel(), WindowChrome::kNoLink);
    // The pointer shape stays with the label; it only shows over it.
    QCOMPARE(w.links.at(0)->cursor().shape(), Qt::PointingHandCursor);
}

void TestWindowChrome::linkResetDoesNothingUntilALinkIsHovered()
{
    ChromeWindow w;
    movePointer(w.links.at(0), QPoint(3, 3));
    w.overBackground();

    // Underlined behind the chrome's back: with no link marked, the background leaves it.
    QFont font = w.links.at(1)->font();
    font.setUnderline(true);
    w.links.at(1)->setFont(font);
    w.overBackground();
    QVERIFY(w.underlined(1));

    movePointer(w.links.at(0), QPoint(3, 3));
    w.overBackground();
    QVERIFY(!w.underlined(1));
}

void TestWindowChrome::linkClick()
{
    ChromeWindow w;
    QSignalSpy activated(w.chrome, &WindowChrome::linkActivated);
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

QTEST_MAIN(TestWindowChrome)
#include "tst_windowchrome.moc"
