#pragma once

#include "game24/board.h"

#include <QAbstractButton>

// A big round toggle for one of the four operations of the 24-point game. The sign is drawn,
// not typed, so that + − × ÷ have one weight and size and stay crisp at any pixel ratio.
class OperationButton final : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OperationButton)

public:
    static constexpr int kDiameter = 74;

    explicit OperationButton(Board::Operation operation, QWidget *parent = nullptr);

    Board::Operation operation() const { return m_operation; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Board::Operation m_operation;
};
