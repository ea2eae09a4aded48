#include "windowchrome.h"

#include "hcommand.h"
#include "palette.h"
#include "pictureregistry.h"
#include "titlestrip.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QWidget>
#include <QWindow>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

qint16 g_hoverLabel = WindowChrome::kNoLink;

} // namespace

WindowChrome::WindowChrome(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    window->setWindowFlag(Qt::FramelessWindowHint);
    watch(window);
    if (!window->size().isEmpty())
        window->setMask(roundedRegion(window->size()));
}

void WindowChrome::setTitleStrip(QWidget *strip, bool draggable)
{
    m_titleStrip = strip;
    m_draggable = draggable;
    watch(strip);
}

void WindowChrome::setButtons(const QList<HCommand *> &buttons)
{
    m_buttons = buttons;
    for (HCommand *button : buttons) {
        Q_ASSERT(button->index() == m_buttons.indexOf(button));
        connect(button, &HCommand::mouseMoved, this, [this](qint16 index) { hoverButton(index); });
        connect(button, &HCommand::focusShown, this, &WindowChrome::hoverButton);
    }
}

void WindowChrome::addButtonResetSurface(QWidget *surface)
{
    m_buttonResetSurfaces.insert(surface);
    watch(surface);
}

void WindowChrome::addLinkLabel(qint16 index, QLabel *label)
{
    m_links.insert(index, label);
    label->setFocusPolicy(Qt::TabFocus);
    // A ground, not a frame: a frame would take room the label was sized without.
    label->setStyleSheet(label->styleSheet()
        + u" QLabel:focus { background: %1; border-radius: 3px; }"_s.arg(
            palette::css(palette::kFocusGround)));
    watch(label);
}

void WindowChrome::addLinkResetSurface(QWidget *surface)
{
    m_linkResetSurfaces.insert(surface);
    watch(surface);
}

qint16 WindowChrome::hoverLabel()
{
    return g_hoverLabel;
}

void WindowChrome::hoverButton(qint16 index)
{
    if (m_buttons.isEmpty())
        return;
    if (m_hoverIndex > m_buttons.size() - 1)
        m_hoverIndex = 0;
    HCommand *last = m_buttons.at(m_hoverIndex);
    // A disabled button keeps its disabled picture.
    if (last->state() != HCommand::State::Normal && last->isEnabled())
        last->setState(HCommand::State::Normal);
    HCommand *current = m_buttons.value(index);
    if (current == nullptr)
        return;
    if (current->state() != HCommand::State::Hover)
        current->setState(HCommand::State::Hover);
    m_hoverIndex = index;
}

void WindowChrome::resetButtonHover()
{
    if (m_buttons.isEmpty())
        return;
    if (m_hoverIndex > m_buttons.size() - 1)
        m_hoverIndex = 0;
    HCommand *last = m_buttons.at(m_hoverIndex);
    if (last->state() == HCommand::State::Hover)
        last->setState(HCommand::State::Normal);
}

void WindowChrome::hoverLink(qint16 index)
{
    QLabel *label = m_links.value(index);
    if (label == nullptr)
        return;
    label->setCursor(Qt::PointingHandCursor);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    g_hoverLabel = index;
}

void WindowChrome::unhoverLink(QLabel *label)
{
    if (!label->font().underline())
        return;
    QFont font = label->font();
    font.setUnderline(false);
    label->setFont(font);
}

void WindowChrome::resetLinks()
{
    if (g_hoverLabel == kNoLink)
        return;
    for (QLabel *label : std::as_const(m_links))
        unhoverLink(label);
    g_hoverLabel = kNoLink;
}

QWidget *WindowChrome::addBand(QWidget *window, const QRect &geometry)
{
    auto *band = new QWidget(window);
    band->setProperty("qrtaBand", true);
    band->setGeometry(geometry);
    band->setStyleSheet(
        u"*[qrtaBand=\"true\"] { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        " stop:0 %1, stop:1 %2); border-bottom: 1px solid %3; }"_s.arg(
            palette::css(palette::kBandTop), palette::css(palette::kBandBottom),
            palette::css(palette::kBandRule)));
    return band;
}

void WindowChrome::paintOutline(QPainter &painter, const QSize &size, QRgb colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(colour), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outlinePath(size));
    painter.restore();
}

void WindowChrome::paintFrame(QPainter &painter, const QSize &size, QRgb top, QRgb bottom)
{
    QLinearGradient face(0, TitleStrip::kHeight, 0, size.height());
    face.setColorAt(0, QColor(top));
    face.setColorAt(1, QColor(bottom));
    painter.fillRect(QRect(QPoint(0, 0), size), face);
    paintOutline(painter, size, palette::kOutline);
}

void WindowChrome::paintBackdrop(QPainter &painter, const QWidget *window, int picture)
{
    painter.drawPixmap(0, 0, PictureRegistry::pixmap(picture, window->devicePixelRatioF()));
    paintOutline(painter, window->size(), palette::kOutline);
}

QRegion WindowChrome::roundedRegion(const QSize &size, int diameter)
{
    QPainterPath path;
    const qreal radius = diameter / 2.0;
    path.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), radius, radius);
    return QRegion(path.toFillPolygon().toPolygon());
}

QPainterPath WindowChrome::outlinePath(const QSize &size, qreal penWidth)
{
    QPainterPath path;
    const qreal inset = penWidth / 2;
    const qreal radius = kCornerDiameter / 2.0;
    path.addRoundedRect(
        QRectF(QPointF(0, 0), QSizeF(size)).adjusted(inset, inset, -inset, -inset), radius, radius);
    return path;
}

bool WindowChrome::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (widget == nullptr)
        return false;

    if (widget == m_window && event->type() == QEvent::Resize) {
        m_window->setMask(roundedRegion(m_window->size()));
        return false;
    }

    const auto link = std::find(m_links.cbegin(), m_links.cend(), widget);
    if (link != m_links.cend()) {
        if (event->type() == QEvent::MouseMove) {
            hoverLink(link.key());
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton
                && widget->rect().contains(mouse->position().toPoint()))
                emit linkActivated(link.key());
            return true;
        }
        if (event->type() == QEvent::FocusIn) {
            hoverLink(link.key());
        } else if (event->type() == QEvent::FocusOut && !widget->underMouse()) {
            unhoverLink(*link);
            if (g_hoverLabel == link.key())
                g_hoverLabel = kNoLink;
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                emit linkActivated(link.key());
                return true;
            }
        }
        return false;
    }

    if (event->type() == QEvent::MouseButtonPress && widget == m_titleStrip) {
        pressedOnTitleStrip(static_cast<QMouseEvent *>(event));
        return true;
    }
    if (event->type() != QEvent::MouseMove)
        return false;

    const bool resetsButtons = m_buttonResetSurfaces.contains(widget);
    const bool resetsLinks = m_linkResetSurfaces.contains(widget);
    if (resetsButtons || resetsLinks)
        emit pointerOverSurface(widget);
    if (resetsButtons)
        resetButtonHover();
    if (resetsLinks)
        resetLinks();
    if (widget == m_titleStrip)
        return titleStripMoved(static_cast<QMouseEvent *>(event));
    return false;
}

void WindowChrome::watch(QWidget *widget)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

bool WindowChrome::titleStripMoved(QMouseEvent *event)
{
    if (!m_draggable)
        return true;
    const QPointF at = event->position();
    if (event->buttons() == Qt::NoButton) {
        // Kept from move to move, so that it is where the pointer was when the button went
        // down, and the window does not jump when dragging starts.
        m_grab = QPoint(int(std::nearbyint(at.x())), int(std::nearbyint(at.y())));
    } else if (event->buttons() == Qt::LeftButton) {
        m_window->move(m_window->pos() + at.toPoint() - m_grab);
    }
    return true;
}

void WindowChrome::pressedOnTitleStrip(QMouseEvent *event)
{
    if (!m_draggable || event->button() != Qt::LeftButton)
        return;
    // Where the window system moves windows itself (Wayland allows nothing else), let it;
    // elsewhere the moves of the held button drag the window.
    if (QWindow *handle = m_window->windowHandle())
        handle->startSystemMove();
}
