#include "sheetpainter.h"

#include "common/outputfile.h"

#include "cjkfont.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double kTwipsPerPoint = 20;
constexpr double kCellPadding = 80; // twips left of a cell's text

// Fonts are sized in twips, the painter's unit, so that the device's own
// resolution never scales them a second time.
QFont inTwips(QFont font, qreal points)
{
    font.setPixelSize(std::max(1, int(std::lround(points * kTwipsPerPoint))));
    return font;
}

} // namespace

SheetPainter::SheetPainter(const SheetDocument &document)
    : m_document(document)
    , m_layout(SheetLayout::compute(document))
{
    // One size for the whole sheet keeps the columns of every row aligned.
    qreal points = document.cellPoints;
    const QFont face = cjkMonoFont();
    qreal widest = 0;
    const QFontMetricsF metrics(inTwips(face, points));
    for (const QStringList &row : document.rows) {
        for (const QString &cell : row)
            widest = std::max(widest, metrics.horizontalAdvance(cell));
    }
    const qreal room = m_layout.columnWidth - 2 * kCellPadding;
    if (widest > room && widest > 0)
        points *= room / widest;
    const qreal height = metrics.height() * points / document.cellPoints;
    if (height > m_layout.rowHeight)
        points *= m_layout.rowHeight / height;
    m_cellPoints = std::floor(points * 4) / 4; // quarter points, rounded down
    m_cellFont = inTwips(face, m_cellPoints);
}

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
    painter.setFont(inTwips(cjkFont(points), points));
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

    paintPageText(painter, m_layout.headerRect, m_document.header, m_document.headerPoints, page);
    paintPageText(painter, m_layout.footerRect, m_document.footer, m_document.footerPoints, page);

    painter.setFont(m_cellFont);
    const SheetLayout::Page &rows = m_layout.pages.at(page);
    for (int r = 0; r < rows.rowCount; ++r) {
        const QStringList &cells = m_document.rows.at(rows.firstRow + r);
        for (int c = 0; c < std::min<int>(m_layout.columns, int(cells.size())); ++c) {
            const QRectF cell = m_layout.cellRect(r, c);
            painter.drawText(cell.adjusted(kCellPadding, 0, 0, 0),
                int(Qt::AlignLeft | Qt::AlignVCenter) | Qt::TextSingleLine, cells.at(c));
        }
    }
    painter.restore();
}

int pageCountOf(const QList<SheetDocument> &documents)
{
    int pages = 0;
    for (const SheetDocument &document : documents)
        pages += SheetLayout::compute(document).pageCount();
    return pages;
}

void printSheets(
    QPagedPaintDevice &device, const QList<SheetDocument> &documents, const QList<int> &pages)
{
    QList<SheetPainter> painters;
    for (const SheetDocument &document : documents)
        painters.append(SheetPainter(document));
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
        }
        firstOfSheet += sheet.pageCount();
    }
}

bool writeSheetsPdf(const QList<SheetDocument> &documents, const QString &path, QString *error,
    const QList<int> &pages)
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
        printSheets(writer, documents, pages);
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorText();
        return false;
    }
    return true;
}
