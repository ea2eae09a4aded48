#include "testrecordmodel.h"

#include "tableheader.h"

#include "testitem.h"

#include "worksheet/recordnumbers.h"

#include <QDateTime>

using namespace Qt::Literals::StringLiterals;

namespace {

QVariant optionalNumber(const std::optional<qint64> &value)
{
    return value ? QVariant(*value) : QVariant(QString());
}

// A parent reads "2011-08-30 06:36" more easily than the stamp at the end of the number.
QString momentOf(const QString &number)
{
    const QDateTime moment = recordnumbers::madeAt(number);
    return moment.isValid() ? moment.toString(u"yyyy-MM-dd HH:mm"_s) : QString();
}

} // namespace

TestRecordModel::TestRecordModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

void TestRecordModel::setRecords(const QList<TestRecord> &records)
{
    beginResetModel();
    m_records = records;
    endResetModel();
}

int TestRecordModel::rowOf(const QString &number) const
{
    for (int row = 0; row < m_records.size(); ++row) {
        if (m_records.at(row).number == number)
            return row;
    }
    return -1;
}

bool TestRecordModel::isMarked(const TestRecord &record)
{
    return record.marked.value_or(0) == 1;
}

int TestRecordModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

int TestRecordModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Action + 1;
}

QVariant TestRecordModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !checkIndex(index))
        return {};
    const TestRecord &record = m_records.at(index.row());
    const bool marked = isMarked(record);
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case Number:
            return record.number;
        case Moment:
            return momentOf(record.number);
        case Type:
            return record.typeName;
        case Level:
            return record.levelName;
        case Count:
            return optionalNumber(record.count);
        case Right:
            return marked ? optionalNumber(record.right) : QVariant(QString());
        case Wrong:
            return marked ? optionalNumber(record.wrong) : QVariant(QString());
        case Time:
            // An unfinished test has no time text yet; the clock so far tells how far it got.
            // A photographed sheet has neither: nobody timed the child on paper.
            if (!record.timeText.isEmpty())
                return record.timeText;
            if (marked || !record.elapsed)
                return u"—"_s;
            return elapsedText(int(*record.elapsed));
        case Action:
            return marked ? u"查看"_s : u"答题"_s;
        }
        return {};
    case Qt::ToolTipRole:
        if (index.column() == Action)
            return marked ? u"查看这份试卷的答题情况"_s : u"这份试卷还没有做完，接着答题"_s;
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignCenter);
    case MarkedRole:
        return marked;
    }
    return {};
}

QVariant TestRecordModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList captions = { u"试卷编号"_s, u"测试时间"_s, u"题型"_s, u"难度"_s,
        u"题数"_s, u"答对"_s, u"答错"_s, u"用时"_s, u"操作"_s };
    return tableHeader(*this, section, orientation, role, captions);
}
