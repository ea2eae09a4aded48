#pragma once

#include "sheetdocument.h"
#include "sheetlayout.h"

#include <QFont>
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
    // The point size the cells are drawn in: the chosen one, or smaller when
    // the widest line or the row height would not hold it.
    qreal cellPoints() const { return m_cellPoints; }

    // Paints page (0-based) on a painter whose device has dpiX × dpiY dots
    // per inch, with the paper's corner at the painter's origin.
    void paintPage(QPainter &painter, int page, qreal dpiX, qreal dpiY) const;

    // Prints the pages given (1-based; all when empty) on a paged device set
    // up for A4 portrait with the paper's corner at its origin.
    void print(QPagedPaintDevice &device, const QList<int> &pages = {}) const;

    // "\t"-separated sections with "\p" and "\P" filled in.
    static QStringList pageTextSections(const QString &text, int page, int pageCount);

private:
    void paintPageText(QPainter &painter, const QRectF &rect, const QString &text, qreal points,
                       int page) const;

    SheetDocument m_document;
    SheetLayout m_layout;
    QFont m_cellFont;
    qreal m_cellPoints;
};

// Writes the sheet as a PDF with embedded fonts and the sheet's title. The
// file appears whole or not at all; on failure error says why, in Chinese.
bool writeSheetPdf(const SheetDocument &document, const QString &path, QString *error);
