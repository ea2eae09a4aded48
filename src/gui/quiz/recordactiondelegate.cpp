#include "recordactiondelegate.h"

#include "quizlayout.h"

#include "quiz/testrecordmodel.h"

#include <QApplication>
#include <QPainter>

RecordActionDelegate::RecordActionDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{ }

void RecordActionDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // The row's highlight first, so that the button sits on the same band as its row.
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);

    const bool marked = index.data(TestRecordModel::MarkedRole).toBool();
    const QColor face = QColor(marked ? quizpalette::kLookAction : quizpalette::kAnswerAction);
    const QRectF pill = QRectF(option.rect).adjusted(10, 5, -10, -5);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(face.darker(125));
    painter->setBrush(face);
    painter->drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);
    QFont font = option.font;
    font.setBold(true);
    painter->setFont(font);
    painter->setPen(Qt::white);
    painter->drawText(pill, Qt::AlignCenter, index.data().toString());
    painter->restore();
}
