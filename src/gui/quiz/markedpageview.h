#pragma once

#include "quiz/sheetmarking.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QWidget>

// A photographed page as the reader straightened it, with what it read drawn over each
// answer: the digits, and ✓ in green, ✗ in red or ? in amber where it is not sure. The marks
// are drawn at the screen's resolution, the page scaled to the view's width. A click on a room
// chooses it, and the chosen room is framed.
class MarkedPageView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MarkedPageView)

public:
    struct Mark
    {
        QRectF room; // in the page image's pixels
        QString digits;
        Verdict verdict = Verdict::Unsure;
    };

    explicit MarkedPageView(QWidget *parent = nullptr);

    // current: the index of the chosen mark, -1 for none.
    void setPage(const QImage &page, const QList<Mark> &marks, int current = -1);
    const QList<Mark> &marks() const { return m_marks; }
    int current() const { return m_current; }
    // Where a mark lies in the view, for the scroll area to show it.
    QRect markRect(int index) const;

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

signals:
    void roomClicked(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    double scale() const;

    QImage m_page;
    QList<Mark> m_marks;
    int m_current = -1;
};
