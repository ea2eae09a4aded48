#pragma once

#include "worksheet/sheetdocument.h"

#include "mistakebook.h"

#include <QDateTime>
#include <QList>

// The wrong-answer book laid out as a worksheet with its answer sheet, titled
// "错题本" and the date.
struct MistakeSheets
{
    SheetDocument questions;
    SheetDocument answers;
};

MistakeSheets mistakeSheets(const QList<Mistake> &mistakes, qint16 columns, const QDateTime &now);
