#pragma once

#include <QSpinBox>

// A box for a count within a range. A number typed past either end becomes that end as it is
// typed or used, rather than the keystroke being refused: "150" in a box of 10 to 100 shows
// 100, where a plain spin box would keep the "15" typed before the refused "0".
class CountBox : public QSpinBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CountBox)

public:
    explicit CountBox(QWidget *parent = nullptr);

protected:
    QValidator::State validate(QString &text, int &pos) const override;
};
