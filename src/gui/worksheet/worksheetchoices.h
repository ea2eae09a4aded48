#pragma once

#include "worksheet/formmemory.h"
#include "worksheet/sheetchoices.h"
#include "worksheet/sheetrecipe.h"

#include <QObject>

#include <optional>

class CopiesBox;
class FeatureWindow;
class FormChooser;
class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

// The choices on the worksheet window's band: the level and the form of the type's questions,
// or in their place the entries of a mixed sheet (综合练习) with the rows they take; the
// columns, rows, font and row height; and the copies of a class set.
class WorksheetChoices final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WorksheetChoices)

public:
    WorksheetChoices(FeatureWindow *window, qint16 type);

    // vertical: whether the type's sheet and the mixed sheet were 竖式.
    void restore(const SheetChoices &choices, const QuestionForm &form, const FormMemory::Mix &mix,
        bool scannable, std::pair<bool, bool> vertical);
    SheetChoices current() const;
    qint16 level() const;
    QuestionForm form() const;
    // The copies of a set without names; or 全班, the class whose pupils get one each.
    int copies() const;
    std::optional<QString> wholeClass() const;
    // 可拍照批改: question sheets with corner marks and codes, kept to be marked from photos.
    bool scannable() const;
    // 竖式, for the type's sheet and for the mixed one; what the next sheet is, where its type
    // offers it.
    std::pair<bool, bool> verticalChoices() const { return { m_typeVertical, m_mixVertical }; }
    bool isVertical() const;
    QCheckBox *verticalBox() const { return m_vertical; }
    // What the next sheet is made of: the type's form in the chosen rows, or the mix.
    SheetRecipe recipe() const;

    const FormMemory::Mix &mix() const { return m_mix; }
    void setMix(const FormMemory::Mix &mix);
    bool isMixed() const { return m_mixed; }
    void setMixed(bool mixed);

    // Font and row height change a sheet on screen: they open once there is one.
    void enableLooks();
    QComboBox *fontList() const { return m_font; }
    QComboBox *columnList() const { return m_columns; }
    // The sheet on screen had to be laid out in fewer columns: the next one starts there too.
    void setColumns(qint16 columns);
    QComboBox *rowHeightList() const { return m_rowHeight; }
    QLabel *sizeNote() const { return m_sizeNote; }
    QCheckBox *scannableBox() const { return m_scannable; }
    CopiesBox *copiesBox() const { return m_copies; }
    FormChooser *formChooser() const { return m_form; }

signals:
    // The user changed what the next sheet is made of: level, form, columns, rows, the mix or
    // its mode; the sheet on screen no longer is what the choices say.
    void madeOfChanged();

private:
    void showMix();
    // The 竖式 box as the mode and type allow it, after the form's lists; a 竖式 has no blank
    // and is not photographed.
    void showVertical();

    qint16 m_type;
    bool m_mixed = false;
    FormMemory::Mix m_mix;
    QLabel *m_levelCaption = nullptr;
    QComboBox *m_level = nullptr;
    QComboBox *m_columns = nullptr;
    QLabel *m_mixSummary = nullptr;
    QLabel *m_mixRows = nullptr;
    QLabel *m_formCaption = nullptr;
    FormChooser *m_form = nullptr;
    QSpinBox *m_rows = nullptr;
    QComboBox *m_font = nullptr;
    QComboBox *m_rowHeight = nullptr;
    CopiesBox *m_copies = nullptr;
    QCheckBox *m_scannable = nullptr;
    QCheckBox *m_vertical = nullptr;
    bool m_typeVertical = false;
    bool m_mixVertical = false;
    QLabel *m_firstHint = nullptr;
    QLabel *m_secondHint = nullptr;
    QLabel *m_sizeNote = nullptr;
};
