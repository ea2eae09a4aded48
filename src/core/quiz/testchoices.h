#pragma once

#include <QString>

// The level and count a type's test starts with, as setting "txb" keeps them.
struct TestChoices
{
    qint16 level = 1;
    int count = 20;

    static constexpr int kMinCount = 10;
    static constexpr int kMaxCount = 100;

    // A value that does not read falls back to level 1 and 20 questions.
    static TestChoices fromSetting(const QString &value, qint16 type);
    QString toSetting() const;
};
