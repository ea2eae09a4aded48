#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Evaluates the question half of a line independently of the generators:
// usual precedence, parentheses, every division checked for exactness and
// every intermediate result for sign.
struct Evaluation
{
    bool parsed = false;
    qint64 value = 0;
    bool exactDivisions = true;
    bool nonNegative = true;
    QList<qint64> numbers; // every number written, in order
};

class ExpressionEvaluator
{
public:
    static Evaluation evaluate(QStringView question)
    {
        ExpressionEvaluator e(question);
        e.m_result.value = e.sum();
        e.skipBlanks();
        e.m_result.parsed = e.m_ok && e.m_pos == e.m_text.size();
        return e.m_result;
    }

private:
    explicit ExpressionEvaluator(QStringView text)
        : m_text(text)
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
    void note(qint64 v)
    {
        if (v < 0)
            m_result.nonNegative = false;
    }
    qint64 sum()
    {
        qint64 v = product();
        for (;;) {
            const char16_t op = peek();
            if (op == u'＋' || op == u'+') {
                ++m_pos;
                v += product();
            } else if (op == u'－' || op == u'-') {
                ++m_pos;
                v -= product();
            } else {
                return v;
            }
            note(v);
        }
    }
    qint64 product()
    {
        qint64 v = factor();
        for (;;) {
            const char16_t op = peek();
            if (op == u'×') {
                ++m_pos;
                v *= factor();
            } else if (op == u'÷') {
                ++m_pos;
                const qint64 divisor = factor();
                if (divisor == 0 || v % divisor != 0) {
                    m_result.exactDivisions = false;
                    return 0;
                }
                v /= divisor;
            } else {
                return v;
            }
            note(v);
        }
    }
    qint64 factor()
    {
        const char16_t ch = peek();
        if (ch == u'(') {
            ++m_pos;
            const qint64 v = sum();
            if (peek() != u')') {
                m_ok = false;
                return 0;
            }
            ++m_pos;
            return v;
        }
        if (ch < u'0' || ch > u'9') {
            m_ok = false;
            return 0;
        }
        qint64 v = 0;
        while (m_pos < m_text.size() && m_text[m_pos] >= u'0' && m_text[m_pos] <= u'9')
            v = v * 10 + (m_text[m_pos++].unicode() - u'0');
        m_result.numbers << v;
        return v;
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    bool m_ok = true;
    Evaluation m_result;
};
