#include "sheetmodel.h"

using namespace Qt::Literals::StringLiterals;

SheetModel::SheetModel(Worksheet::Sheet sheet, QObject *parent)
    : QAbstractTableModel(parent)
    , m_sheet(sheet)
{ }

void SheetModel::setWorksheet(const Worksheet &worksheet)
{
    beginResetModel();
    m_worksheet = worksheet;
    endResetModel();
}

int SheetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_worksheet.rowCount();
}

int SheetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || m_worksheet.questionCount() == 0 ? 0 : m_worksheet.columns();
}

QVariant SheetModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return {};
    return m_worksheet.cell(m_sheet, index.row(), index.column());
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return u"第%1列"_s.arg(section + 1);
}
