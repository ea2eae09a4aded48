#include "gridstyle.h"

#include "cjkfont.h"
#include "chrome/palette.h"
#include "quizlayout.h"

#include "quiz/testitemmodel.h"

#include <QHeaderView>
#include <QTableView>

using namespace Qt::Literals::StringLiterals;

void styleQuizGrid(QTableView *view, const QRect &geometry, const QFont &font, int rowHeight)
{
    view->setGeometry(geometry);
    view->setFont(font);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(rowHeight);
    view->horizontalHeader()->setFont(cjkFont(11, true));
    view->horizontalHeader()->setSectionsClickable(false);
    view->horizontalHeader()->setHighlightSections(false);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    const QString line = palette::css(quizpalette::kGridLine);
    const QString rule = palette::css(palette::kBandRule);
    view->setStyleSheet(u"QTableView { background: white; gridline-color: %1;"
                        " border: 1px solid %2; selection-background-color: %3;"
                        " selection-color: black; }"
                        " QHeaderView::section { background: %4; border: none;"
                        " border-right: 1px solid %1; border-bottom: 1px solid %2;"
                        " padding: 4px; }"_s.arg(line, rule, palette::css(quizpalette::kCurrentRow),
                            palette::css(palette::kBandTop)));
}

void setItemColumnWidths(QTableView *grid, bool marked)
{
    QHeaderView *header = grid->horizontalHeader();
    header->setMinimumSectionSize(40);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionResizeMode(TestItemModel::Question, QHeaderView::Stretch);
    grid->setColumnWidth(TestItemModel::Position, 80);
    grid->setColumnWidth(TestItemModel::Answer, marked ? 150 : 190);
    if (marked) {
        grid->setColumnWidth(TestItemModel::Mark, 80);
        grid->setColumnWidth(TestItemModel::Expected, 150);
    }
}
