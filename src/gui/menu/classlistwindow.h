#pragma once

#include "chrome/featurewindow.h"

#include <QByteArray>
#include <QList>

#include <functional>
#include <optional>

class AppContext;
struct Child;
class HCommand;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;

// 班级名单: a class's pupils in the order of its list, and the way to add more, pasted one
// name a line or imported from a text file. A name already in the file or twice in the list
// is said, never added twice. A pupil listed can be renamed (F2, a double click) or removed
// (Delete, 删除), as from the menu's child tag.
class ClassListWindow final : public FeatureWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClassListWindow)

public:
    enum Button : qint16 { CloseGlyph = 0, Leave, Import, AddPasted, Remove };

    explicit ClassListWindow(AppContext &context, QWidget *parent = nullptr);

    // Which text file holds a list; empty when cancelled. Tests put a path.
    std::function<QString()> chooseListFile;
    // The new name typed for a pupil (the name now given); empty when cancelled. Tests put one.
    std::function<QString(const QString &)> askNewName;

    // 加入班级: the pasted names join the class chosen.
    void addPasted();
    // 导入名单: the names of a text file join it.
    void importFile();
    // The pupil chosen in the list, renamed or removed.
    void renamePupil();
    void removePupil();

    HCommand *button(Button index) const { return m_buttons.at(index); }
    QComboBox *classBox() const { return m_class; }
    QListWidget *pupilList() const { return m_pupils; }
    QPlainTextEdit *pasteBox() const { return m_paste; }
    QLabel *resultLine() const { return m_result; }

private:
    void buildUi();
    // The class chosen, trimmed; empty, with the parent told, where none is.
    QString chosenClass();
    // Adds the names of text (a list as a file holds it) to the class; true when it was read.
    bool addNames(const QByteArray &text);
    // The class list offered and the chosen class's pupils, read again.
    void showClasses();
    void showPupils();
    // The pupil of the list's current row; none where no row is current.
    std::optional<Child> chosenPupil();

    AppContext &m_context;
    QList<HCommand *> m_buttons;
    QComboBox *m_class = nullptr;
    QLabel *m_count = nullptr;
    QListWidget *m_pupils = nullptr;
    QPlainTextEdit *m_paste = nullptr;
    QLabel *m_result = nullptr;
};
