#include "worksheetwindow.h"

#include "cjkfont.h"
#include "printpreviewdialog.h"
#include "sheetlayout.h"
#include "workbookexport.h"
#include "worksheetlayout.h"
#include "chrome/hcommand.h"
#include "chrome/palette.h"

#include "generate/catalogue.h"
#include "generate/questionmaker.h"
#include "program/appcontext.h"
#include "store/settings.h"
#include "worksheet/sheetdocument.h"
#include "worksheet/sheetmodel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>

using namespace Qt::Literals::StringLiterals;
using namespace worksheetlayout;

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
    buildChoices();
    buildButtons();
    buildSheet();
    restoreChoices();

    // Esc and F5 act on the window whichever of its controls has the focus.
    addShortcut(Qt::Key_Escape, [this] { onButton(Close); });
    addShortcut(Qt::Key_F5, [this] { onButton(Generate); });

    preview = [this](const QList<SheetDocument> &documents) {
        PrintPreviewDialog dialog(documents, this);
        dialog.exec();
    };
    exportSheets = [this](const QList<TitledSheet> &sheets) { exportAndOpen(sheets); };
}

QList<Worksheet> WorksheetWindow::classSet()
{
    const int copies = m_copies->value();
    // The rest of the set is made once and kept, so that its questions and
    // its answers always belong together.
    QuestionMaker &maker = processQuestionMaker();
    while (m_otherCopies.size() < copies - 1) {
        m_otherCopies << Worksheet::generate(maker, m_worksheet.type(), m_worksheet.level(),
            m_worksheet.columns(), m_sheetRows, m_madeAt.addSecs(m_otherCopies.size() + 1));
    }
    return QList<Worksheet> { m_worksheet } + m_otherCopies.mid(0, copies - 1);
}

QList<TitledSheet> WorksheetWindow::titledSet()
{
    QList<TitledSheet> sheets;
    for (const Worksheet &sheet : classSet())
        sheets.append({ sheet, printTitle(sheet) });
    return sheets;
}

void WorksheetWindow::exportAndOpen(const QList<TitledSheet> &sheets)
{
    if (sheets.isEmpty())
        return;
    const QString path = workbookexport::freshPath(sheets.first().sheet.number());
    if (!workbookexport::write(this, sheets, path))
        return;
    if (!openUrl(QUrl::fromLocalFile(path))) {
        showMessage(this,
            u"试题和答案已导出到：\n%1\n但没有找到能打开它的表格程序。"
            "可以用“另存为…”（在【导出Excel】上点右键）把它存到别处。"_s.arg(
                QDir::toNativeSeparators(path)));
    }
}

void WorksheetWindow::saveWorkbookAs()
{
    if (m_worksheet.questionCount() == 0)
        return;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(this, u"另存为"_s,
        QDir(folder).filePath(m_worksheet.number() + u".xlsx"_s), u"Excel 工作簿 (*.xlsx)"_s);
    if (!path.isEmpty())
        workbookexport::write(this, titledSet(), path);
}

QLabel *WorksheetWindow::addHint(const QString &text, const QRect &geometry)
{
    QLabel *hint = addLabel(text, geometry, 9);
    hint->setStyleSheet(palette::inkStyle(palette::kQuietInk));
    return hint;
}

void WorksheetWindow::buildChoices()
{
    addLabel(u"难度选择："_s, kLevelCaption);
    m_level = new QComboBox(this);
    m_level->setGeometry(kLevel);
    m_level->addItems(catalogue::levelCaptions(m_type));
    m_level->setObjectName(u"level"_s);
    addLabel(u"试卷列数："_s, kColumnsCaption);
    m_columns = new QComboBox(this);
    m_columns->setGeometry(kColumns);
    m_columns->addItems(sheetformat::columnCaptions());
    m_columns->setObjectName(u"columns"_s);

    addLabel(u"试卷行数："_s, kRowsCaption);
    m_rows = new QSpinBox(this);
    m_rows->setGeometry(kRows);
    m_rows->setRange(1, sheetformat::kMaxRows);
    m_rows->setObjectName(u"rows"_s);
    addLabel(u"试卷字体："_s, kFontCaption);
    m_font = new QComboBox(this);
    m_font->setGeometry(kFont);
    m_font->addItems(sheetformat::fontCaptions());
    m_font->setObjectName(u"font"_s);
    m_font->setEnabled(false);
    addLabel(u"试卷行高："_s, kRowHeightCaption);
    m_rowHeight = new QComboBox(this);
    m_rowHeight->setGeometry(kRowHeight);
    m_rowHeight->addItems(sheetformat::rowHeightCaptions());
    m_rowHeight->setObjectName(u"rowHeight"_s);
    m_rowHeight->setEnabled(false);
    addHint(u"1.先选择难度，设置列数"_s, kFirstHint);
    // A class set: every child gets a sheet of its own.
    addLabel(u"份数："_s, kCopiesCaption);
    m_copies = new QSpinBox(this);
    m_copies->setObjectName(u"copies"_s);
    m_copies->setGeometry(kCopies);
    m_copies->setRange(1, 60);
    m_copies->setToolTip(u"多于一份时，打印与导出整套卷子，每份题目不同"_s);
    addHint(u"2.设置行数 -> 生成试题"_s, kSecondHint);
    m_sizeNote = addHint(QString(), kSizeNote);
    m_sizeNote->setObjectName(u"sizeNote"_s);
    m_sizeNote->setStyleSheet(palette::inkStyle(kSizeNoteInk));

    connect(m_font, &QComboBox::activated, this, &WorksheetWindow::applyFontAndRowHeight);
    connect(m_rowHeight, &QComboBox::activated, this, &WorksheetWindow::applyFontAndRowHeight);
}

void WorksheetWindow::buildButtons()
{
    m_buttons = { makeCloseGlyph(Close, QString()), new HCommand(49, Generate, this),
        new HCommand(54, Export, this), new HCommand(55, PrintQuestions, this),
        new HCommand(56, PrintAnswers, this) };
    for (int i = Generate; i <= PrintAnswers; ++i) {
        m_buttons[i]->move(kButtons[i - Generate]);
        m_buttons[i]->setEnabled(i == Generate); // the rest once there is a sheet
    }
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
    addHint(u"1.支持纸张：A4纵向打印  2.系统须安装打印机驱动"_s, kPaperNote);
}

void WorksheetWindow::buildSheet()
{
    m_placeholder = addLabel(u"选好难度、列数和行数，按【生成试题(F5)】出一份卷子。"_s, kSheet, 13);
    m_placeholder->setAlignment(Qt::AlignCenter);
    m_placeholder->setStyleSheet(
        u"color: %1; border: 2px dashed #b9d0ea; border-radius: 12px;"
        " background: white;"_s.arg(palette::css(palette::kPlaceholderInk)));
    m_grid = new QTableView(this);
    m_grid->setGeometry(kSheet);
    m_grid->setModel(m_questions);
    m_grid->horizontalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setShowGrid(true);
    m_grid->setStyleSheet(u"QTableView { background: white; gridline-color: #dde7f2;"
                          " border: 1px solid %1; }"_s.arg(palette::css(palette::kBandRule)));
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
    const SheetChoices choices
        = SheetChoices::fromSetting(m_context.settings().read(u"txa%1"_s.arg(m_type)), m_type);
    m_level->setCurrentIndex(choices.level - 1);
    m_columns->setCurrentIndex(choices.columns - 2);
    m_sheetRows = choices.rows;
    m_rows->setValue(choices.rows);
    m_font->setCurrentIndex(choices.font - 1);
    m_rowHeight->setCurrentIndex(choices.rowHeight - 1);
    applyFontAndRowHeight();
    m_title->setText(m_context.settings().system5());
    m_titleChanged = false;
}

SheetChoices WorksheetWindow::currentChoices() const
{
    SheetChoices choices;
    choices.level = qint16(m_level->currentIndex() + 1);
    choices.columns = qint16(m_columns->currentIndex() + 2);
    choices.rows = qint16(m_rows->value());
    choices.font = qint16(m_font->currentIndex() + 1);
    choices.rowHeight = qint16(m_rowHeight->currentIndex() + 1);
    return choices;
}

SheetChoices WorksheetWindow::printChoices() const
{
    SheetChoices choices = currentChoices();
    choices.rows = m_sheetRows; // "整页" divides by the rows of the sheet made
    return choices;
}

void WorksheetWindow::applyFontAndRowHeight()
{
    // The grid shows the sheet at the scale of paper, in the size it prints in.
    const SheetChoices choices = printChoices();
    const SheetLayout layout = SheetLayout::compute(questionDocument(m_worksheet, choices, {}));
    const int rowPixels = std::max(1, int(std::lround(layout.rowHeight / kTwipsPerPixel)));
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setMinimumSectionSize(1);
    m_grid->verticalHeader()->setDefaultSectionSize(rowPixels);
    // Whole pixels may leave a row a little lower than on paper, and the grid
    // line takes one: the font follows, so that no glyph is cut or overlaps.
    QFont font = cjkMonoFont();
    int pixels = std::max(1, int(layout.cellPoints * 20 / kTwipsPerPixel));
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > rowPixels - 1)
        font.setPixelSize(--pixels);
    m_grid->setFont(font);
    QFont numbers = cjkFont(9);
    if (QFontMetrics(numbers).height() > QFontMetrics(font).height())
        numbers.setPixelSize(pixels);
    m_grid->verticalHeader()->setFont(numbers);
    m_sizeNote->setText(printedSizeNote(layout, choices));
}

void WorksheetWindow::applyColumnWidths(bool equalForPaper)
{
    const double width = sheetformat::columnWidthTwips(m_sheetColumns);
    for (int column = 0; column < m_sheetColumns; ++column) {
        // On screen the last column leaves room for the scroll bar.
        const double twips = column == m_sheetColumns - 1 && !equalForPaper ? width - 500 : width;
        m_grid->setColumnWidth(column, int(std::lround(twips / kTwipsPerPixel)));
    }
}

QString WorksheetWindow::printTitle(const Worksheet &sheet) const
{
    return sheetTitle(
        m_title->text(), m_type, qint16(m_level->currentIndex() + 1), sheet.questionCount());
}

void WorksheetWindow::generate()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_sheetColumns = qint16(m_columns->currentIndex() + 2);
    m_sheetRows = qint16(m_rows->value());
    m_madeAt = QDateTime::currentDateTime();
    m_worksheet = Worksheet::generate(processQuestionMaker(), m_type,
        qint16(m_level->currentIndex() + 1), m_sheetColumns, m_sheetRows, m_madeAt);
    m_otherCopies.clear();
    m_context.setCurrentTestNo(m_worksheet.number());
    m_questions->setWorksheet(m_worksheet);
    applyColumnWidths(false);
    m_placeholder->hide();
    m_grid->show();
    m_font->setEnabled(true);
    m_rowHeight->setEnabled(true);
    for (int i = Export; i <= PrintAnswers; ++i)
        m_buttons[i]->setEnabled(true);
    applyFontAndRowHeight();
    QApplication::restoreOverrideCursor();
}

bool WorksheetWindow::mayLeave()
{
    return runOrReport(
        u"试卷的设置没有保存"_s,
        [this] {
            Settings &settings = m_context.settings();
            if (m_titleChanged)
                settings.write(u"system_5"_s, m_title->text());
            settings.write(u"txa%1"_s.arg(m_type), currentChoices().toSetting());
        },
        Report::WindowStaysOpen);
}

void WorksheetWindow::printQuestions()
{
    if (m_worksheet.questionCount() == 0)
        return;
    const SheetChoices choices = printChoices();
    QList<SheetDocument> documents;
    for (const Worksheet &sheet : classSet())
        documents << questionDocument(sheet, choices, printTitle(sheet));
    applyColumnWidths(true);
    preview(documents);
    applyColumnWidths(false);
}

void WorksheetWindow::printAnswers()
{
    if (m_worksheet.questionCount() == 0)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    QList<SheetDocument> documents;
    for (const Worksheet &sheet : classSet())
        documents << answerDocument(sheet, qint16(m_level->currentIndex() + 1), now);
    preview(documents);
}

void WorksheetWindow::restoreDefaultTitle()
{
    QMessageBox box(QMessageBox::Question, u"【晨曦算苑】提示："_s,
        u"你确定要将打印页面标题恢复成系统默认的样式吗？\n\r"
        "提示：其中的“题型”“难度”“数量”是变量。"_s,
        QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(u"是(&Y)"_s);
    box.button(QMessageBox::No)->setText(u"否(&N)"_s);
    if (box.exec() != QMessageBox::Yes)
        return;
    m_title->setText(Settings::key(u"system_5"_s)->firstStartValue);
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
        if (exportSheets && m_worksheet.questionCount() > 0)
            exportSheets(titledSet());
        break;
    case PrintQuestions:
        printQuestions();
        break;
    case PrintAnswers:
        printAnswers();
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
