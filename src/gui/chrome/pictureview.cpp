#include "pictureview.h"

#include "pictureregistry.h"

#include <QPainter>

PictureView::PictureView(int number, QWidget *parent)
    : QWidget(parent)
    , m_number(number)
{
    setFixedSize(PictureRegistry::pictureSize(number));
    setAttribute(Qt::WA_TranslucentBackground);
}

void PictureView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, PictureRegistry::pixmap(m_number, devicePixelRatioF()));
}
