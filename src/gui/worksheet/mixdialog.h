#pragma once

#include "chrome/featurewindow.h"
#include "worksheet/sheetrecipe.h"

class FormChooser;
class HCommand;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QSpinBox;

// 综合练习: the entries of a mixed sheet, each so many questions of one type, level and form,
// added, removed and put in order; and whether their questions are shuffled. 确定 hands
// back a recipe that makes a sheet; anything that would not is said before the dialog goes.
class MixDialog final : public FeatureWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MixDialog)

public:
    enum Button : qint16 { Close = 0, Add, Remove, Up, Down, Confirm, Cancel };

    MixDialog(const SheetRecipe &recipe, QWidget *parent = nullptr);

    SheetRecipe recipe() const { return m_recipe; }
    HCommand *button(Button index) const { return m_buttons.at(index); }
    QComboBox *typeList() const { return m_type; }
    QComboBox *levelList() const { return m_level; }
    QSpinBox *countBox() const { return m_count; }
    QListWidget *entryList() const { return m_list; }
    FormChooser *formChooser() const { return m_form; }

    void addEntry();
    void removeEntry();
    void moveEntry(int step);
    void confirm();

private:
    void buildChoices();
    void buildList();
    void setType(qint16 type);
    void showEntries(int current);

    SheetRecipe m_recipe;
    QList<HCommand *> m_buttons;
    QComboBox *m_type = nullptr;
    QComboBox *m_level = nullptr;
    FormChooser *m_form = nullptr;
    QSpinBox *m_count = nullptr;
    QListWidget *m_list = nullptr;
    QCheckBox *m_shuffle = nullptr;
    QLabel *m_total = nullptr;
};
