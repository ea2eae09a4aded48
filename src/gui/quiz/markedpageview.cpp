#include "markedpageview.h"

#include "quizlayout.h"

#include "cjkfont.h"

#include <QMouseEvent>

#include <QFontMetricsF>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace {

QColor inkOf(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Right:
        return QColor(quizpalette::kReadRight);
    case Verdict::Wrong:
        return QColor(quizpalette::kReadWrong);
    case Verdict::Unsure:
        break;
    }
    return QColor(quizpalette::kUnsureInk);
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

void MarkedPageView::setPage(const QImage &page, const QList<Mark> &marks, int current)
{
    m_page = page;
    m_marks = marks;
    m_current = current;
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
    const double scale = this->scale();
    painter.drawImage(QRectF(0, 0, width(), m_page.height() * scale), m_page);
    for (qsizetype i = 0; i < m_marks.size(); ++i) {
        const Mark &mark = m_marks.at(i);
        const QRectF room(mark.room.topLeft() * scale, mark.room.size() * scale);
        const QColor ink = inkOf(mark.verdict);
        if (i == m_current) {
            painter.setPen(QPen(QColor(quizpalette::kCheckedRoom), 3));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(room.adjusted(-3, -3, 3, 3), 4, 4);
        }
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

double MarkedPageView::scale() const
{
    return m_page.isNull() ? 1.0 : double(width()) / m_page.width();
}

QRect MarkedPageView::markRect(int index) const
{
    if (index < 0 || index >= m_marks.size())
        return {};
    const QRectF room = m_marks.at(index).room;
    return QRectF(room.topLeft() * scale(), room.size() * scale()).toAlignedRect();
}

void MarkedPageView::mousePressEvent(QMouseEvent *event)
{
    // A little around each room, as a finger or a shaky hand aims.
    for (qsizetype i = 0; i < m_marks.size(); ++i) {
        if (QRectF(markRect(int(i))).adjusted(-4, -4, 4, 4).contains(event->position())) {
            emit roomClicked(int(i));
            return;
        }
    }
    QWidget::mousePressEvent(event);
}
