#include "game24backdrop.h"

#include "game24layout.h"
#include "chrome/pictureregistry.h"
#include "chrome/windowchrome.h"

#include <QPainter>

Game24Backdrop::Game24Backdrop(QWidget *parent)
    : QWidget(parent)
{
    setGeometry(QRect(QPoint(0, 0), game24layout::kWindow));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Game24Backdrop::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    WindowChrome::paintBackdrop(painter, this, PictureRegistry::kGame24Backdrop);
}
