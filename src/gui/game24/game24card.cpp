#include "game24card.h"

#include "cjkfont.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qreal kRadius = 16;
// Room around the face for its shadow and for lifting a chosen card.
constexpr QMarginsF kMargins(4, 6, 4, 8);

const QColor kGold(0xf0, 0xb4, 0x29);

} // namespace

Game24Card::Game24Card(int index, Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_index(index)
    , m_kind(kind)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void Game24Card::setCard(const QString &caption, Board::CardState state)
{
    if (caption == m_caption && state == m_state)
        return;
    m_caption = caption;
    m_state = state;
    setAccessibleName(caption);
    update();
}

QColor Game24Card::faceColour(Board::CardState state)
{
    switch (state) {
    case Board::CardState::Chosen:
        return QColor(0xe5, 0x1c, 0x23);
    case Board::CardState::Used:
        return QColor(0xc0, 0xc0, 0xc0);
    case Board::CardState::Normal:
        break;
    }
    return Qt::white;
}

QColor Game24Card::figureColour(Board::CardState state)
{
    switch (state) {
    case Board::CardState::Chosen:
        return Qt::white;
    case Board::CardState::Used:
        return QColor(0x80, 0x80, 0x80);
    case Board::CardState::Normal:
        break;
    }
    return QColor(0xe5, 0x1c, 0x23);
}

void Game24Card::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QRectF face = QRectF(rect()).marginsRemoved(kMargins);

    if (m_caption.isEmpty()) {
        paintEmpty(painter, face);
        return;
    }

    // A chosen card stands up from the table, a used one lies flat on it.
    const bool chosen = m_state == Board::CardState::Chosen;
    const bool used = m_state == Board::CardState::Used;
    const qreal lift = chosen ? -4 : used ? 2 : 0;
    const qreal drop = chosen ? 10 : used ? 1 : 5;
    face.translate(0, lift);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x14, 0x3c, 0x28, chosen ? 90 : 60));
    painter.drawRoundedRect(face.translated(0, drop), kRadius, kRadius);

    const QColor faceColour = Game24Card::faceColour(m_state);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, faceColour.lighter(used ? 104 : 112));
    fill.setColorAt(1, faceColour.darker(used ? 102 : 104));
    const QColor edge = chosen  ? QColor(0x9c, 0x0d, 0x12)
        : used                  ? QColor(0x9a, 0x9a, 0x9a)
        : m_kind == Kind::Final ? kGold
                                : QColor(0xf2, 0x9b, 0x9b);
    painter.setBrush(fill);
    painter.setPen(QPen(edge, m_kind == Kind::Final && !used ? 4 : 3));
    painter.drawRoundedRect(face, kRadius, kRadius);

    // The thin inner frame of a playing card.
    const QColor frame = chosen ? QColor(255, 255, 255, 130)
        : used                  ? QColor(0xa8, 0xa8, 0xa8)
                                : QColor(0xff, 0xd0, 0xd0);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(frame, 1.5));
    painter.drawRoundedRect(face.adjusted(8, 8, -8, -8), kRadius - 7, kRadius - 7);

    paintKeyHint(painter, face);

    // As large as the card allows: a result can run to five figures and a sign.
    const QRectF room = face.adjusted(12, 22, -12, -10);
    QFont font = cjkFont(10, true);
    qreal pixels = std::min(room.height() * 0.78, 84.0);
    font.setPixelSize(int(pixels));
    while (pixels > 14 && QFontMetricsF(font).horizontalAdvance(m_caption) > room.width()) {
        pixels -= 2;
        font.setPixelSize(int(pixels));
    }
    painter.setFont(font);
    if (!used) {
        painter.setPen(chosen ? QColor(0x7a, 0x08, 0x0c, 120) : QColor(0xff, 0xc4, 0xc4));
        painter.drawText(room.translated(0, 2.5), Qt::AlignCenter, m_caption);
    }
    painter.setPen(figureColour(m_state));
    painter.drawText(room, Qt::AlignCenter, m_caption);
}

void Game24Card::paintEmpty(QPainter &painter, const QRectF &face) const
{
    // An empty place waits for a result: a slot in the table, not a card.
    const bool final = m_kind == Kind::Final;
    painter.setBrush(QColor(255, 255, 255, final ? 70 : 45));
    QPen dashes(final ? QColor(0xff, 0xe0, 0x8a) : QColor(255, 255, 255, 190), 2.5, Qt::DashLine);
    dashes.setDashPattern({ 4, 3 });
    painter.setPen(dashes);
    painter.drawRoundedRect(face, kRadius, kRadius);

    QString label;
    switch (m_kind) {
    case Kind::Result:
        label = u"第%1步"_s.arg(m_index - 3);
        break;
    case Kind::Final:
        label = u"= 24 ?"_s;
        break;
    case Kind::Number:
        break;
    }
    painter.setFont(cjkFont(final ? 20 : 16, true));
    painter.setPen(final ? QColor(0xff, 0xe9, 0xa8) : QColor(255, 255, 255, 215));
    painter.drawText(face, Qt::AlignCenter, label);
    paintKeyHint(painter, face);
}

void Game24Card::paintKeyHint(QPainter &painter, const QRectF &face) const
{
    // The key that clicks this card, for children who play with the number pad.
    const QRectF disc(face.left() + 9, face.top() + 9, 22, 22);
    QColor fill, ink;
    if (m_caption.isEmpty()) {
        fill = QColor(255, 255, 255, 60);
        ink = QColor(255, 255, 255, 220);
    } else if (m_state == Board::CardState::Chosen) {
        fill = QColor(255, 255, 255, 70);
        ink = Qt::white;
    } else if (m_state == Board::CardState::Used) {
        fill = QColor(0xb0, 0xb0, 0xb0);
        ink = QColor(0xe8, 0xe8, 0xe8);
    } else {
        fill = QColor(0xff, 0xec, 0xec);
        ink = QColor(0xd0, 0x48, 0x48);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(disc);
    QFont font = cjkFont(10, true);
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(disc, Qt::AlignCenter, QString::number(m_index + 1));
}

void Game24Card::mousePressEvent(QMouseEvent *event)
{
    // Taken, so that the release comes back to this card.
    event->setAccepted(event->button() == Qt::LeftButton);
}

void Game24Card::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(m_index);
}
