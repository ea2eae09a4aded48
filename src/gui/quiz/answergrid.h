#pragma once

#include <QTableView>

class TestItemDelegate;
class TestItemModel;

// The questions of the test being taken. While it is answered the keys go to the answer cell
// of the current row, and Enter, in the answer's editor too, stores the answer and goes down
// a row.
class AnswerGrid final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnswerGrid)

public:
    AnswerGrid(TestItemModel *items, QWidget *parent);

    // Makes the row current, within the rows there are: its answer cell while answering.
    void goToRow(int row);
    // Ends the answer being typed as leaving its cell would: what the editor holds is stored.
    void commitOpenEditor();
    void moveDown();

signals:
    // Another row is current.
    void rowShown();

private:
    TestItemModel *m_items;
    TestItemDelegate *m_delegate;
};
