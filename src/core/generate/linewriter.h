#pragma once

#include "checked16.h"

#include <QString>

#include <string_view>

// The values a written form refers to by letter.
struct Operands
{
    Int16 a, b, c, d, q, r, s;

    qint16 byLetter(char16_t letter) const;
};

// Builds one question line in a fixed buffer, so that a line costs exactly
// one allocation: the QString it ends as.
class LineWriter
{
public:
    LineWriter &text(std::u16string_view literal);
    LineWriter &plain(qint16 value);
    LineWriter &centered(qint16 value, int width);

    // Writes a form such as u" a2 ＋ b ＝ s3" or u"(a＋b)×c＝r": each of the
    // letters a b c d q r s stands for that operand, written plain or, when a
    // digit follows, centred in a field of that width; everything else is
    // copied as it stands.
    LineWriter &form(std::u16string_view form, const Operands &values);

    QString toString() const;

private:
    void put(char16_t ch);

    static constexpr int kCapacity = 64;
    char16_t m_buffer[kCapacity];
    int m_length = 0;
};

// A whole line written from one form.
QString writeForm(std::u16string_view form, const Operands &values);
