#include "classlistwindow.h"

#include "childchanges.h"
#include "cjkfont.h"
#include "chrome/hcommand.h"
#include "chrome/palette.h"
#include "chrome/pictureregistry.h"
#include "chrome/titlestrip.h"

#include "children/childlist.h"
#include "program/appcontext.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSize kWindow(640, 530);
constexpr int kBand = 52;
constexpr int kBody = TitleStrip::kHeight + kBand + 10;
constexpr QRect kClassCaption(20, TitleStrip::kHeight + 12, 50, 28);
constexpr QRect kClass(70, TitleStrip::kHeight + 12, 220, 28);
constexpr QRect kListCaption(20, kBody, 290, 24);
constexpr QRect kList(20, kBody + 28, 290, 280);
constexpr QRect kPasteCaption(330, kBody, 290, 24);
constexpr QRect kPaste(330, kBody + 28, 290, 280);
// 删除 under the list it acts on.
constexpr QPoint kRemove(kList.right() + 1 - FeatureWindow::kButtonWidth, kList.bottom() + 9);
constexpr QRect kResult(20, kRemove.y() + FeatureWindow::kButtonHeight + 8, 600, 44);
constexpr QRect kHint(20, kWindow.height() - 40, 600, 24);

// A class list is a page of names; a file far larger is not one.
constexpr qint64 kMaxListBytes = 1 << 20;
// So many skipped names are said one by one; the rest are counted.
constexpr int kSkippedShown = 12;

} // namespace

ClassListWindow::ClassListWindow(AppContext &context, QWidget *parent)
    : FeatureWindow(u"【班级名单】"_s, kWindow, parent)
    , m_context(context)
{
    setFont(cjkFont(10.5));
    chooseListFile = [this] {
        return QFileDialog::getOpenFileName(this, u"选择名单文件（每行一个名字）"_s,
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
            u"名单 (*.txt *.csv);;所有文件 (*)"_s);
    };
    buildUi();
    showClasses();
    showPupils();
    addShortcut(Qt::Key_Escape, [this] { leave(); });
    addShortcut(Qt::CTRL | Qt::Key_Return, [this] { addPasted(); });
    addShortcut(Qt::CTRL | Qt::Key_Enter, [this] { addPasted(); });
    addShortcut(Qt::CTRL | Qt::Key_O, [this] { importFile(); });
    askNewName = [this](const QString &name) {
        bool ok = false;
        const QString typed = QInputDialog::getText(
            this, u"改名"_s, u"“%1”的新名字："_s.arg(name), QLineEdit::Normal, name, &ok);
        return ok ? typed : QString();
    };
}

void ClassListWindow::buildUi()
{
    addBand(kBand);
    addLabel(u"班级："_s, kClassCaption);
    m_class = new QComboBox(this);
    m_class->setObjectName(u"className"_s);
    m_class->setGeometry(kClass);
    m_class->setEditable(true);
    m_class->setInsertPolicy(QComboBox::NoInsert);
    m_class->lineEdit()->setPlaceholderText(u"例如 三年级二班"_s);
    m_class->lineEdit()->setMaxLength(40);
    connect(m_class, &QComboBox::currentTextChanged, this, [this] { showPupils(); });

    m_buttons = { makeCloseGlyph(CloseGlyph, u"关闭"_s), new HCommand(picture::kLeave, Leave, this),
        new HCommand(picture::kImportList, Import, this),
        new HCommand(picture::kAddToClass, AddPasted, this),
        new HCommand(picture::kRemove, Remove, this) };
    m_buttons[Remove]->move(kRemove);
    m_buttons[Remove]->setToolTip(u"删除名单上选中的孩子（Delete）；有测试的会再问一次"_s);
    placeInButtonRow(m_buttons[Leave], 0);
    placeInButtonRow(m_buttons[Import], 1);
    placeInButtonRow(m_buttons[AddPasted], 2);
    m_buttons[Import]->setToolTip(u"从文本文件导入名单：每行一个名字，UTF-8（Ctrl+O）"_s);
    m_buttons[AddPasted]->setToolTip(u"把右边粘贴的名字加入这个班（Ctrl+Enter）"_s);
    for (HCommand *button : std::as_const(m_buttons)) {
        connect(button, &HCommand::clicked, this, [this](qint16 index) {
            switch (index) {
            case Import:
                return importFile();
            case AddPasted:
                return addPasted();
            case Remove:
                return removePupil();
            default:
                return leave();
            }
        });
    }
    setButtons(m_buttons);

    m_count = addLabel(QString(), kListCaption);
    m_pupils = new QListWidget(this);
    m_pupils->setObjectName(u"pupils"_s);
    m_pupils->setGeometry(kList);
    m_pupils->setFont(cjkFont(11));
    const QString frame
        = u"{ background: white; border: 1px solid %1; }"_s.arg(palette::css(palette::kBandRule));
    m_pupils->setStyleSheet(u"QListWidget "_s + frame + u" QListWidget::item { padding: 3px; }"_s);
    m_pupils->setToolTip(u"双击或按 F2 改名，按 Delete 删除"_s);
    connect(m_pupils, &QListWidget::itemDoubleClicked, this, &ClassListWindow::renamePupil);
    for (const auto &[key, action] :
        { std::pair { QKeySequence(Qt::Key_Delete), &ClassListWindow::removePupil },
            std::pair { QKeySequence(Qt::Key_F2), &ClassListWindow::renamePupil } }) {
        auto *shortcut = new QShortcut(key, m_pupils);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    }
    addLabel(u"粘贴名单，一行一个名字："_s, kPasteCaption);
    m_paste = new QPlainTextEdit(this);
    m_paste->setObjectName(u"paste"_s);
    m_paste->setGeometry(kPaste);
    m_paste->setFont(cjkFont(11));
    m_paste->setTabChangesFocus(true);
    m_paste->setPlaceholderText(u"王小明\n李华\n张三"_s);
    m_paste->setStyleSheet(u"QPlainTextEdit "_s + frame);
    m_result = addLabel(QString(), kResult);
    m_result->setObjectName(u"result"_s);
    m_result->setWordWrap(true);
    m_result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_result->setStyleSheet(palette::inkStyle(palette::kInk, true));
    addHint(
        u"名字最多 20 个字，全文件里不能重名；双击名字改名。印“全班”卷子时按这里的顺序，每人一份。"_s,
        kHint);
    setTabOrder(m_class, m_paste);
    setTabOrder(m_paste, m_buttons[AddPasted]);
    m_paste->setFocus();
}

void ClassListWindow::showClasses()
{
    QStringList classes;
    runOrReport(u"班级名单无法读取"_s, [&] { classes = childlist::classes(m_context.database()); });
    const QString typed = m_class->currentText();
    const QSignalBlocker quiet(m_class);
    m_class->clear();
    m_class->addItems(classes);
    // What was typed stays; a file's first class is offered where nothing was.
    m_class->setEditText(typed.isEmpty() && !classes.isEmpty() ? classes.first() : typed);
}

void ClassListWindow::showPupils()
{
    m_pupils->clear();
    const QString className = m_class->currentText().trimmed();
    if (className.isEmpty()) {
        m_count->setText(u"名单"_s);
        return;
    }
    QList<Child> pupils;
    runOrReport(u"班级名单无法读取"_s,
        [&] { pupils = childlist::ofClass(m_context.database(), className); });
    for (qsizetype i = 0; i < pupils.size(); ++i) {
        auto *item = new QListWidgetItem(u"%1. %2"_s.arg(i + 1).arg(pupils[i].name), m_pupils);
        item->setData(Qt::UserRole, pupils[i].id);
    }
    m_buttons[Remove]->setEnabled(!pupils.isEmpty());
    m_count->setText(
        pupils.isEmpty() ? u"名单（还没有人）"_s : u"名单（%1 人）"_s.arg(pupils.size()));
}

std::optional<Child> ClassListWindow::chosenPupil()
{
    const QListWidgetItem *item = m_pupils->currentItem();
    std::optional<Child> pupil;
    if (item)
        runOrReport(u"班级名单无法读取"_s, [&] {
            pupil = childlist::find(m_context.database(), item->data(Qt::UserRole).toLongLong());
        });
    return pupil;
}

void ClassListWindow::renamePupil()
{
    const std::optional<Child> pupil = chosenPupil();
    if (!pupil)
        return;
    const QString typed = askNewName ? askNewName(pupil->name) : QString();
    if (typed.isEmpty() || typed.trimmed() == pupil->name)
        return;
    changeChildren(
        this, u"名字没有改"_s, [&] { childlist::rename(m_context.database(), *pupil, typed); });
    const int row = m_pupils->currentRow();
    showPupils();
    m_pupils->setCurrentRow(row);
}

void ClassListWindow::removePupil()
{
    const std::optional<Child> pupil = chosenPupil();
    if (!pupil || !removeChildAsking(this, m_context, *pupil))
        return;
    const int row = m_pupils->currentRow();
    showClasses();
    showPupils();
    m_pupils->setCurrentRow(std::min(row, m_pupils->count() - 1));
    m_result->setText(u"“%1”已删除。"_s.arg(pupil->name));
}

QString ClassListWindow::chosenClass()
{
    const QString className = m_class->currentText().trimmed();
    if (className.isEmpty()) {
        showMessage(this, u"先写上班级的名字，例如“三年级二班”。"_s);
        m_class->setFocus();
    }
    return className;
}

void ClassListWindow::addPasted()
{
    if (m_paste->toPlainText().trimmed().isEmpty()) {
        showMessage(this, u"先把名单粘贴到右边的框里，一行一个名字。"_s);
        m_paste->setFocus();
        return;
    }
    if (addNames(m_paste->toPlainText().toUtf8()))
        m_paste->clear();
}

void ClassListWindow::importFile()
{
    if (chosenClass().isEmpty())
        return;
    const QString path = chooseListFile ? chooseListFile() : QString();
    if (path.isEmpty())
        return;
    QFile file(path);
    if (file.size() > kMaxListBytes) {
        showMessage(this, u"“%1”太大，不像一份名单。"_s.arg(QFileInfo(path).fileName()));
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        showMessage(
            this, u"无法读取“%1”：%2"_s.arg(QFileInfo(path).fileName(), file.errorString()));
        return;
    }
    addNames(file.readAll());
}

bool ClassListWindow::addNames(const QByteArray &text)
{
    const QString className = chosenClass();
    if (className.isEmpty())
        return false;
    childlist::Imported imported;
    if (!runOrReport(u"名单没有加入"_s,
            [&] { imported = childlist::importList(m_context.database(), text, className); }))
        return false;
    showClasses();
    m_class->setEditText(className);
    showPupils();
    QString said = u"“%1”加入了 %2 人。"_s.arg(className).arg(imported.added.size());
    if (!imported.skipped.isEmpty())
        said += u"没有加入 %1 个：%2"_s.arg(imported.skipped.size())
                    .arg(imported.skipped.mid(0, 3).join(u"；"_s)
                        + (imported.skipped.size() > 3 ? u"……"_s : QString()));
    m_result->setText(said);
    if (!imported.skipped.isEmpty()) {
        QStringList shown = imported.skipped.mid(0, kSkippedShown);
        if (imported.skipped.size() > kSkippedShown)
            shown << u"还有 %1 个。"_s.arg(imported.skipped.size() - kSkippedShown);
        showMessage(this, u"这些名字没有加入：\n"_s + shown.join(u'\n'));
    }
    return true;
}
