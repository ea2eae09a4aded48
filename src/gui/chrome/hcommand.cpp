#include "hcommand.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>

#include "palette.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QPixmap fadedPixmap(int number, qreal ratio)
{
    const QString key = u"qrta-faded/%1@%2"_s.arg(number).arg(ratio);
    QPixmap faded;
    if (QPixmapCache::find(key, &faded))
        return faded;
    QImage image
        = PictureRegistry::pixmap(number, ratio).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 150 + qGray(line[x]) * 95 / 255;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 3 / 4);
        }
    }
    faded = QPixmap::fromImage(image);
    faded.setDevicePixelRatio(ratio);
    QPixmapCache::insert(key, faded);
    return faded;
}

} // namespace

HCommand::HCommand(qint16 bmpid, qint16 index, QWidget *parent)
    : QWidget(parent)
    , m_bmpid(bmpid)
    , m_index(index)
{
    Q_ASSERT(PictureRegistry::hasPicture(PictureRegistry::pictureNumber(State::Normal, bmpid)));
    setFixedSize(sizeHint());
    setMouseTracking(true);
    // Reachable by Tab for Enter; a click does not take the focus, which would leave the
    // hover picture on a button the pointer has long left.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_NoSystemBackground);
    if (!isEnabled())
        m_state = State::Disabled;
}

void HCommand::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    update();
}

int HCommand::pictureNumber() const
{
    return PictureRegistry::pictureNumber(m_state, m_bmpid);
}

QSize HCommand::sizeHint() const
{
    return PictureRegistry::pictureSize(PictureRegistry::pictureNumber(State::Normal, m_bmpid));
}

void HCommand::paintEvent(QPaintEvent *)
{
    // The registry caches each picture per pixel ratio, so asking on every paint costs
    // little and follows the window from one screen to another.
    const int number = pictureNumber();
    const qreal ratio = devicePixelRatioF();
    // Only the captioned buttons have a disabled picture of their own; any other disabled
    // button shows its normal picture in pale grey, so that nobody expects it to answer.
    const bool fade = m_state == State::Disabled && PictureRegistry::shownNumber(number) != number;
    QPainter painter(this);
    painter.drawPixmap(
        0, 0, fade ? fadedPixmap(number, ratio) : PictureRegistry::pixmap(number, ratio));
    if (m_showsFocus && hasFocus()) {
        // Some hover pictures differ little from the normal one (the minimise glyph): the
        // ring shows the focus on every button. White inside, so that it shows on orange too.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(palette::kFocusRing), 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
        painter.setPen(QPen(QColor(255, 255, 255, 200), 1));
        painter.drawRoundedRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5), 3, 3);
    }
}

void HCommand::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_state != State::Pressed)
        setState(State::Pressed);
}

void HCommand::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The left and top edge count as outside, the right and bottom edge as inside.
    const QPointF at = event->position();
    const bool inside = at.x() > 0 && at.x() <= width() && at.y() > 0 && at.y() <= height();
    if (inside) {
        setState(State::Hover);
        emit clicked(m_index);
    } else {
        setState(State::Normal);
    }
}

void HCommand::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(m_index, event->buttons(), event->modifiers(), event->position());
}

void HCommand::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit clicked(m_index);
    else
        QWidget::keyPressEvent(event);
}

void HCommand::focusInEvent(QFocusEvent *event)
{
    // Only a focus the keyboard moves within the active window shows. The one a window
    // hands its first control as it opens (a dialog announces it as a Tab before it is
    // active) would look as if the pointer rested on a button it never came near.
    // A focus that comes back with the window (a dialog opened from the button has closed)
    // shows again if the keyboard had it.
    const Qt::FocusReason reason = event->reason();
    const bool byKeyboard = isActiveWindow()
        && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
            || (reason == Qt::ActiveWindowFocusReason && m_showsFocus));
    if (byKeyboard) {
        m_showsFocus = true;
        if (m_state != State::Hover && m_state != State::Pressed)
            setState(State::Hover);
        update();
        emit focusShown(m_index);
    }
    QWidget::focusInEvent(event);
}

void HCommand::focusOutEvent(QFocusEvent *event)
{
    // Only for as long as another window is in front is the focus kept for coming back.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        m_showsFocus = false;
    update();
    // Disabling takes the focus away as well; the disabled picture has to stay.
    if (isEnabled() && m_state != State::Normal)
        setState(State::Normal);
    QWidget::focusOutEvent(event);
}

void HCommand::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        setState(isEnabled() ? State::Normal : State::Disabled);
    QWidget::changeEvent(event);
}

bool HCommand::event(QEvent *event)
{
    // Another screen may have another pixel ratio: draw the picture again at the new one.
    if (event->type() == QEvent::ScreenChangeInternal)
        update();
    return QWidget::event(event);
}
