#include "sheetpainter.h"

#include "output/outputfile.h"

#include "cjkfont.h"
#include "columnformpainter.h"
#include "scanpage.h"

#include <QDir>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

SheetPainter::SheetPainter(const SheetDocument &document)
    : SheetPainter(fittedToFloor(document))
{ }

SheetPainter::SheetPainter(FittedSheet fitted)
    : m_document(std::move(fitted.document))
    , m_layout(std::move(fitted.layout))
{ }

QStringList SheetPainter::pageTextSections(const QString &text, int page, int pageCount)
{
    QString filled = text;
    filled.replace(u"\\p"_s, QString::number(page));
    filled.replace(u"\\P"_s, QString::number(pageCount));
    QStringList sections = filled.split(u"\\t"_s);
    while (sections.size() < 3)
        sections << QString();
    return sections.mid(0, 3);
}

void SheetPainter::paintPageText(
    QPainter &painter, const QRectF &rect, const QString &text, qreal points, int page) const
{
    painter.setFont(inTwips(paperFont(), points));
    const QStringList sections = pageTextSections(text, page + 1, pageCount());
    const Qt::Alignment alignments[3] = { Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight };
    for (int i = 0; i < 3; ++i) {
        if (!sections.at(i).isEmpty())
            painter.drawText(
                rect, int(alignments[i] | Qt::AlignVCenter) | Qt::TextSingleLine, sections.at(i));
    }
}

void SheetPainter::paintPage(QPainter &painter, int page, qreal dpiX, qreal dpiY) const
{
    if (page < 0 || page >= pageCount())
        return;
    painter.save();
    painter.scale(dpiX / 1440.0, dpiY / 1440.0);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);

    if (!m_document.scanNumber.isEmpty())
        scanpage::paintMarks(
            painter, { m_document.scanNumber, page + 1, m_document.scanChecks.value(page) });
    paintPageText(painter, m_layout.headerRect, m_document.header, m_document.headerPoints, page);
    paintPageText(painter, m_layout.footerRect, m_document.footer, m_document.footerPoints, page);

    painter.setFont(m_layout.cellFont());
    const SheetLayout::Page &rows = m_layout.pages.at(page);
    for (int r = 0; r < rows.rowCount; ++r) {
        const QStringList &cells = m_document.rows.at(rows.firstRow + r);
        for (int c = 0; c < std::min<int>(m_layout.columns, int(cells.size())); ++c) {
            const QRectF cell = m_layout.cellRect(r, c);
            if (m_document.vertical) {
                paintColumnCell(painter, cell, cells.at(c));
                continue;
            }
            painter.drawText(cell.adjusted(SheetLayout::kCellPadding, 0, 0, 0),
                int(Qt::AlignLeft | Qt::AlignVCenter) | Qt::TextSingleLine, cells.at(c));
        }
    }
    painter.restore();
}

void SheetPainter::paintColumnCell(QPainter &painter, const QRectF &cell, const QString &line) const
{
    const QRectF lineRect(
        cell.left() + SheetLayout::kCellPadding, cell.top(), cell.width(), m_layout.lineHeight);
    painter.drawText(lineRect, int(Qt::AlignLeft | Qt::AlignVCenter) | Qt::TextSingleLine, line);
    if (const std::optional<ColumnForm> form = columnform::of(line)) {
        columnformpainter::paint(painter, *form, m_layout.forms.of(*form),
            QPointF(lineRect.left(), lineRect.bottom()), m_document.showsWorking);
        painter.setFont(m_layout.cellFont());
    }
}

int pageCountOf(const QList<SheetDocument> &documents)
{
    int pages = 0;
    for (const SheetDocument &document : documents)
        pages += fittedToFloor(document).layout.pageCount();
    return pages;
}

bool printSheets(QPagedPaintDevice &device, const QList<SheetDocument> &documents,
    const QList<int> &pages, const ProgressCallback &progress)
{
    // Laying a sheet out measures every line, which takes about as long as
    // painting it, so it is a step of its own. It comes first: a printer's job
    // cannot be called back once painting has begun.
    const int total
        = int(documents.size()) + (pages.isEmpty() ? pageCountOf(documents) : int(pages.size()));
    int done = 0;
    const auto advance = [&] { return !progress || progress(++done, total); };
    QList<SheetPainter> painters;
    for (const SheetDocument &document : documents) {
        painters.append(SheetPainter(document));
        if (!advance())
            return false;
    }
    QPainter painter(&device);
    bool first = true;
    int firstOfSheet = 1; // the set's number of each sheet's first page
    for (const SheetPainter &sheet : std::as_const(painters)) {
        for (int page = 0; page < sheet.pageCount(); ++page) {
            if (!pages.isEmpty() && !pages.contains(firstOfSheet + page))
                continue;
            if (!first)
                device.newPage();
            first = false;
            sheet.paintPage(painter, page, device.logicalDpiX(), device.logicalDpiY());
            if (!advance())
                return false;
        }
        firstOfSheet += sheet.pageCount();
    }
    return true;
}

bool writeSheetsPdf(const QList<SheetDocument> &documents, const QString &path, QString *error,
    const QList<int> &pages, const ProgressCallback &progress)
{
    OutputFile file(path);
    if (!file.open()) {
        if (error)
            *error = file.errorText();
        return false;
    }
    {
        QPdfWriter writer(file.device());
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setResolution(1200);
        writer.setTitle(documents.isEmpty() ? QString() : documents.first().title);
        writer.setCreator(u"晨曦算苑"_s);
        if (!printSheets(writer, documents, pages, progress)) {
            // The save file is dropped unwritten with file.
            if (error)
                error->clear();
            return false;
        }
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorText();
        return false;
    }
    return true;
}
