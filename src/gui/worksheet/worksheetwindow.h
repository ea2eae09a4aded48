#pragma once

#include "chrome/featurewindow.h"

#include "worksheet/classset.h"
#include "worksheet/sheetchoices.h"
#include "worksheet/sheetrecipe.h"
#include "worksheet/sheetworkbook.h"
#include "worksheet/worksheet.h"

#include <QDesktopServices>
#include <QList>
#include <QUrl>

#include <functional>

class AppContext;
class HCommand;
class QLabel;
class QLineEdit;
class SheetGrid;
class SheetModel;
class WorksheetChoices;
struct SheetDocument;

// 试卷出题: choices of a worksheet for the current question type (with its carrying and
// blank), or the entries of a mixed sheet (综合练习); the sheet itself, and its printing and
// export. The choices and forms are kept per type, the mixed sheet's entries and the print
// title template for all types.
class WorksheetWindow final : public FeatureWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WorksheetWindow)

public:
    enum Button : qint16 {
        Close = 0,
        Generate = 1,
        Export = 2,
        PrintQuestions = 3,
        PrintAnswers = 4,
        Mix = 5,
        Single = 6,
        EditMix = 7
    };

    explicit WorksheetWindow(AppContext &context, QWidget *parent = nullptr);

    // How sheets are previewed and printed; tests put a recorder here.
    std::function<void(const QList<SheetDocument> &)> preview;
    // How the sheets of the set are exported: written to a new workbook and opened.
    std::function<void(const QList<TitledSheet> &)> exportSheets;
    // How a written workbook is opened; false when nothing can open it.
    std::function<bool(const QUrl &)> openUrl
        = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    // How the entries of a mixed sheet are chosen; false when the teacher cancels.
    std::function<bool(SheetRecipe &)> chooseMix;

    void generate();
    void printQuestions();
    void printAnswers();
    void restoreDefaultTitle();
    void exportAndOpen(const QList<TitledSheet> &sheets);
    void saveWorkbookAs();
    // Between the current type's sheet and a mixed one; a mixed sheet without entries asks
    // for them first.
    void setMixed(bool mixed);
    bool isMixed() const;
    void editMix();

    SheetChoices currentChoices() const;
    bool titleChanged() const { return m_titleChanged; }
    QString printTitle(const Worksheet &sheet) const;
    // The sheet on screen: the first copy of the set.
    const Worksheet &worksheet() const;
    // The sheet on screen and, with more than one copy, the rest of the set; empty, with a
    // message, where a copy comes out short.
    QList<Worksheet> makeCopies();
    // The set with each sheet's print title, as it is exported.
    QList<TitledSheet> titledSet();
    HCommand *button(Button index) const { return m_buttons.at(index); }
    SheetGrid *grid() const { return m_grid; }
    WorksheetChoices *choices() const { return m_choices; }

protected:
    // The choices are kept for the next sheet of the type; the window stays until they are.
    bool mayLeave() override;
    // A click on the title's caption restores the default title.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildButtons();
    void buildSheet();
    void restoreChoices();
    SheetChoices printChoices() const;
    void applyFontAndRowHeight();
    void clearSheet();
    void onButton(qint16 index);

    AppContext &m_context;
    qint16 m_type;
    ClassSet m_set; // the sheet on screen and the rest of its set, made when first needed
    qint16 m_sheetColumns = 5;
    QString m_shortNote; // why the sheet has fewer questions than chosen
    QLabel *m_paperNote = nullptr; // what paper prints, then where the last export went
    qint16 m_sheetRows = 10;
    bool m_titleChanged = false;

    QList<HCommand *> m_buttons;
    WorksheetChoices *m_choices = nullptr;
    QLineEdit *m_title = nullptr;
    QLabel *m_restoreLink = nullptr;
    QLabel *m_placeholder = nullptr;
    SheetGrid *m_grid = nullptr;
    SheetModel *m_questions = nullptr;
};
