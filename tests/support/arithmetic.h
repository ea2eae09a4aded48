#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <cmath>

// Evaluates the question half of a line independently of the generators:
// usual precedence, parentheses, every division checked for exactness and
// every intermediate result for sign. Given values for letters, it also reads
// the bounds a test writes down: ASCII signs, decimal fractions, min(x,y),
// max(x,y), int(x) (the integer part) and near(x) (halves to even), in double
// precision and in the order written, as the ranges they restate are worked out.
struct Evaluation
{
    bool parsed = false;
    double value = 0;
    bool exactDivisions = true;
    bool nonNegative = true;
    QList<qint64> numbers; // every number written, in order
};

class ExpressionEvaluator
{
public:
    // letters: the values of a to z, for a bound.
    static Evaluation evaluate(QStringView question, const double *letters = nullptr)
    {
        ExpressionEvaluator e(question, letters);
        e.m_result.value = e.sum();
        e.skipBlanks();
        e.m_result.parsed = e.m_ok && e.m_pos == e.m_text.size();
        return e.m_result;
    }

private:
    ExpressionEvaluator(QStringView text, const double *letters)
        : m_text(text)
        , m_letters(letters)
    { }

    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text[m_pos] == u' ')
            ++m_pos;
    }
    char16_t peek()
    {
        skipBlanks();
        return m_pos < m_text.size() ? m_text[m_pos].unicode() : u'\0';
    }
    bool take(char16_t ch)
    {
        if (peek() != ch)
            return false;
        ++m_pos;
        return true;
    }
    void note(double v)
    {
        if (v < 0)
            m_result.nonNegative = false;
    }
    double sum()
    {
        double v = product();
        for (;;) {
            if (take(u'＋') || take(u'+'))
                v += product();
            else if (take(u'－') || take(u'-'))
                v -= product();
            else
                return v;
            note(v);
        }
    }
    double product()
    {
        double v = factor();
        for (;;) {
            if (take(u'×') || take(u'*')) {
                v *= factor();
            } else if (take(u'÷') || take(u'/')) {
                const double divisor = factor();
                if (divisor == 0 || std::fmod(v, divisor) != 0)
                    m_result.exactDivisions = false;
                v /= divisor;
            } else {
                return v;
            }
            note(v);
        }
    }
    double factor()
    {
        if (take(u'(')) {
            const double v = sum();
            m_ok = m_ok && take(u')');
            return v;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] >= u'a' && m_text[m_pos] <= u'z')
            ++m_pos;
        if (m_pos - start == 1)
            return letter(m_text[start]);
        if (m_pos > start)
            return function(m_text.sliced(start, m_pos - start));
        // Digits, and after a point the digits of a fraction: the nearest double to a
        // decimal is its digits divided by a power of ten, both exact.
        double digits = 0;
        double scale = 1;
        bool point = false;
        for (; m_pos < m_text.size(); ++m_pos) {
            const char16_t ch = m_text[m_pos].unicode();
            if (ch == u'.' && !point)
                point = true;
            else if (ch >= u'0' && ch <= u'9')
                digits = digits * 10 + (ch - u'0'), scale *= point ? 10 : 1;
            else
                break;
        }
        m_ok = m_ok && m_pos > start && m_text[m_pos - 1] != u'.';
        if (!m_letters)
            m_result.numbers << qint64(digits);
        return digits / scale;
    }
    double letter(QChar name)
    {
        const double v = m_letters ? m_letters[name.unicode() - u'a'] : qQNaN();
        m_ok = m_ok && !std::isnan(v);
        return v;
    }
    double function(QStringView name)
    {
        m_ok = m_ok && take(u'(');
        const double x = sum();
        const double y = take(u',') ? sum() : x;
        m_ok = m_ok && take(u')');
        if (name == u"min")
            return std::min(x, y);
        if (name == u"max")
            return std::max(x, y);
        if (name == u"int")
            return std::trunc(x);
        m_ok = m_ok && name == u"near";
        return std::nearbyint(x); // the default rounding mode sends halves to even
    }

    QStringView m_text;
    const double *m_letters;
    qsizetype m_pos = 0;
    bool m_ok = true;
    Evaluation m_result;
};
