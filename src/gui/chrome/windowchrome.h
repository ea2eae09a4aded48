#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QPoint>
#include <QRegion>
#include <QRgb>
#include <QSet>

class HCommand;
class QLabel;
class QMouseEvent;
class QPainter;
class QPainterPath;
class QWidget;

// What every window of the program shares: no system frame but a rounded outline, dragging
// by the title strip, and hover feedback on its picture buttons and text links. A window
// creates one, tells it which widget plays which part, and keeps only its own wiring.
class WindowChrome final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowChrome)

public:
    // The link index that means no link is underlined.
    static constexpr qint16 kNoLink = 100;
    // Width and height of the ellipse that rounds each corner of a window.
    static constexpr int kCornerDiameter = 5;

    explicit WindowChrome(QWidget *window);

    // The title strip; with draggable, the window follows the pointer while the left button
    // is held down on it.
    void setTitleStrip(QWidget *strip, bool draggable = true);
    // The window's picture buttons, each at the place of its index. The keyboard reaching one
    // hovers it as the pointer would, so that only one button looks reached.
    void setButtons(const QList<HCommand *> &buttons);
    // The pointer over surface takes the hover off the buttons. The window itself stands for
    // its background: the parts where no other widget takes the mouse.
    void addButtonResetSurface(QWidget *surface);
    // A text link at index of the window's link array. Tab reaches it too: it shows the
    // pointer's underline on a ground of its own then, and Enter or Space follows it.
    void addLinkLabel(qint16 index, QLabel *label);
    // The pointer over surface removes the underline from every link.
    void addLinkResetSurface(QWidget *surface);

    // The link last underlined in whichever window had it; dialogs are modal, so one
    // process-wide value serves them all.
    static qint16 hoverLabel();

    void hoverButton(qint16 index);
    void resetButtonHover();
    void hoverLink(qint16 index);
    void resetLinks();
    void unhoverLink(QLabel *label);

    // The band below the title strip that holds a window's choices or heading;
    // the window usually makes it a button reset surface.
    static QWidget *addBand(QWidget *window, const QRect &geometry);

    // The window's outline, one pixel wide, along its rounded corners.
    static void paintOutline(QPainter &painter, const QSize &size, QRgb colour);
    // The ground of a small window of the menu: top shading into bottom from the title strip
    // down, in the program's outline.
    static void paintFrame(QPainter &painter, const QSize &size, QRgb top, QRgb bottom);
    // A window whose whole ground is a picture of the registry, at the window's pixel ratio,
    // in the program's outline.
    static void paintBackdrop(QPainter &painter, const QWidget *window, int picture);

    static QRegion roundedRegion(const QSize &size, int diameter = kCornerDiameter);
    // The same outline for painting, inset by half a pen width.
    static QPainterPath outlinePath(const QSize &size, qreal penWidth = 1.0);

signals:
    // The pointer moved over a surface of addButtonResetSurface() or addLinkResetSurface();
    // sent before the resets.
    void pointerOverSurface(QWidget *surface);
    // A left click released over a link.
    void linkActivated(qint16 index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QWidget *widget);
    bool titleStripMoved(QMouseEvent *event);
    void pressedOnTitleStrip(QMouseEvent *event);

    QWidget *m_window;
    QWidget *m_titleStrip = nullptr;
    bool m_draggable = true;
    QPoint m_grab;
    QList<HCommand *> m_buttons;
    qint16 m_hoverIndex = 0;
    QSet<QWidget *> m_buttonResetSurfaces;
    QSet<QWidget *> m_linkResetSurfaces;
    QMap<qint16, QLabel *> m_links;
};
