#pragma once

#include <QPushButton>

#include <functional>

class AppContext;
class QMenu;

// The current child's name on the menu, beside the child in the landscape. A click (or Enter)
// opens the list of the file's children to switch to, and adds, renames or removes one; the
// tests, wrong-answer book and chart the other windows show are then that child's. A class's
// list is managed from there too.
class ChildTag final : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChildTag)

public:
    explicit ChildTag(AppContext &context, QWidget *parent = nullptr);

    // Shows the current child's name; after the list of children changed.
    void refresh();

    // What a parent types into a small dialog (title, label, text shown first); empty when
    // cancelled. Tests replace it.
    std::function<QString(const QString &, const QString &, const QString &)> askName;

    // 班级名单: the window where a class's list is pasted or imported. Tests replace it.
    std::function<void()> openClassList;

    // The menu a click opens, as it is built; for tests.
    QMenu *buildMenu();

private:
    void addChild();
    void renameChild();
    void removeChild();
    void switchTo(qint64 child);
    // Runs a change of the list, tells why it was refused or failed, and shows the name after.
    void change(const QString &failed, const std::function<void()> &work);

    AppContext &m_context;
};
