#pragma once

#include <QList>
#include <QString>

// The pages a user names for printing: comma-separated entries, each a page
// ("4"), a range ("6-8"), an open start ("-2": from page 1) or an open end
// ("10-": to the last page). A Chinese input method's full-width commas,
// hyphens and digits read like their ASCII twins, and blanks around entries
// are allowed. The text is read without a page count, so that one text can
// select from documents of any length: pages past the last are simply not
// there to print.
class PageRange
{
public:
    static PageRange read(const QString &text);

    bool isValid() const { return m_error.isEmpty(); }
    // Why the text is not a page range; empty when it is one.
    const QString &error() const { return m_error; }

    // The pages it names within 1..pageCount, ascending, each once; empty
    // when it names none of them.
    QList<int> pagesOf(int pageCount) const;

private:
    struct Span
    {
        int first;
        int last;
    };

    QList<Span> m_spans;
    QString m_error;
};
