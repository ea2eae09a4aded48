#pragma once

#include <QString>

// A question line carries a question and its answer after the one "＝".
struct QuestionParts
{
    QString question; // up to and including the first "＝"
    QString answer; // the rest, without blanks at either end
};

QuestionParts splitQuestionLine(const QString &line);

inline constexpr char16_t kEqualsSign = u'＝';
