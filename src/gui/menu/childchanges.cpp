#include "childchanges.h"

#include "chrome/messagebox.h"

#include "children/childlist.h"
#include "program/appcontext.h"

using namespace Qt::Literals::StringLiterals;

bool changeChildren(QWidget *parent, const QString &failed, const std::function<void()> &change)
{
    bool done = false;
    runOrReport(parent, failed, [&] {
        try {
            change();
            done = true;
        } catch (const ChildError &error) {
            showMessage(parent, error.message());
        }
    });
    return done;
}

bool removeChildAsking(QWidget *parent, AppContext &context, const Child &child)
{
    Database &db = context.database();
    int tests = 0;
    if (!runOrReport(parent, u"孩子没有删除"_s, [&] { tests = childlist::testCount(db, child); }))
        return false;
    const auto asks = [parent](const QString &question) {
        return showMessage(parent, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    };
    if (!asks(u"要删除“%1”吗？"_s.arg(child.name)))
        return false;
    // Records are a child's work: removing them is asked once more, with how many go.
    if (tests > 0
        && !asks(u"“%1”的 %2 次测试和错题本会一起删除，不能恢复。真的删除吗？"_s.arg(
            child.name, QString::number(tests))))
        return false;
    return changeChildren(parent, u"孩子没有删除"_s, [&] {
        childlist::remove(db, child);
        if (context.currentChild() == child.id) {
            const Child next = childlist::first(db);
            childlist::choose(db, next);
            context.setCurrentChild(next.id);
        }
    });
}
