#include "worksheetwindow.h"
#include "chrome/pictureregistry.h"

#include "mixdialog.h"
#include "printpreviewdialog.h"
#include "scanpage.h"
#include "sheetgrid.h"
#include "sheetlayout.h"
#include "workbookexport.h"
#include "worksheetchoices.h"
#include "worksheetlayout.h"
#include "chrome/hcommand.h"
#include "chrome/palette.h"

#include "copiesbox.h"

#include "children/childlist.h"
#include "generate/catalogue.h"
#include "generate/questionmaker.h"
#include "program/appcontext.h"
#include "store/settings.h"
#include "worksheet/sheetdocument.h"
#include "worksheet/sheetmodel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>

using namespace Qt::Literals::StringLiterals;
using namespace worksheetlayout;

namespace {

void tellShortfalls(QWidget *window, const QStringList &shortfalls)
{
    showMessage(window,
        u"这份综合练习出不齐：\n%1\n请减少这几组的题数，或换一种难度、形式。"_s.arg(
            shortfalls.join(u"\n"_s)));
}

} // namespace

WorksheetWindow::WorksheetWindow(AppContext &context, QWidget *parent)
    : FeatureWindow(
        u"【试卷出题】--> "_s + catalogue::typeLabel(context.currentType()), kWindow, parent)
    , m_context(context)
    , m_type(context.currentType())
{
    // No face for the whole window: the choices keep the program's, and each text of the
    // window's own names its face.
    m_questions = new SheetModel(Worksheet::Sheet::Questions, this);
    addBand(kBandHeight);
    m_choices = new WorksheetChoices(this, m_type);
    connect(m_choices->fontList(), &QComboBox::activated, this,
        &WorksheetWindow::applyFontAndRowHeight);
    connect(m_choices->rowHeightList(), &QComboBox::activated, this,
        &WorksheetWindow::applyFontAndRowHeight);
    connect(m_choices->scannableBox(), &QCheckBox::toggled, this,
        &WorksheetWindow::applyFontAndRowHeight);
    buildButtons();
    buildSheet();
    restoreChoices();
    connect(m_choices, &WorksheetChoices::madeOfChanged, this, &WorksheetWindow::clearSheet);

    // Esc and F5 act on the window whichever of its controls has the focus.
    addShortcut(Qt::Key_Escape, [this] { onButton(Close); });
    addShortcut(Qt::Key_F5, [this] { onButton(Generate); });

    preview = [this](const QList<SheetDocument> &documents) {
        PrintPreviewDialog dialog(documents, this);
        dialog.exec();
    };
    exportSheets = [this](const QList<TitledSheet> &sheets) { exportAndOpen(sheets); };
    chooseMix = [this](SheetRecipe &recipe) {
        MixDialog dialog(recipe, this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        recipe = dialog.recipe();
        return true;
    };
}

const Worksheet &WorksheetWindow::worksheet() const
{
    static const Worksheet none;
    return m_set.isEmpty() ? none : m_set.first();
}

QList<Worksheet> WorksheetWindow::makeCopies()
{
    // 全班: a copy for each pupil on the list as it is now, in its order.
    QList<Child> pupils;
    if (const std::optional<QString> className = m_choices->wholeClass()) {
        if (!runOrReport(u"班级名单无法读取"_s,
                [&] { pupils = childlist::ofClass(m_context.database(), *className); }))
            return {};
        if (pupils.isEmpty()) {
            showMessage(this, u"“%1”的名单上还没有人。"_s.arg(*className));
            return {};
        }
    }
    m_set.setPupils(pupils);
    QStringList shortfalls;
    const QList<Worksheet> copies = m_set.copies(processQuestionMaker(),
        pupils.isEmpty() ? m_choices->copies() : int(pupils.size()), &shortfalls);
    if (!shortfalls.isEmpty())
        tellShortfalls(this, shortfalls);
    return copies;
}

QList<TitledSheet> WorksheetWindow::titledSet()
{
    QList<TitledSheet> sheets;
    for (const Worksheet &sheet : makeCopies())
        sheets.append({ sheet, printTitle(sheet) });
    return sheets;
}

void WorksheetWindow::exportAndOpen(const QList<TitledSheet> &sheets)
{
    const QString path = workbookexport::writeAndOpen(this, sheets, openUrl);
    if (path.isEmpty())
        return;
    // Where it went, shortened in the middle to the line's width and whole in the tool tip.
    const QString where = u"已导出到 %1"_s.arg(QDir::toNativeSeparators(path));
    m_paperNote->setText(
        m_paperNote->fontMetrics().elidedText(where, Qt::ElideMiddle, m_paperNote->width()));
    m_paperNote->setToolTip(where);
}

void WorksheetWindow::saveWorkbookAs()
{
    if (worksheet().questionCount() > 0)
        workbookexport::saveAs(this, titledSet());
}

void WorksheetWindow::buildButtons()
{
    m_buttons = { makeCloseGlyph(Close, QString()),
        new HCommand(picture::kGenerate, Generate, this),
        new HCommand(picture::kExport, Export, this),
        new HCommand(picture::kPrintQuestions, PrintQuestions, this),
        new HCommand(picture::kPrintAnswers, PrintAnswers, this),
        new HCommand(picture::kMixed, Mix, this), new HCommand(picture::kSingleType, Single, this),
        new HCommand(picture::kEditMix, EditMix, this) };
    for (int i = Generate; i <= PrintAnswers; ++i) {
        m_buttons[i]->move(kButtons[i - Generate]);
        m_buttons[i]->setEnabled(i == Generate); // the rest once there is a sheet
    }
    m_buttons[Mix]->move(kMixToggle);
    m_buttons[Mix]->setToolTip(u"几种题型、难度和形式，按各自的题数组成一份卷子"_s);
    m_buttons[Single]->move(kMixToggle);
    m_buttons[Single]->setToolTip(u"回到 %1 的卷子"_s.arg(catalogue::typeName(m_type)));
    m_buttons[EditMix]->move(kEditMix);
    m_buttons[EditMix]->setToolTip(u"添加、删除、排列题组"_s);
    m_buttons[Export]->setToolTip(u"导出试题和答案，用表格程序打开；点右键可另存为…"_s);
    m_buttons[Export]->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(
        m_buttons[Export], &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
            QMenu menu(this);
            menu.addAction(u"另存为…"_s, this, &WorksheetWindow::saveWorkbookAs);
            menu.exec(m_buttons[Export]->mapToGlobal(at));
        });
    for (HCommand *b : std::as_const(m_buttons))
        connect(b, &HCommand::clicked, this, &WorksheetWindow::onButton);
    setButtons(m_buttons);
    m_paperNote = addHint(u"1.支持纸张：A4纵向打印  2.系统须安装打印机驱动"_s, kPaperNote);
    m_paperNote->setObjectName(u"paperNote"_s);
}

void WorksheetWindow::buildSheet()
{
    m_placeholder = addLabel(u"选好难度、列数和行数，按【生成试题(F5)】出一份卷子。"_s, kSheet, 13);
    m_placeholder->setAlignment(Qt::AlignCenter);
    m_placeholder->setStyleSheet(
        u"color: %1; border: 2px dashed %2; border-radius: 12px; background: white;"_s.arg(
            palette::css(palette::kPlaceholderInk), palette::css(palette::kPlaceholderOutline)));
    m_grid = new SheetGrid(this);
    m_grid->setGeometry(kSheet);
    m_grid->setModel(m_questions);
    m_grid->hide();

    m_restoreLink = addLabel(u"打印标题(题型、难度、数量是变量)："_s, kTitleLink);
    m_restoreLink->setObjectName(u"restoreLink"_s);
    m_restoreLink->setToolTip(u"点击我恢复默认页面标题"_s);
    m_restoreLink->setCursor(Qt::PointingHandCursor);
    m_restoreLink->setStyleSheet(palette::inkStyle(kLinkInk));
    m_restoreLink->installEventFilter(this);
    m_title = new QLineEdit(this);
    m_title->setGeometry(kTitle);
    m_title->setObjectName(u"titleTemplate"_s);
    connect(m_title, &QLineEdit::textEdited, this, [this] { m_titleChanged = true; });
    addHint(u"1.可导出试题和答案  2.系统须安装 Excel"_s, kExcelNote);
}

void WorksheetWindow::restoreChoices()
{
    const SheetChoices choices = m_context.settings().sheetChoices(m_type);
    m_sheetRows = choices.rows;
    const FormMemory memory(m_context.database());
    m_choices->restore(choices, memory.form(FormMemory::Window::Sheet, m_type, choices.level),
        memory.mix(), memory.scannable(), { memory.vertical(m_type), memory.vertical(0) });
    setMixed(false);
    applyFontAndRowHeight();
    m_title->setText(m_context.settings().printTitle());
    m_titleChanged = false;
    QStringList classes;
    runOrReport(u"班级名单无法读取"_s, [&] { classes = childlist::classes(m_context.database()); });
    m_choices->copiesBox()->setClasses(classes);
}

SheetChoices WorksheetWindow::currentChoices() const
{
    return m_choices->current();
}

SheetChoices WorksheetWindow::printChoices() const
{
    SheetChoices choices = currentChoices();
    choices.rows = m_sheetRows; // "整页" divides by the rows of the sheet made
    return choices;
}

void WorksheetWindow::applyFontAndRowHeight()
{
    // The grid shows the sheet in the size it prints in.
    const SheetChoices choices = printChoices();
    const auto documentWith = [&](int columns) {
        Worksheet sheet = worksheet();
        sheet.setColumns(qint16(columns));
        SheetDocument document = questionDocument(sheet, choices, {});
        // Room for handwriting that a photo can be read from may print the questions smaller.
        if (m_choices->scannable())
            document.scanNumber = worksheet().number();
        return document;
    };
    SheetLayout layout = SheetLayout::compute(documentWith(m_sheetColumns));
    QString fewerColumns;
    if (layout.overflows) {
        // Lines a child could not read or answer in are no choice: the sheet takes the
        // columns that hold them, and the teacher is told.
        const auto columns = qint16(columnsThatFit(documentWith, m_sheetColumns));
        fewerColumns = overflowNote(m_sheetColumns) + u"，已改为"_s + columnsCaption(columns);
        m_sheetColumns = columns;
        m_set.setColumns(columns);
        m_choices->setColumns(columns);
        m_questions->setWorksheet(worksheet());
        m_grid->showColumns(m_sheetColumns, false);
        layout = SheetLayout::compute(documentWith(columns));
    }
    m_grid->showRowsOf(layout);
    const QString sizeNote = printedSizeNote(layout, choices);
    QStringList notes { m_shortNote, fewerColumns, sizeNote };
    notes.removeAll(QString());
    // One line beside the hints: what does not fit it is in the tool tip, whole.
    QLabel *line = m_choices->sizeNote();
    const QString all = notes.join(u"；"_s);
    line->setText(line->fontMetrics().elidedText(all, Qt::ElideRight, line->width()));
    line->setToolTip(all);
}

QString WorksheetWindow::printTitle(const Worksheet &sheet) const
{
    return m_set.titleOf(sheet, m_set.recipe().title(m_title->text(), sheet, m_choices->level()));
}

void WorksheetWindow::generate()
{
    const SheetRecipe recipe = m_choices->recipe();
    if (const QString problem = recipe.problem(); !problem.isEmpty()) {
        showMessage(this, problem);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QStringList shortfalls;
    std::optional<ClassSet> set
        = ClassSet::make(processQuestionMaker(), recipe, QDateTime::currentDateTime(), &shortfalls);
    QApplication::restoreOverrideCursor();
    // A sheet short of what the teacher asked for is not shown as if it were complete.
    if (!set) {
        tellShortfalls(this, shortfalls);
        return;
    }
    m_set = std::move(*set);
    m_shortNote = recipe.shortNote(worksheet());
    m_sheetColumns = recipe.columns;
    m_sheetRows = recipe.sheetRows();
    m_context.setCurrentTestNo(worksheet().number());
    m_questions->setWorksheet(worksheet());
    m_grid->showColumns(m_sheetColumns, false);
    m_placeholder->hide();
    m_grid->show();
    m_choices->enableLooks();
    for (int i = Export; i <= PrintAnswers; ++i)
        m_buttons[i]->setEnabled(true);
    applyFontAndRowHeight();
}

bool WorksheetWindow::mayLeave()
{
    return runOrReport(
        u"试卷的设置没有保存"_s,
        [this] {
            Settings &settings = m_context.settings();
            if (m_titleChanged)
                settings.setPrintTitle(m_title->text());
            settings.setSheetChoices(m_type, currentChoices());
            FormMemory memory(m_context.database());
            memory.setForm(FormMemory::Window::Sheet, m_choices->form());
            memory.setMix(m_choices->mix());
            memory.setScannable(m_choices->scannableBox()->isChecked());
            const auto [typeVertical, mixVertical] = m_choices->verticalChoices();
            memory.setVertical(m_type, typeVertical);
            memory.setVertical(0, mixVertical);
        },
        Report::WindowStaysOpen);
}

void WorksheetWindow::printQuestions()
{
    if (worksheet().questionCount() == 0)
        return;
    const SheetChoices choices = printChoices();
    const QList<Worksheet> sheets = makeCopies();
    const auto documentOf = [&](const Worksheet &sheet) {
        return questionDocument(sheet, choices, printTitle(sheet));
    };
    QList<SheetDocument> documents;
    if (!m_choices->scannable()) {
        for (const Worksheet &sheet : std::as_const(sheets))
            documents << documentOf(sheet);
    } else {
        // A sheet to be photographed is kept as it prints, before it can reach paper.
        if (!runOrReport(u"可拍照批改的卷子没有记进数据文件，没有打印"_s, [&] {
                documents = scanpage::fileSet(m_context.database(),
                    m_context.settings().installationNumber(), m_set, int(sheets.size()),
                    documentOf);
            }))
            return;
        // A copy renumbered when it was filed prints its answers under the same number.
        m_context.setCurrentTestNo(worksheet().number());
    }
    if (documents.isEmpty())
        return;
    m_grid->showColumns(m_sheetColumns, true);
    preview(documents);
    m_grid->showColumns(m_sheetColumns, false);
}

void WorksheetWindow::printAnswers()
{
    if (worksheet().questionCount() == 0)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    QList<SheetDocument> documents;
    for (const Worksheet &sheet : makeCopies())
        documents << answerDocument(sheet, m_choices->level(), now);
    if (!documents.isEmpty())
        preview(documents);
}

void WorksheetWindow::restoreDefaultTitle()
{
    const QString question = u"你确定要将打印页面标题恢复成系统默认的样式吗？\n\r"
                             "提示：其中的“题型”“难度”“数量”是变量。"_s;
    if (showMessage(this, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    m_title->setText(Settings::defaultPrintTitle());
    m_titleChanged = true;
}

void WorksheetWindow::onButton(qint16 index)
{
    switch (index) {
    case Close:
        leave();
        break;
    case Generate:
        generate();
        break;
    case Export:
        if (exportSheets && worksheet().questionCount() > 0) {
            if (const QList<TitledSheet> sheets = titledSet(); !sheets.isEmpty())
                exportSheets(sheets);
        }
        break;
    case PrintQuestions:
        printQuestions();
        break;
    case PrintAnswers:
        printAnswers();
        break;
    case Mix:
        setMixed(true);
        break;
    case Single:
        setMixed(false);
        break;
    case EditMix:
        editMix();
        break;
    }
}

bool WorksheetWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_restoreLink && event->type() == QEvent::MouseButtonRelease) {
        restoreDefaultTitle();
        return true;
    }
    return FeatureWindow::eventFilter(watched, event);
}

void WorksheetWindow::setMixed(bool mixed)
{
    if (mixed && m_choices->mix().entries.isEmpty())
        return editMix();
    const QString title
        = u"【试卷出题】--> "_s + (mixed ? u"综合练习"_s : catalogue::typeLabel(m_type));
    setWindowTitle(title);
    titleStrip()->setTitle(title);
    m_choices->setMixed(mixed);
    m_buttons[Mix]->setVisible(!mixed);
    m_buttons[Single]->setVisible(mixed);
    m_buttons[EditMix]->setVisible(mixed);
    m_placeholder->setText(mixed ? u"列好题组、选好列数，按【生成试题(F5)】出一份综合练习。"_s
                                 : u"选好难度、列数和行数，按【生成试题(F5)】出一份卷子。"_s);
}

void WorksheetWindow::editMix()
{
    SheetRecipe recipe = m_choices->recipe();
    recipe.entries = m_choices->mix().entries;
    recipe.shuffle = m_choices->mix().shuffle;
    recipe.vertical = m_choices->verticalChoices().second;
    if (!chooseMix || !chooseMix(recipe) || recipe.entries.isEmpty())
        return;
    m_choices->setMix({ recipe.entries, recipe.shuffle });
    setMixed(true);
}

void WorksheetWindow::clearSheet()
{
    // What is printed or exported is always what the choices say: a sheet made of other
    // choices goes until F5 makes the new one.
    if (worksheet().questionCount() == 0)
        return;
    m_set = ClassSet();
    m_shortNote.clear();
    m_questions->setWorksheet(worksheet());
    m_grid->hide();
    m_placeholder->show();
    for (int i = Export; i <= PrintAnswers; ++i)
        m_buttons[i]->setEnabled(false);
    m_choices->sizeNote()->clear();
    m_choices->sizeNote()->setToolTip(QString());
}

bool WorksheetWindow::isMixed() const
{
    return m_choices->isMixed();
}
