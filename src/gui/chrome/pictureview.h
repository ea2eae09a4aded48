#pragma once

#include <QWidget>

// A picture of the registry shown at its own size, drawn again at the pixel ratio of whatever
// screen the window is on.
class PictureView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureView)

public:
    explicit PictureView(int number, QWidget *parent = nullptr);

    int number() const { return m_number; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_number;
};
