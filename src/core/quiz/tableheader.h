#pragma once

#include <QAbstractItemModel>
#include <QStringList>
#include <QVariant>

// Column captions of the program's tables, centred; rows keep the model's own
// numbering.
inline QVariant tableHeader(const QAbstractItemModel &model, int section,
    Qt::Orientation orientation, int role, const QStringList &captions)
{
    if (orientation == Qt::Vertical)
        return model.QAbstractItemModel::headerData(section, orientation, role);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignCenter);
    if (role != Qt::DisplayRole || section < 0 || section >= captions.size())
        return {};
    return captions.at(section);
}
