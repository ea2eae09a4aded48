#include "testitemmodel.h"

#include "store/database.h"

#include "tableheader.h"

#include "testsession.h"

#include <algorithm>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

TestItemModel::TestItemModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

void TestItemModel::setSession(TestSession *session)
{
    beginResetModel();
    m_session = session;
    m_items.clear();
    endResetModel();
}

void TestItemModel::setItems(const QList<TestItem> &items)
{
    beginResetModel();
    m_session = nullptr;
    m_items = items;
    endResetModel();
}

void TestItemModel::refresh()
{
    // Marking reorders the items and adds two columns: nothing of the old layout holds.
    beginResetModel();
    endResetModel();
}

void TestItemModel::clear()
{
    setItems({});
}

bool TestItemModel::isAnswerText(const QString &text)
{
    return text.size() <= kMaxAnswerDigits
        && std::all_of(text.begin(), text.end(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; });
}

std::optional<ItemOrder> TestItemModel::orderForHeader(int column, std::optional<ItemOrder> current)
{
    std::optional<ItemOrder> wanted;
    if (column == Mark)
        wanted = ItemOrder::WrongFirst;
    else if (column == Position)
        wanted = ItemOrder::Question;
    if (wanted == current)
        return std::nullopt;
    return wanted;
}

const QList<TestItem> &TestItemModel::items() const
{
    return m_session ? m_session->items() : m_items;
}

bool TestItemModel::isMarked() const
{
    if (m_session)
        return m_session->isMarked();
    return !m_items.isEmpty()
        && std::all_of(m_items.begin(), m_items.end(),
            [](const TestItem &item) { return item.error.has_value(); });
}

bool TestItemModel::isAnswering() const
{
    return m_session && m_session->isConfirmed() && !m_session->isMarked();
}

int TestItemModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(items().size());
}

int TestItemModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return isMarked() ? Expected + 1 : Answer + 1;
}

QVariant TestItemModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !checkIndex(index))
        return {};
    const TestItem &item = items().at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (index.column()) {
        case Position:
            return item.position;
        case Question:
            return item.question;
        case Answer:
            return item.userAnswer;
        case Mark:
            if (!item.error)
                return QString();
            return *item.error == 0 ? u"√"_s : u"×"_s;
        case Expected:
            return item.answer;
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            Qt::AlignVCenter | (index.column() == Question ? Qt::AlignLeft : Qt::AlignHCenter));
    case WrongRole:
        return item.error.value_or(0) == 1;
    }
    return {};
}

bool TestItemModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !checkIndex(index) || index.column() != Answer
        || !isAnswering())
        return false;
    const QString digits = value.toString().trimmed();
    if (!isAnswerText(digits))
        return false;
    if (digits == items().at(index.row()).userAnswer)
        return true;
    try {
        m_session->recordAnswer(index.row(), digits);
    } catch (const DatabaseError &error) {
        // The session holds the answer all the same, and leaving writes every answer again;
        // an exception must not cross the view's event handling.
        emit answerNotSaved(DatabaseError::reason(error.cause()));
    }
    emit dataChanged(index, index, { Qt::DisplayRole, Qt::EditRole });
    return true;
}

Qt::ItemFlags TestItemModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || !checkIndex(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == Answer && isAnswering())
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant TestItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList captions
        = { u"题号"_s, u"试题"_s, u"我的答案"_s, u"对错"_s, u"正确答案"_s };
    return tableHeader(*this, section, orientation, role, captions);
}
