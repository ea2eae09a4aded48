#pragma once

#include "pictureregistry.h"

#include <QPointF>
#include <QWidget>

// The one push button of the program: it draws nothing but a picture, chosen by its picture
// number (bmpid) and its state (ZT), and swaps it as the mouse presses and leaves it. Hover
// across several buttons is the window's business (WindowChrome); the button only reports
// every mouse movement with its index.
class HCommand final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HCommand)

public:
    using State = PictureRegistry::State;

    HCommand(qint16 bmpid, qint16 index, QWidget *parent = nullptr);

    qint16 bmpid() const { return m_bmpid; }
    // The button's place in its window's array; both signals carry it.
    qint16 index() const { return m_index; }

    State state() const { return m_state; }
    // Windows set Normal and Hover for their hover handling; disabling and enabling the
    // widget sets Disabled and Normal.
    void setState(State state);
    // The number of the picture asked for; a state without a picture shows the normal one.
    int pictureNumber() const;
    // The keyboard has reached the button: it shows a ring around its picture as well.
    bool showsFocus() const { return m_showsFocus && hasFocus(); }

    QSize sizeHint() const override;

signals:
    void mouseMoved(
        qint16 index, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF position);
    void clicked(qint16 index);
    // The keyboard has reached the button; the window may treat it as the pointer's arrival.
    void focusShown(qint16 index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    qint16 m_bmpid;
    qint16 m_index;
    State m_state = State::Normal;
    bool m_showsFocus = false;
};
