#include "linewriter.h"

#include <stdexcept>

qint16 Operands::byLetter(char16_t letter) const
{
    switch (letter) {
    case u'a':
        return a.value();
    case u'b':
        return b.value();
    case u'c':
        return c.value();
    case u'd':
        return d.value();
    case u'q':
        return q.value();
    case u'r':
        return r.value();
    case u's':
        return s.value();
    }
    throw std::invalid_argument("form names an unknown operand");
}

void LineWriter::put(char16_t ch)
{
    if (m_length == kCapacity)
        throw std::length_error("question line too long");
    m_buffer[m_length++] = ch;
}

LineWriter &LineWriter::text(std::u16string_view literal)
{
    for (char16_t ch : literal)
        put(ch);
    return *this;
}

LineWriter &LineWriter::plain(qint16 value)
{
    return centered(value, 0);
}

LineWriter &LineWriter::centered(qint16 value, int width)
{
    char16_t digits[8];
    int count = 0;
    // Through int so that -32768 has a magnitude.
    int magnitude = value < 0 ? -int(value) : int(value);
    do {
        digits[count++] = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    const int length = count + (value < 0 ? 1 : 0);

    const int spare = width > length ? width - length : 0;
    const int right = spare / 2;
    for (int i = 0; i < spare - right; ++i)
        put(u' ');
    if (value < 0)
        put(u'-');
    while (count > 0)
        put(digits[--count]);
    for (int i = 0; i < right; ++i)
        put(u' ');
    return *this;
}

static bool isOperandLetter(char16_t ch)
{
    return ch == u'a' || ch == u'b' || ch == u'c' || ch == u'd' || ch == u'q' || ch == u'r'
        || ch == u's';
}

LineWriter &LineWriter::form(std::u16string_view form, const Operands &values)
{
    for (size_t i = 0; i < form.size(); ++i) {
        const char16_t ch = form[i];
        if (!isOperandLetter(ch)) {
            put(ch);
            continue;
        }
        int width = 0;
        if (i + 1 < form.size() && form[i + 1] >= u'1' && form[i + 1] <= u'9')
            width = form[++i] - u'0';
        centered(values.byLetter(ch), width);
    }
    return *this;
}

QString LineWriter::toString() const
{
    return QString(reinterpret_cast<const QChar *>(m_buffer), m_length);
}

QString writeForm(std::u16string_view form, const Operands &values)
{
    return LineWriter().form(form, values).toString();
}
