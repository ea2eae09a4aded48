#pragma once

#include "game24/board.h"

#include <QWidget>

// One card of the 24-point board, drawn large enough to be read from across a classroom: a
// value and the board's state of the card (white with red figures, red with white when chosen,
// grey when used up). It keeps no rules; a click goes to the window, which asks the board.
class Game24Card final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Game24Card)

public:
    enum class Kind { Number, Result, Final };

    Game24Card(int index, Kind kind, QWidget *parent = nullptr);

    int index() const { return m_index; }
    QString caption() const { return m_caption; }
    Board::CardState state() const { return m_state; }
    void setCard(const QString &caption, Board::CardState state);

    // The face colour and the figure colour of a state.
    static QColor faceColour(Board::CardState state);
    static QColor figureColour(Board::CardState state);

signals:
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void paintEmpty(QPainter &painter, const QRectF &face) const;
    void paintKeyHint(QPainter &painter, const QRectF &face) const;

    int m_index;
    Kind m_kind;
    QString m_caption;
    Board::CardState m_state = Board::CardState::Normal;
};
