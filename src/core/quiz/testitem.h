#pragma once

#include <QString>

#include <optional>

// One question of an on-screen test as the items table keeps it.
struct TestItem
{
    qint64 id = 0; // mx_id: 0 until written
    int position = 0; // mx_xh: 1, 2, 3 … in question order
    QString question; // mx_mc: up to and including "＝"
    QString answer; // mx_daan
    QString userAnswer; // mx_user as digits; empty until answered
    std::optional<int> error; // mx_error: 0 right, 1 wrong, none until marked

    bool isAnswered() const { return !userAnswer.isEmpty(); }
};

// The item of a question line at a position: the question up to its "＝" and the answer
// after it, or a blank question and the number that fills it.
TestItem testItemOf(const QString &line, int position);

// The child's digits and the stored answer compared as numbers, so that a
// leading zero is no mistake.
bool answersMatch(const QString &typed, const QString &expected);

// How a length of time is written: as the records keep it, "01:02:05", or in words for a
// tool tip, "2 分 30 秒", where a whole minute drops its seconds.
enum class TimeForm { Clock, Words };

QString elapsedText(qint64 seconds, TimeForm form = TimeForm::Clock);
