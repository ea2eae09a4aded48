#pragma once

#include <QByteArray>
#include <QString>

// UTF-8 on standard output, written in large blocks. The exit status of a
// command is 1 when its output could not be written.
class OutputBuffer
{
public:
    void line(const QString &text);
    int finish();

private:
    void drain();

    QByteArray m_pending;
    bool m_failed = false;
};

void writeOut(const QString &text);
int flushOut();
void writeError(const QString &text);
