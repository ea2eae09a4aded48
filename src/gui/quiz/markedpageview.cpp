#include "markedpageview.h"

#include "cjkfont.h"

#include <QFontMetricsF>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace {

QColor inkOf(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Right:
        return QColor(0x1e8e3e);
    case Verdict::Wrong:
        return QColor(0xd93025);
    case Verdict::Unsure:
        break;
    }
    return QColor(0xe69500);
}

QString signOf(Verdict verdict)
{
    return verdict == Verdict::Right ? u"✓"_s : verdict == Verdict::Wrong ? u"✗"_s : u"?"_s;
}

} // namespace

MarkedPageView::MarkedPageView(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void MarkedPageView::setPage(const QImage &page, const QList<Mark> &marks)
{
    m_page = page;
    m_marks = marks;
    updateGeometry();
    update();
}

QSize MarkedPageView::sizeHint() const
{
    return { 400, heightForWidth(400) };
}

int MarkedPageView::heightForWidth(int width) const
{
    return m_page.isNull() ? 0 : int(double(width) * m_page.height() / m_page.width());
}

void MarkedPageView::paintEvent(QPaintEvent *)
{
    if (m_page.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = double(width()) / m_page.width();
    painter.drawImage(QRectF(0, 0, width(), m_page.height() * scale), m_page);
    for (const Mark &mark : std::as_const(m_marks)) {
        const QRectF room(mark.room.topLeft() * scale, mark.room.size() * scale);
        const QColor ink = inkOf(mark.verdict);
        painter.setPen(QPen(ink, 1.5));
        painter.setBrush(QColor(ink.red(), ink.green(), ink.blue(), 28));
        painter.drawRoundedRect(room, 3, 3);
        // What was read and the sign on a tag at the room's top right corner, over as little of
        // the handwriting as can be.
        const QFont font = cjkFont(std::clamp(room.height() * 0.3, 7.0, 12.0), true);
        const QString tag
            = (mark.digits.isEmpty() ? QString() : mark.digits + u' ') + signOf(mark.verdict);
        const QSizeF size = QFontMetricsF(font).size(Qt::TextSingleLine, tag) + QSizeF(6, 0);
        const QRectF tagRect(room.right() - size.width(), room.top() - size.height() / 3,
            size.width(), size.height());
        painter.setPen(QPen(ink, 1));
        painter.setBrush(QColor(255, 255, 255, 225));
        painter.drawRoundedRect(tagRect, 3, 3);
        painter.setFont(font);
        painter.drawText(tagRect, Qt::AlignCenter, tag);
    }
}
