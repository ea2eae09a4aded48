#include "childtag.h"

#include "cjkfont.h"
#include "chrome/messagebox.h"
#include "chrome/palette.h"
#include "childchanges.h"
#include "classlistwindow.h"

#include "children/childlist.h"
#include "program/appcontext.h"

#include <QInputDialog>
#include <QMenu>

using namespace Qt::Literals::StringLiterals;

ChildTag::ChildTag(AppContext &context, QWidget *parent)
    : QPushButton(parent)
    , m_context(context)
{
    setObjectName(u"childTag"_s);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setFont(cjkFont(10, true));
    setToolTip(u"换一个孩子，添加、改名、删除孩子，或者管理班级名单"_s);
    setStyleSheet(u"QPushButton { color: %1; background: white; border: 2px solid %2;"
                  " border-radius: 11px; padding: 0 10px; }"
                  "QPushButton:hover { background: %3; }"
                  "QPushButton:focus { border-color: %4; }"_s.arg(palette::css(palette::kInk),
                      palette::css(palette::kFaceOutline), palette::css(palette::kBandTop),
                      palette::css(palette::kFocusRing)));
    setFixedHeight(24);
    askName = [this](const QString &title, const QString &label, const QString &text) {
        bool ok = false;
        const QString name
            = QInputDialog::getText(this, title, label, QLineEdit::Normal, text, &ok);
        return ok ? name : QString();
    };
    openClassList = [this] {
        ClassListWindow window(m_context, parentWidget());
        window.exec();
    };
    connect(this, &QPushButton::clicked, this, [this] {
        QMenu *menu = buildMenu();
        menu->exec(mapToGlobal(QPoint(0, height())));
        menu->deleteLater();
    });
    refresh();
}

void ChildTag::refresh()
{
    std::optional<Child> child;
    runOrReport(parentWidget(), u"孩子的名字无法读取"_s,
        [&] { child = childlist::find(m_context.database(), m_context.currentChild()); });
    setText(child ? child->name + u" ▾"_s : u"？ ▾"_s);
    adjustSize();
}

QMenu *ChildTag::buildMenu()
{
    auto *menu = new QMenu(this);
    menu->setFont(cjkFont(10));
    QList<Child> children;
    runOrReport(parentWidget(), u"孩子名单无法读取"_s,
        [&] { children = childlist::all(m_context.database()); });
    for (const Child &child : std::as_const(children)) {
        const QString caption = child.className.isEmpty()
            ? child.name
            : u"%1（%2）"_s.arg(child.name, child.className);
        QAction *action = menu->addAction(caption, this, [this, id = child.id] { switchTo(id); });
        action->setCheckable(true);
        action->setChecked(child.id == m_context.currentChild());
    }
    menu->addSeparator();
    menu->addAction(u"添加孩子…"_s, this, &ChildTag::addChild);
    menu->addAction(u"改名…"_s, this, &ChildTag::renameChild);
    menu->addAction(u"删除这个孩子…"_s, this, &ChildTag::removeChild)
        ->setEnabled(children.size() > 1);
    menu->addSeparator();
    menu->addAction(u"班级名单…"_s, this, [this] {
        if (openClassList)
            openClassList();
        refresh();
    });
    return menu;
}

void ChildTag::change(const QString &failed, const std::function<void()> &work)
{
    changeChildren(parentWidget(), failed, work);
    refresh();
}

void ChildTag::switchTo(qint64 id)
{
    runOrReport(parentWidget(), u"没有换成这个孩子"_s, [&] {
        if (const std::optional<Child> child = childlist::find(m_context.database(), id)) {
            childlist::choose(m_context.database(), *child);
            m_context.setCurrentChild(child->id);
        }
    });
    refresh();
}

void ChildTag::addChild()
{
    const QString name = askName(u"添加孩子"_s, u"名字（最多 20 个字）："_s, QString());
    if (name.isEmpty())
        return;
    change(u"没有添加孩子"_s, [&] {
        const Child child = childlist::add(m_context.database(), name);
        childlist::choose(m_context.database(), child);
        m_context.setCurrentChild(child.id);
    });
}

void ChildTag::renameChild()
{
    std::optional<Child> child;
    if (!runOrReport(parentWidget(), u"孩子的名字无法读取"_s,
            [&] { child = childlist::find(m_context.database(), m_context.currentChild()); })
        || !child)
        return;
    const QString name = askName(u"改名"_s, u"“%1”的新名字："_s.arg(child->name), child->name);
    if (name.isEmpty() || name.trimmed() == child->name)
        return;
    change(u"名字没有改"_s, [&] { childlist::rename(m_context.database(), *child, name); });
}

void ChildTag::removeChild()
{
    std::optional<Child> child;
    if (runOrReport(parentWidget(), u"孩子没有删除"_s,
            [&] { child = childlist::find(m_context.database(), m_context.currentChild()); })
        && child)
        removeChildAsking(parentWidget(), m_context, *child);
    refresh();
}
