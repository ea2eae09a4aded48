#pragma once

#include "blankform.h"
#include "carrykind.h"

#include <QString>

// What a question is asked as: its type and level, whether it must carry or borrow, and
// which operand, if any, the child fills in.
struct QuestionForm
{
    qint16 type = 1;
    qint16 level = 1;
    CarryKind carry = CarryKind::Any;
    BlankPlace blank = BlankPlace::None;

    // Why no question of the form can be made, in Chinese; empty when one can.
    QString problem() const;

    static bool offersBlank(qint16 type, BlankPlace place);
    // "不填空", "填第一个数" … "任填一个数", as the choice reads.
    static QString blankName(BlankPlace place);
    // "进位", "不退位", "进位或退位" … as the choice reads for the type.
    static QString carryName(qint16 type, CarryKind kind);

    friend bool operator==(const QuestionForm &, const QuestionForm &) = default;
};
