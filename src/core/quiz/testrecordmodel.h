#pragma once

#include "testrecords.h"

#include <QAbstractTableModel>
#include <QList>

// The stored tests as the records window lists them, newest first, each with its action: a
// marked test is looked at ("查看"), an unfinished one answered on ("答题").
class TestRecordModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TestRecordModel)

public:
    enum Column : int { Number, Moment, Type, Level, Count, Right, Wrong, Time, Action };
    // True on every cell of a marked test.
    static constexpr int MarkedRole = Qt::UserRole + 1;

    explicit TestRecordModel(QObject *parent = nullptr);

    void setRecords(const QList<TestRecord> &records);
    const QList<TestRecord> &records() const { return m_records; }
    const TestRecord &record(int row) const { return m_records.at(row); }
    // The row of the test with that number; -1 when it is not listed.
    int rowOf(const QString &number) const;

    static bool isMarked(const TestRecord &record);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<TestRecord> m_records;
};
