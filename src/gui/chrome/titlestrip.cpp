#include "titlestrip.h"

#include "cjkfont.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

TitleStrip::TitleStrip(const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_title(title)
{
    setFixedHeight(kHeight);
}

void TitleStrip::setTitle(const QString &title)
{
    m_title = title;
    update();
}

void TitleStrip::setSubtitle(const QString &subtitle)
{
    m_subtitle = subtitle;
    update();
}

void TitleStrip::setVersion(const QString &version)
{
    m_version = version;
    update();
}

void TitleStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF band = rect();
    QLinearGradient face(band.topLeft(), band.bottomLeft());
    face.setColorAt(0, QColor(0x5c, 0xb6, 0xf0));
    face.setColorAt(0.5, QColor(0x32, 0x96, 0xe0));
    face.setColorAt(1, QColor(0x1f, 0x78, 0xc8));
    painter.fillRect(band, face);
    painter.fillRect(QRectF(0, 0, band.width(), band.height() * 0.45), QColor(255, 255, 255, 46));
    painter.setPen(QColor(0x15, 0x5a, 0x9c));
    painter.drawLine(
        QPointF(0, band.bottom() + 0.5), QPointF(band.right() + 1, band.bottom() + 0.5));

    qreal x = 12;
    const qreal baseline = band.height() / 2;
    auto drawText = [&](const QString &text, const QFont &font, const QColor &colour) {
        const QFontMetricsF metrics(font);
        const qreal y = baseline + (metrics.ascent() - metrics.descent()) / 2;
        painter.setFont(font);
        // A darker copy one pixel lower keeps white text legible on the light part of the band.
        painter.setPen(QColor(0x0d, 0x4a, 0x85, 150));
        painter.drawText(QPointF(x, y + 1), text);
        painter.setPen(colour);
        painter.drawText(QPointF(x, y), text);
        x += metrics.horizontalAdvance(text);
    };

    drawText(m_title, cjkFont(12, true), Qt::white);
    if (!m_subtitle.isEmpty()) {
        x += 6;
        drawText(m_subtitle, cjkFont(9.5), QColor(0xe8, 0xf6, 0xff));
    }
    if (!m_version.isEmpty()) {
        x += 10;
        const QFont font = cjkFont(8, true);
        const QFontMetricsF metrics(font);
        const QRectF pill(x, baseline - 8, metrics.horizontalAdvance(m_version) + 14, 16);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xff, 0xc8, 0x3d));
        painter.drawRoundedRect(pill, 8, 8);
        painter.setFont(font);
        painter.setPen(QColor(0x7a, 0x3e, 0x00));
        painter.drawText(pill, Qt::AlignCenter, m_version);
    }
}
