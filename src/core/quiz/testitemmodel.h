#pragma once

#include "testitem.h"
#include "testrecords.h"

#include <QAbstractTableModel>
#include <QList>

#include <optional>

class TestSession;

// The questions of one test as a table: number, question and the child's answer, and once
// the test is marked the wrong mark and the correct answer beside it. Over a running session
// the answer cells take digits, each recorded in the session the moment it is committed.
class TestItemModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TestItemModel)

public:
    enum Column : int { Position, Question, Answer, Mark, Expected };
    // True on every cell of an item marked wrong.
    static constexpr int WrongRole = Qt::UserRole + 1;
    // mx_user is numeric: more digits would come back as a floating-point number.
    static constexpr int kMaxAnswerDigits = 9;

    explicit TestItemModel(QObject *parent = nullptr);

    // A session being taken; call refresh() after it generated, confirmed or marked.
    void setSession(TestSession *session);
    // A stored test to look at: nothing can be typed.
    void setItems(const QList<TestItem> &items);
    void refresh();
    void clear();

    // What an answer cell accepts: nothing (not answered yet) or up to kMaxAnswerDigits of 0-9.
    static bool isAnswerText(const QString &text);
    // Which order a click on a header of the marked items asks for: none when the column has
    // no order or the items are in that order already.
    static std::optional<ItemOrder> orderForHeader(int column, std::optional<ItemOrder> current);

    bool isMarked() const;
    const QList<TestItem> &items() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // An answer is kept in the session but could not reach the data file (why, in a few
    // Chinese words such as 磁盘已满);
    // leaving the test writes every answer again.
    void answerNotSaved(const QString &reason);

private:
    bool isAnswering() const;

    TestSession *m_session = nullptr;
    QList<TestItem> m_items;
};
