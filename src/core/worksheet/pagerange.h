#pragma once

#include <QList>
#include <QString>

// The pages a user names for printing: comma-separated entries, each a page
// ("4"), a range ("6-8"), an open start ("-2": pages 1 to 2) or an open end
// ("10-": page 10 to the last). Blanks around entries are allowed.
struct PageRange
{
    QList<int> pages; // ascending, each once, all within 1..pageCount
    QString error; // why the text was refused; empty when it was accepted

    bool isValid() const { return error.isEmpty(); }
};

PageRange parsePageRange(const QString &text, int pageCount);
