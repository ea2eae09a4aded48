#include "answergrid.h"

#include "cjkfont.h"
#include "gridstyle.h"
#include "quizlayout.h"
#include "testitemdelegate.h"

#include "quiz/testitemmodel.h"

#include <QShortcut>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

AnswerGrid::AnswerGrid(TestItemModel *items, QWidget *parent)
    : QTableView(parent)
    , m_items(items)
    , m_delegate(new TestItemDelegate(this))
{
    styleQuizGrid(this, quizlayout::test::kGrid, cjkMonoFont(15), quizlayout::test::kRowHeight);
    setObjectName(u"itemGrid"_s);
    setModel(m_items);
    setItemDelegate(m_delegate);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex &current) {
            if (current.isValid()
                && (m_items->flags(current.siblingAtColumn(TestItemModel::Answer))
                    & Qt::ItemIsEditable)
                && current.column() != TestItemModel::Answer) {
                setCurrentIndex(current.siblingAtColumn(TestItemModel::Answer));
                return;
            }
            emit rowShown();
        });
    for (const Qt::Key key : { Qt::Key_Return, Qt::Key_Enter }) {
        auto *down = new QShortcut(key, this);
        down->setContext(Qt::WidgetWithChildrenShortcut);
        connect(down, &QShortcut::activated, this, &AnswerGrid::moveDown);
    }
}

void AnswerGrid::goToRow(int row)
{
    if (m_items->rowCount() == 0)
        return;
    row = std::clamp(row, 0, m_items->rowCount() - 1);
    const QModelIndex answer = m_items->index(row, TestItemModel::Answer);
    const bool answering = m_items->flags(answer) & Qt::ItemIsEditable;
    setCurrentIndex(answering ? answer : m_items->index(row, TestItemModel::Position));
    scrollTo(currentIndex());
    emit rowShown();
}

void AnswerGrid::commitOpenEditor()
{
    if (QWidget *editor = indexWidget(currentIndex()))
        m_delegate->commitAndClose(editor);
}

void AnswerGrid::moveDown()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    commitOpenEditor();
    goToRow(current.row() + 1);
}
