#pragma once

#include "worksheet.h"

#include <QAbstractTableModel>

// One sheet of a worksheet as a table: the question sheet on screen, or the
// answer sheet. Column headers name the columns "第1列" ….
class SheetModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SheetModel)

public:
    explicit SheetModel(Worksheet::Sheet sheet, QObject *parent = nullptr);

    void setWorksheet(const Worksheet &worksheet);
    const Worksheet &worksheet() const { return m_worksheet; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    Worksheet::Sheet m_sheet;
    Worksheet m_worksheet;
};
