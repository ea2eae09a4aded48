#pragma once

#include <QWidget>

// The ground of the 24-point window: a soft sky, the green card table, the notebook for the
// step lines and the boxes of the verdict and the answer, drawn in resources/pictures from
// the numbers of game24layout.h. It lies behind every other widget and stands for the
// window's background.
class Game24Backdrop final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Game24Backdrop)

public:
    explicit Game24Backdrop(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
