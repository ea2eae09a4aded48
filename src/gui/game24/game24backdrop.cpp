#include "game24backdrop.h"

#include "game24layout.h"
#include "chrome/titlestrip.h"
#include "chrome/windowchrome.h"

#include <QPainter>
#include <QPainterPath>

using namespace game24layout;

namespace {

QColor rgba(QRgb value, int alpha = 255)
{
    QColor colour = QColor::fromRgb(value);
    colour.setAlpha(alpha);
    return colour;
}

void paintShadow(QPainter &painter, const QRectF &box, qreal radius)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(rgba(0x1d4a6e, 34));
    painter.drawRoundedRect(box.translated(0, 5), radius, radius);
    painter.setBrush(rgba(0x1d4a6e, 22));
    painter.drawRoundedRect(box.adjusted(-2, 0, 2, 9), radius + 2, radius + 2);
}

void paintSky(QPainter &painter)
{
    QLinearGradient sky(0, TitleStrip::kHeight, 0, kWindow.height());
    sky.setColorAt(0, rgba(0xbfe6ff));
    sky.setColorAt(0.55, rgba(0xe9f6ff));
    sky.setColorAt(1, rgba(0xfff1d6));
    painter.fillRect(QRect(QPoint(0, 0), kWindow), sky);

    // Soft bubbles of colour, as if balloons floated far behind the table.
    struct Bubble
    {
        QPointF centre;
        qreal radius;
        QRgb colour;
        int alpha;
    };
    const Bubble bubbles[] = {
        { { 360, 70 }, 46, 0xffffff, 110 },
        { { 560, 40 }, 30, 0xffd6e7, 120 },
        { { 860, 120 }, 60, 0xfff3b0, 110 },
        { { 30, 300 }, 54, 0xd7f5d0, 100 },
        { { 880, 520 }, 70, 0xffd9c2, 90 },
        { { 600, 600 }, 40, 0xe3d9ff, 110 },
        { { 250, 600 }, 36, 0xfff3b0, 100 },
        { { 700, 60 }, 22, 0xffffff, 140 },
    };
    painter.setPen(Qt::NoPen);
    for (const Bubble &bubble : bubbles) {
        painter.setBrush(rgba(bubble.colour, bubble.alpha));
        painter.drawEllipse(bubble.centre, bubble.radius, bubble.radius);
    }

    // A few twinkles about the level list and the progress.
    auto twinkle = [&painter](QPointF at, qreal r, QRgb colour) {
        QPainterPath path;
        path.moveTo(at + QPointF(0, -r));
        path.quadTo(at, at + QPointF(r, 0));
        path.quadTo(at, at + QPointF(0, r));
        path.quadTo(at, at + QPointF(-r, 0));
        path.quadTo(at, at + QPointF(0, -r));
        painter.setBrush(rgba(colour));
        painter.drawPath(path);
    };
    twinkle({ 346, 56 }, 8, 0xffc83d);
    twinkle({ 368, 76 }, 5, 0xff8fb1);
    twinkle({ 392, 52 }, 4, 0x7ec8ff);
    twinkle({ 600, 64 }, 7, 0xffc83d);
    twinkle({ 876, 64 }, 6, 0xff8fb1);
}

void paintTable(QPainter &painter)
{
    const QRectF table = kTable;
    paintShadow(painter, table, 20);
    QLinearGradient felt(table.topLeft(), table.bottomLeft());
    felt.setColorAt(0, rgba(0x5cc27e));
    felt.setColorAt(1, rgba(0x35985a));
    painter.setBrush(felt);
    painter.setPen(QPen(rgba(0x23703f), 3));
    painter.drawRoundedRect(table.adjusted(1.5, 1.5, -1.5, -1.5), 20, 20);
    // Stitching along the edge, and a light spot where the lamp shines.
    QPen stitch(rgba(0xffffff, 90), 1.6, Qt::DashLine);
    stitch.setDashPattern({ 3, 3 });
    painter.setPen(stitch);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(table.adjusted(8, 8, -8, -8), 14, 14);
    QRadialGradient lamp(table.center() - QPointF(0, 90), table.width() * 0.55);
    lamp.setColorAt(0, rgba(0xffffff, 46));
    lamp.setColorAt(1, rgba(0xffffff, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(lamp);
    painter.drawRoundedRect(table.adjusted(3, 3, -3, -3), 18, 18);

    // A chunky arrow from the two step results to the final card.
    const QRectF arrow = kArrow;
    const qreal mid = arrow.center().y();
    QPainterPath path;
    path.moveTo(arrow.left(), mid - 10);
    path.lineTo(arrow.right() - 30, mid - 10);
    path.lineTo(arrow.right() - 30, arrow.top());
    path.lineTo(arrow.right(), mid);
    path.lineTo(arrow.right() - 30, arrow.bottom());
    path.lineTo(arrow.right() - 30, mid + 10);
    path.lineTo(arrow.left(), mid + 10);
    path.closeSubpath();
    painter.setBrush(rgba(0x23703f, 110));
    painter.drawPath(path.translated(0, 3));
    painter.setBrush(rgba(0xfff3b0, 235));
    painter.setPen(QPen(rgba(0xd99a1e), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

void paintNotebook(QPainter &painter)
{
    const QRectF book = kNotebook;
    paintShadow(painter, book, 14);
    painter.setBrush(rgba(0xfffdf5));
    painter.setPen(QPen(rgba(0x7fa7d4), 2));
    painter.drawRoundedRect(book.adjusted(1, 1, -1, -1), 14, 14);

    // Ruled like an exercise book: a blue line under each step, a red margin.
    painter.setPen(QPen(rgba(0x9cc3ea), 1.4));
    for (const int row : kStepRows)
        painter.drawLine(QPointF(book.left() + 10, row + kStepHeight + 1.5),
            QPointF(book.right() - 10, row + kStepHeight + 1.5));
    painter.setPen(QPen(rgba(0xf4a3a3), 1.4));
    const qreal margin = kStepTextX - 8;
    painter.drawLine(QPointF(margin, book.top() + 44), QPointF(margin, book.bottom() - 8));

    // Rings of the binding along the top.
    for (qreal x = book.left() + 150; x < book.right() - 14; x += 26) {
        painter.setPen(QPen(rgba(0x7fa7d4), 1.4));
        painter.setBrush(rgba(0xe3f0ff));
        painter.drawEllipse(QPointF(x, book.top() + 18), 5, 5);
    }
}

void paintBox(QPainter &painter, const QRectF &box, QRgb border)
{
    painter.setBrush(rgba(0xffffff, 150));
    QPen dashes(rgba(border), 2, Qt::DashLine);
    dashes.setDashPattern({ 4, 3 });
    painter.setPen(dashes);
    painter.drawRoundedRect(box.adjusted(1, 1, -1, -1), 14, 14);
}

} // namespace

Game24Backdrop::Game24Backdrop(QWidget *parent)
    : QWidget(parent)
{
    setGeometry(QRect(QPoint(0, 0), kWindow));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Game24Backdrop::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_ground.isNull() || m_ground.devicePixelRatio() != ratio) {
        m_ground = QPixmap(size() * ratio);
        m_ground.setDevicePixelRatio(ratio);
        m_ground.fill(Qt::white);
        QPainter painter(&m_ground);
        painter.setRenderHint(QPainter::Antialiasing);
        paintGround(painter);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_ground);
}

void Game24Backdrop::paintGround(QPainter &painter) const
{
    paintSky(painter);
    paintTable(painter);
    paintNotebook(painter);
    paintBox(painter, kVerdictBox, 0xffb74d);
    paintBox(painter, kAnswerBox, 0x9cc3ea);

    // The band of the buttons along the bottom.
    painter.setPen(Qt::NoPen);
    painter.setBrush(rgba(0xffffff, 120));
    painter.drawRect(QRectF(0, kButtonRow - 9, kWindow.width(), kWindow.height() - kButtonRow + 9));
    painter.setPen(QPen(rgba(0xe0c48a), 1));
    painter.drawLine(QPointF(0, kButtonRow - 9.5), QPointF(kWindow.width(), kButtonRow - 9.5));

    painter.setPen(QPen(rgba(0x1f6fb8), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(WindowChrome::outlinePath(size()));
}
