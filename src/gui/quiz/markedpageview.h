#pragma once

#include "quiz/sheetmarking.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QWidget>

// A photographed page as the reader straightened it, with what it read drawn over each
// answer: the digits, and ✓ in green, ✗ in red or ? in amber where it is not sure. The marks
// are drawn at the screen's resolution, the page scaled to the view's width.
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

    void setPage(const QImage &page, const QList<Mark> &marks);
    const QList<Mark> &marks() const { return m_marks; }

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_page;
    QList<Mark> m_marks;
};
