#pragma once

#include <QStyledItemDelegate>

// How the questions of a test look and take answers: the answer column bold, blue on light
// cyan; after marking a red cross or a green tick and the correct answer beside it. The
// answer editor takes digits only; anything else brings the digits-only message and leaves
// the editor open, so that Esc brings the cell back to what it held.
class TestItemDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TestItemDelegate)

public:
    explicit TestItemDelegate(QObject *parent = nullptr);

    // Ends editing as leaving the cell would: what the editor holds is committed.
    void commitAndClose(QWidget *editor);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    static void paintMark(QPainter *painter, const QRect &cell, bool wrong);
    // True when the typed text was dealt with here: refused, or turned into ASCII digits.
    bool filterTyped(QWidget *editor, const QString &text);
    void refuse(QWidget *editor);

    bool m_refusing = false;
};
