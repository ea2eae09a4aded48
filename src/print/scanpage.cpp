#include "scanpage.h"

#include "sheetlayout.h"

#include "pageframe.h"
#include "qrcode.h"

#include "generate/blankform.h"
#include "quiz/testitem.h"
#include "worksheet/classset.h"
#include "worksheet/sheetdocument.h"
#include "worksheet/worksheet.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double kTwipsPerMm = 1440 / 25.4;
// The code's quiet zone, in modules on each side; the code's place holds it.
constexpr int kQuietModules = 2;
// Between the printed "＝" or bracket and the room, and inside the cell's edges.
constexpr double kRoomGap = 1.0;

QRectF toTwips(const QRectF &frameMm)
{
    const QPointF paper = pageframe::toPaper(frameMm.topLeft());
    return { paper.x() * kTwipsPerMm, paper.y() * kTwipsPerMm, frameMm.width() * kTwipsPerMm,
        frameMm.height() * kTwipsPerMm };
}

QRectF toFrame(const QRectF &twips)
{
    const QPointF paper(twips.x() / kTwipsPerMm, twips.y() / kTwipsPerMm);
    return { pageframe::toFrame(paper),
        QSizeF(twips.width() / kTwipsPerMm, twips.height() / kTwipsPerMm) };
}

} // namespace

namespace scanpage {

void paintMarks(QPainter &painter, const PageCode &code)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const double half = pageframe::kMarkSide / 2;
    for (const QPointF centre : { QPointF(0, 0), QPointF(pageframe::kFrameWidth, 0),
             QPointF(pageframe::kFrameWidth, pageframe::kFrameHeight),
             QPointF(0, pageframe::kFrameHeight) }) {
        painter.drawRect(toTwips(QRectF(
            centre - QPointF(half, half), QSizeF(pageframe::kMarkSide, pageframe::kMarkSide))));
    }
    const qrcode::Modules modules = qrcode::encodeNumeric(code.payload());
    if (!modules.isEmpty()) {
        const QRectF place = toTwips(pageframe::kCode);
        const double module = place.width() / double(modules.size() + 2 * kQuietModules);
        for (qsizetype row = 0; row < modules.size(); ++row) {
            for (qsizetype column = 0; column < modules.at(row).size(); ++column) {
                if (modules.at(row).at(column))
                    painter.drawRect(QRectF(place.left() + (column + kQuietModules) * module,
                        place.top() + (row + kQuietModules) * module, module, module));
            }
        }
    }
    painter.restore();
}

ScannableSheet describe(const Worksheet &sheet, const SheetDocument &document)
{
    const SheetLayout layout = SheetLayout::compute(document);
    const QFontMetricsF metrics(layout.cellFont());
    ScannableSheet scannable { sheet.number(), sheet.typeName(), sheet.levelName(), {} };
    const double gap = kRoomGap * kTwipsPerMm;
    for (int page = 0; page < layout.pageCount(); ++page) {
        const SheetLayout::Page &rows = layout.pages.at(page);
        for (int r = 0; r < rows.rowCount; ++r) {
            for (int c = 0; c < layout.columns; ++c) {
                const int index = (rows.firstRow + r) * layout.columns + c;
                if (index >= sheet.questionCount())
                    continue;
                const QString line = sheet.lines().at(index);
                const QString printed
                    = sheet.cell(Worksheet::Sheet::Questions, rows.firstRow + r, c);
                const QRectF cell = layout.cellRect(r, c);
                const double textLeft = cell.left() + SheetLayout::kCellPadding;
                double left = textLeft + metrics.horizontalAdvance(printed) + gap;
                double right = cell.right() - gap;
                if (blankform::isBlank(line)) {
                    left = textLeft
                        + metrics.horizontalAdvance(printed.left(printed.indexOf(u'（') + 1));
                    right = textLeft
                        + metrics.horizontalAdvance(printed.left(printed.indexOf(u'）')));
                }
                const TestItem item = testItemOf(line, index + 1);
                const QuestionForm form = sheet.formOfLine(index);
                const QRectF room(left, cell.top() + gap, right - left, cell.height() - 2 * gap);
                scannable.rooms.append({ item.position, page + 1, item.question, item.answer,
                    toFrame(room), form.type, form.level });
            }
        }
    }
    return scannable;
}

void markForScanning(SheetDocument &document, const ScannableSheet &sheet, int installationNumber)
{
    document.scanNumber = sheet.number;
    document.scanChecks.clear();
    for (int page = 1; page <= sheet.pageCount(); ++page)
        document.scanChecks << sheet.pageCheck(installationNumber, page);
}

QList<SheetDocument> fileSet(Database &db, int installationNumber, ClassSet &set, int count,
    const std::function<SheetDocument(const Worksheet &)> &documentOf)
{
    // Each copy is laid out once for the number it is filed under.
    QHash<QString, std::pair<SheetDocument, ScannableSheet>> laidOut;
    const QList<Worksheet> filed = set.fileScannable(db, count, [&](const Worksheet &sheet) {
        SheetDocument document = documentOf(sheet);
        document.scanNumber = sheet.number();
        const ScannableSheet described = describe(sheet, document);
        laidOut.insert(sheet.number(), { document, described });
        return described;
    });
    QList<SheetDocument> documents;
    for (const Worksheet &sheet : filed) {
        auto [document, described] = laidOut.value(sheet.number());
        markForScanning(document, described, installationNumber);
        documents << document;
    }
    return documents;
}

} // namespace scanpage
