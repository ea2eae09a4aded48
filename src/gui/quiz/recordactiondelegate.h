#pragma once

#include <QStyledItemDelegate>

// The action cell of the records list drawn as a small button, so that a parent sees where
// to click: blue "查看" for a marked test, orange "答题" for one to go on with.
class RecordActionDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RecordActionDelegate)

public:
    explicit RecordActionDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
};
