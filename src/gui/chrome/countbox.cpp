#include "countbox.h"

#include <algorithm>

CountBox::CountBox(QWidget *parent)
    : QSpinBox(parent)
{
    // Below the range the number may still be on its way ("5" before "50"): it becomes the
    // least count only when it is used.
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State CountBox::validate(QString &text, int &pos) const
{
    const QValidator::State state = QSpinBox::validate(text, pos);
    if (state != QValidator::Invalid)
        return state;
    // Above the range no further digit can bring it back: it is the largest count now.
    const QString digits = text.trimmed();
    const bool allDigits = !digits.isEmpty()
        && std::all_of(
            digits.cbegin(), digits.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!allDigits)
        return state;
    text = textFromValue(maximum());
    pos = int(text.size());
    return QValidator::Acceptable;
}
