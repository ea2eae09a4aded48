#pragma once

#include "worksheet/sheetdocument.h"
#include "sheetlayout.h"

#include "output/progress.h"

#include <QList>

class QPagedPaintDevice;
class QPainter;

// Paints the pages of a sheet. Drawing happens in twips from the paper's top
// left corner, so the same code serves a PDF, a printer, a preview or an
// image; only the scale differs.
class SheetPainter
{
public:
    explicit SheetPainter(const SheetDocument &document);

    const SheetLayout &layout() const { return m_layout; }
    int pageCount() const { return m_layout.pageCount(); }

    // Paints page (0-based) on a painter whose device has dpiX × dpiY dots
    // per inch, with the paper's corner at the painter's origin.
    void paintPage(QPainter &painter, int page, qreal dpiX, qreal dpiY) const;

    // "\t"-separated sections with "\p" and "\P" filled in.
    static QStringList pageTextSections(const QString &text, int page, int pageCount);

private:
    explicit SheetPainter(FittedSheet fitted);
    // A 竖式 cell: its line, and its column form on squares below it.
    void paintColumnCell(QPainter &painter, const QRectF &cell, const QString &line) const;
    void paintPageText(
        QPainter &painter, const QRectF &rect, const QString &text, qreal points, int page) const;

    SheetDocument m_document;
    SheetLayout m_layout;
};

// A class set: sheets one after another, each starting on a new page and
// keeping its own page texts; pages are counted over the whole set.
int pageCountOf(const QList<SheetDocument> &documents);

// Prints the pages given (1-based over the set; all when empty) on a paged
// device set up for A4 portrait with the paper's corner at its origin.
// Progress counts a step for each sheet laid out, then one for each page
// painted; nothing reaches the device before every sheet is laid out. False
// when progress stopped the run.
bool printSheets(QPagedPaintDevice &device, const QList<SheetDocument> &documents,
    const QList<int> &pages = {}, const ProgressCallback &progress = {});

// Writes the pages given (as for printSheets) as one PDF with embedded fonts and the first
// sheet's title. The file appears whole or not at all; on failure error says why, in
// Chinese. Stopped by progress, it writes nothing and leaves error empty.
bool writeSheetsPdf(const QList<SheetDocument> &documents, const QString &path, QString *error,
    const QList<int> &pages = {}, const ProgressCallback &progress = {});
inline bool writeSheetPdf(const SheetDocument &document, const QString &path, QString *error)
{
    return writeSheetsPdf({ document }, path, error);
}
