#include "operationbutton.h"

#include <QPainter>
#include <QPainterPath>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Look
{
    QColor colour;
    QString name;
    QString key;
};

Look lookOf(Board::Operation operation)
{
    switch (operation) {
    case Board::Operation::Add:
        return { QColor(0xff, 0x8a, 0x1e), u"加"_s, u"+"_s };
    case Board::Operation::Subtract:
        return { QColor(0x1e, 0x9e, 0xe8), u"减"_s, u"-"_s };
    case Board::Operation::Multiply:
        return { QColor(0xa8, 0x4c, 0xe0), u"乘"_s, u"*"_s };
    case Board::Operation::Divide:
        break;
    }
    return { QColor(0xf0, 0x3e, 0x7a), u"除"_s, u"/"_s };
}

// The sign as strokes around the centre, in a box of half-width r.
QPainterPath signPath(Board::Operation operation, qreal r)
{
    QPainterPath path;
    switch (operation) {
    case Board::Operation::Add:
        path.moveTo(-r, 0);
        path.lineTo(r, 0);
        path.moveTo(0, -r);
        path.lineTo(0, r);
        break;
    case Board::Operation::Subtract:
    case Board::Operation::Divide:
        path.moveTo(-r, 0);
        path.lineTo(r, 0);
        break;
    case Board::Operation::Multiply: {
        const qreal d = r * 0.78;
        path.moveTo(-d, -d);
        path.lineTo(d, d);
        path.moveTo(d, -d);
        path.lineTo(-d, d);
        break;
    }
    }
    return path;
}

} // namespace

OperationButton::OperationButton(Board::Operation operation, QWidget *parent)
    : QAbstractButton(parent)
    , m_operation(operation)
{
    const Look look = lookOf(operation);
    setCheckable(true);
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    // The keys belong to the window; a focused toggle would take Space for itself.
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(look.name);
    setToolTip(u"%1（键盘 %2）"_s.arg(look.name, look.key));
}

QSize OperationButton::sizeHint() const
{
    return { kDiameter + 8, kDiameter + 10 };
}

void OperationButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Look look = lookOf(m_operation);
    const bool on = isChecked();
    const bool pressed = isDown();
    const qreal lift = on || pressed ? 2 : 0;
    const QRectF disc(4, 4 + lift, kDiameter, kDiameter);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x14, 0x3c, 0x28, on ? 50 : 70));
    painter.drawEllipse(disc.translated(0, on || pressed ? 2 : 5));

    // Chosen: the full colour with a white sign and a ring of light; otherwise a pale face
    // with the sign in colour, so that the chosen one shows at a glance.
    QRadialGradient face(
        disc.center() - QPointF(disc.width() * 0.18, disc.height() * 0.22), disc.width() * 0.75);
    if (on) {
        face.setColorAt(0, look.colour.lighter(135));
        face.setColorAt(1, look.colour.darker(112));
    } else {
        face.setColorAt(0, Qt::white);
        face.setColorAt(1, underMouse() ? look.colour.lighter(165) : look.colour.lighter(182));
    }
    painter.setBrush(face);
    painter.setPen(QPen(on ? look.colour.darker(150) : look.colour, 3));
    painter.drawEllipse(disc.adjusted(1.5, 1.5, -1.5, -1.5));
    if (on) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(255, 255, 255, 200), 2.5));
        painter.drawEllipse(disc.adjusted(6, 6, -6, -6));
    }
    // Gloss across the top.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, on ? 70 : 120));
    painter.drawEllipse(QRectF(disc.left() + disc.width() * 0.22, disc.top() + 6,
        disc.width() * 0.56, disc.height() * 0.26));

    painter.translate(disc.center());
    const qreal r = kDiameter * 0.24;
    const QPainterPath sign = signPath(m_operation, r);
    const QColor ink = on ? Qt::white : look.colour.darker(118);
    if (on)
        painter.strokePath(sign, QPen(look.colour.darker(160), 12, Qt::SolidLine, Qt::RoundCap));
    painter.strokePath(sign, QPen(ink, 8, Qt::SolidLine, Qt::RoundCap));
    if (m_operation == Board::Operation::Divide) {
        const qreal dot = 5.2;
        for (const qreal y : { -r * 0.72, r * 0.72 }) {
            if (on) {
                painter.setBrush(look.colour.darker(160));
                painter.drawEllipse(QPointF(0, y), dot + 2, dot + 2);
            }
            painter.setBrush(ink);
            painter.drawEllipse(QPointF(0, y), dot, dot);
        }
    }
}
