#include "sheetlayout.h"

#include "cjkfont.h"
#include "columnformpainter.h"
#include "generate/blankform.h"
#include "worksheet/sheetchoices.h"
#include "worksheet/sheetdocument.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qreal kPointStep = 0.5;

// A line of text and a little air below (header) or above (footer) it.
double headerBlock(qreal points)
{
    return points * 20 * 1.5 + 120;
}

// Question lines are digits and signs, which copy out of a PDF as they are in
// this face too.
QFont cellFontAt(qreal points)
{
    return inTwips(cjkMonoFont(), points);
}

constexpr double kTwipsPerMm = 1440 / 25.4;
// A child's handwritten digit takes about 5 mm whatever size the question prints in, and even
// a single digit wants two and a half printed characters of air before the next column.
constexpr double kHandDigitTwips = 5 * kTwipsPerMm;

double answerRoomAt(const QFontMetricsF &metrics, int answerLength)
{
    if (answerLength <= 0)
        return 0;
    return std::max(2.5 * metrics.horizontalAdvance(u'0'), answerLength * kHandDigitTwips);
}

struct CellNeeds
{
    double width = 0; // the widest line and its answer room
    double height = 0;
    double answerRoom = 0;
};

// A sheet to be photographed keeps room for a child's digits whatever size the questions
// print in: a reader cannot make out digits squeezed to fit.
constexpr double kScanDigitTwips = 6.5 * kTwipsPerMm;

CellNeeds cellNeedsAt(const SheetDocument &document, qreal points)
{
    const QFontMetricsF metrics(cellFontAt(points));
    CellNeeds needs;
    needs.answerRoom = answerRoomAt(metrics, document.answerLength);
    if (!document.scanNumber.isEmpty() && document.answerLength > 0)
        needs.answerRoom
            = std::max(needs.answerRoom, (document.answerLength + 0.5) * kScanDigitTwips);
    // A question with a blank is answered inside its brackets: no room after it.
    for (const QStringList &row : document.rows) {
        for (const QString &cell : row) {
            needs.width = std::max(needs.width,
                metrics.horizontalAdvance(cell)
                    + (blankform::isBlank(cell) ? 0 : needs.answerRoom));
        }
    }
    needs.height = metrics.height();
    return needs;
}

void fitCells(SheetLayout &layout, const SheetDocument &document)
{
    const qreal chosen = document.cellPoints;
    const qreal floor = std::min(chosen, SheetLayout::kFloorPoints);
    // Rows too low for the floor's lines are raised: fewer rows on a page rather than letters
    // a child cannot read.
    if (const double least = cellNeedsAt(document, floor).height; layout.rowHeight < least) {
        layout.rowHeight = least;
        layout.rowsRaised = true;
    }
    const auto fits = [&](qreal points) {
        const CellNeeds needs = cellNeedsAt(document, points);
        return needs.width <= layout.textWidth() && needs.height <= layout.rowHeight;
    };
    qreal points = chosen;
    const CellNeeds atChosen = cellNeedsAt(document, chosen);
    const double widthScale = layout.textWidth() / std::max(1.0, atChosen.width);
    const double heightScale = layout.rowHeight / std::max(1.0, atChosen.height);
    if (widthScale < 1 || heightScale < 1) {
        layout.limit = widthScale <= heightScale ? SheetLayout::Limit::ColumnWidth
                                                 : SheetLayout::Limit::RowHeight;
        // Text widths grow with the size nearly in proportion; the steps
        // around the estimate settle what hinting makes of it.
        points = std::floor(chosen * std::min(widthScale, heightScale) / kPointStep) * kPointStep;
        points = std::clamp(points, floor, std::max(floor, chosen - kPointStep));
        while (points > floor && !fits(points))
            points -= kPointStep;
        while (points + kPointStep < chosen && fits(points + kPointStep))
            points += kPointStep;
        layout.overflows = !fits(points);
    }
    layout.cellPoints = points;
    layout.answerRoom = cellNeedsAt(document, points).answerRoom;
}

// 竖式: the line above the squares in the size chosen, or smaller down to the floor where it
// does not fit its column or the band above the squares. Rows are as high on the answer sheet
// as on the question sheet, so that their pages break alike.
void fitColumnForms(SheetLayout &layout, const SheetDocument &document)
{
    using namespace columnformpainter;
    layout.forms = gridsOf(document);
    const Grid &grid = layout.forms.largest;
    layout.lineHeight = 1.25 * kSquareTwips;
    const auto fits = [&](qreal points) {
        const QFontMetricsF metrics(cellFontAt(points));
        if (metrics.height() > layout.lineHeight)
            return false;
        for (const QStringList &row : document.rows) {
            for (const QString &cell : row) {
                if (metrics.horizontalAdvance(cell) > layout.textWidth())
                    return false;
            }
        }
        return true;
    };
    // The answer sheet's lines are longer by their results and read by a parent: they may
    // print smaller, so that its cells stand where the question sheet's do.
    constexpr qreal kAnswerFloorPoints = 8;
    const qreal chosen = document.cellPoints;
    const qreal floor
        = std::min(chosen, document.showsWorking ? kAnswerFloorPoints : SheetLayout::kFloorPoints);
    qreal points = chosen;
    while (points > floor && !fits(points))
        points -= kPointStep;
    layout.cellPoints = points;
    if (points < chosen)
        layout.limit = SheetLayout::Limit::ColumnWidth;
    layout.overflows = grid.columns * kSquareTwips > layout.textWidth() || !fits(points);
    layout.rowHeight = layout.lineHeight + (grid.rows + 0.6) * kSquareTwips;
}

} // namespace

QFont SheetLayout::cellFont() const
{
    return cellFontAt(cellPoints);
}

QRectF SheetLayout::printableRect()
{
    return QRectF(kMarginLeft, kMarginTop, kPaperWidth - kMarginLeft - kMarginRight,
        kPaperHeight - kMarginTop - kMarginBottom);
}

SheetLayout SheetLayout::compute(const SheetDocument &document)
{
    SheetLayout layout;
    const QRectF printable = printableRect();
    layout.columns = std::max(1, document.columns);
    layout.columnWidth = document.columnWidthTwips;
    layout.rowHeight = std::max(1.0, document.rowHeightTwips);
    const double gridWidth = layout.columnWidth * layout.columns;

    const double header = headerBlock(document.headerPoints);
    const double footer = headerBlock(document.footerPoints);
    layout.headerRect
        = QRectF(printable.left(), printable.top(), gridWidth, document.headerPoints * 20 * 1.5);
    layout.footerRect
        = QRectF(printable.left(), printable.bottom() - document.footerPoints * 20 * 1.5, gridWidth,
            document.footerPoints * 20 * 1.5);
    layout.gridRect = QRectF(printable.left(), printable.top() + header, gridWidth,
        printable.height() - header - footer);
    if (document.vertical)
        fitColumnForms(layout, document);
    else
        fitCells(layout, document);

    // Rows are never split: a page takes as many whole rows as fit, and at
    // least one, so that even an oversized row is printed.
    layout.rowsPerPage
        = std::max(1, int(std::floor(layout.gridRect.height() / layout.rowHeight + 1e-9)));
    const int rows = int(document.rows.size());
    for (int first = 0; first < rows; first += layout.rowsPerPage)
        layout.pages.append({ first, std::min(layout.rowsPerPage, rows - first) });
    if (layout.pages.isEmpty())
        layout.pages.append({ 0, 0 });
    return layout;
}

QRectF SheetLayout::cellRect(int rowOnPage, int column) const
{
    return QRectF(gridRect.left() + column * columnWidth, gridRect.top() + rowOnPage * rowHeight,
        columnWidth, rowHeight);
}

QString columnsCaption(int columns)
{
    static const QStringList kColumns = { u"一列"_s, u"两列"_s, u"三列"_s, u"四列"_s, u"五列"_s };
    return kColumns.value(columns - 1, u"%1列"_s.arg(columns));
}

namespace {

QString sizeCaption(qreal points)
{
    if (points == SheetLayout::kFloorPoints)
        return u"五号"_s;
    const QStringList captions = sheetformat::fontCaptions();
    for (qint16 font = 1; font <= captions.size(); ++font) {
        if (sheetformat::fontPoints(font) == points)
            return captions.at(font - 1);
    }
    return u"%1磅"_s.arg(points);
}

} // namespace

QString printedSizeNote(const SheetLayout &layout, const SheetChoices &choices)
{
    if (layout.limit == SheetLayout::Limit::None && !layout.rowsRaised)
        return QString();
    QString tooSmall;
    if (layout.limit == SheetLayout::Limit::ColumnWidth)
        tooSmall = columnsCaption(layout.columns);
    else if (choices.rowHeight == 1)
        tooSmall = u"整页%1行"_s.arg(choices.rows);
    else
        tooSmall = u"行高“%1”"_s.arg(sheetformat::rowHeightCaptions().value(choices.rowHeight - 1));
    QString note = u"%1放不下%2字，打印时用%3"_s.arg(tooSmall,
        sheetformat::fontCaptions().value(choices.font - 1), sizeCaption(layout.cellPoints));
    if (layout.rowsRaised)
        note += u"、每页%1行"_s.arg(layout.rowsPerPage);
    return note;
}

QString overflowNote(int columns)
{
    return u"%1放不下这些题（至少五号字，留出写答案的地方）"_s.arg(columnsCaption(columns));
}

int columnsThatFit(const std::function<SheetDocument(int columns)> &documentWith, int asked)
{
    int columns = std::max(1, asked);
    while (columns > 1 && SheetLayout::compute(documentWith(columns)).overflows)
        --columns;
    return columns;
}

SheetDocument reflowed(const SheetDocument &document, int columns)
{
    QStringList cells;
    for (const QStringList &row : document.rows)
        cells << row;
    while (!cells.isEmpty() && cells.last().isEmpty())
        cells.removeLast();
    SheetDocument laidOut = document;
    laidOut.columns = std::max(1, columns);
    laidOut.columnWidthTwips = sheetformat::columnWidthTwips(qint16(laidOut.columns));
    laidOut.rows.clear();
    for (qsizetype first = 0; first < cells.size(); first += laidOut.columns) {
        QStringList row = cells.mid(first, laidOut.columns);
        while (row.size() < laidOut.columns)
            row << QString();
        laidOut.rows << row;
    }
    return laidOut;
}

FittedSheet fittedToFloor(const SheetDocument &document)
{
    // Laying a sheet out measures every line: the layout found is the one kept.
    FittedSheet fitted { document, SheetLayout::compute(document) };
    if (!fitted.layout.overflows || !document.scanNumber.isEmpty())
        return fitted;
    fitted.document = reflowed(document,
        columnsThatFit([&](int columns) { return reflowed(document, columns); }, document.columns));
    fitted.layout = SheetLayout::compute(fitted.document);
    return fitted;
}
