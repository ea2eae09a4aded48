#pragma once

#include <QString>

#include <optional>

// What the code printed on a scannable page says: the sheet's number, the page of it, and a
// check that ties the page to the data file it was printed from and to the questions filed
// there under the number (ScannableSheet::pageCheck). The payload is digits only, so that the
// code stays small (version 1) and reads from a phone's photo of a whole sheet.
struct PageCode
{
    QString sheetNumber; // "05_3_60_20110830063648", as the sheet's number is written
    int page = 1; // 1-based
    QString check; // seven digits

    QString payload() const;
    // Nothing where the text is not a payload of this program.
    static std::optional<PageCode> read(const QString &payload);

    friend bool operator==(const PageCode &, const PageCode &) = default;
};
