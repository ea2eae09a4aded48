#include "output.h"

#include <cstdio>

void OutputBuffer::line(const QString &text)
{
    m_pending += text.toUtf8();
    m_pending += '\n';
    if (m_pending.size() >= 1 << 16)
        drain();
}

void OutputBuffer::drain()
{
    if (!m_pending.isEmpty()
        && std::fwrite(m_pending.constData(), 1, size_t(m_pending.size()), stdout)
            != size_t(m_pending.size()))
        m_failed = true;
    m_pending.clear();
}

int OutputBuffer::finish()
{
    drain();
    return (std::fflush(stdout) != 0 || m_failed) ? 1 : 0;
}

void writeOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

int flushOut()
{
    return (std::fflush(stdout) != 0 || std::ferror(stdout)) ? 1 : 0;
}

void writeError(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}
