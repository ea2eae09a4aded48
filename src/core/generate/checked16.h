#pragma once

#include <QtGlobal>

#include <cmath>
#include <stdexcept>

// Operands, counts and levels are 16-bit. Arithmetic on them goes through
// these helpers, so that a value that does not fit is an error, never a wrap.
namespace checked16 {

[[noreturn]] inline void overflow()
{
    throw std::overflow_error("16-bit overflow");
}

inline qint16 add(qint16 x, qint16 y)
{
    qint16 result;
    if (__builtin_add_overflow(x, y, &result))
        overflow();
    return result;
}

inline qint16 sub(qint16 x, qint16 y)
{
    qint16 result;
    if (__builtin_sub_overflow(x, y, &result))
        overflow();
    return result;
}

inline qint16 mul(qint16 x, qint16 y)
{
    qint16 result;
    if (__builtin_mul_overflow(x, y, &result))
        overflow();
    return result;
}

// An already integral double (from floor or roundHalfEven) brought to 16 bits.
inline qint16 fromDouble(double value)
{
    if (!(value >= -32768.0 && value <= 32767.0))
        overflow();
    return qint16(value);
}

} // namespace checked16

// A 16-bit operand whose arithmetic is checked, so that a generator's
// formulas read as written and still never wrap.
class Int16
{
public:
    constexpr Int16() = default;
    constexpr Int16(int value)
        : m_value(qint16(value))
    {
        if (value < -32768 || value > 32767)
            checked16::overflow();
    }

    constexpr qint16 value() const { return m_value; }
    double real() const { return m_value; }

    friend Int16 operator+(Int16 x, Int16 y) { return checked16::add(x.m_value, y.m_value); }
    friend Int16 operator-(Int16 x, Int16 y) { return checked16::sub(x.m_value, y.m_value); }
    friend Int16 operator*(Int16 x, Int16 y) { return checked16::mul(x.m_value, y.m_value); }
    friend auto operator<=>(Int16 x, Int16 y) = default;

private:
    qint16 m_value = 0;
};
