#include "printpreviewdialog.h"

#include "cjkfont.h"
#include "chrome/messagebox.h"
#include "pagerangedialog.h"
#include "sheetpainter.h"
#include "chrome/workprogress.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// The menus line their shortcut names up in a column with blanks, as the
// texts have always read; the keys themselves are set apart (see buildMenus).
QString menuText(const QString &caption, int blanks, const QString &keyName)
{
    return caption + QString(blanks, u' ') + keyName;
}

void preparePrinter(QPrinter &printer)
{
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    // Sheets place everything themselves, in paper coordinates.
    printer.setFullPage(true);
}

} // namespace

PrintPreviewDialog::PrintPreviewDialog(const QList<SheetDocument> &documents, QWidget *parent)
    : QDialog(parent)
    , m_documents(documents)
    , m_printer(new QPrinter(QPrinter::HighResolution))
    , m_preview(nullptr)
{
    setWindowTitle(u"打印预览"_s);
    setFont(cjkFont(10));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    preparePrinter(*m_printer);
    m_preview = new QPrintPreviewWidget(m_printer, this);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        // Until the preview shows, its progress belongs to the window it was asked from.
        WorkProgress progress(
            isVisible() || !parentWidget() ? this : parentWidget(), u"正在准备打印预览…"_s);
        m_cancelled = !printSheets(*printer, m_documents, {}, progress.callback());
    });
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this,
        &PrintPreviewDialog::updateIndicator);

    choosePrinter = [this](QPrinter &printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(u"打印"_s);
        return dialog.exec() == QDialog::Accepted;
    };
    askPageRange = [this](int pages) {
        PageRangeDialog dialog(pages, this);
        return dialog.exec() == QDialog::Accepted ? dialog.pages() : QList<int>();
    };

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenus();
    buildToolBar();
    layout->addWidget(m_preview, 1);
    m_preview->fitInView();
    m_preview->updatePreview();
    // Large enough for the whole tool bar even where a desktop does not maximise dialogs, as
    // on a small screen: its page counter must not hide behind an overflow arrow.
    if (const QScreen *shown = parent ? parent->screen() : screen()) {
        const QRect available = shown->availableGeometry();
        resize(
            std::min(available.width(), std::max(sizeHint().width(), available.width() * 9 / 10)),
            available.height() * 9 / 10);
    }
    setWindowState(Qt::WindowMaximized);
}

PrintPreviewDialog::~PrintPreviewDialog()
{
    delete m_preview;
    delete m_printer;
}

int PrintPreviewDialog::exec()
{
    // Pages the user stopped preparing make no preview worth opening.
    return m_cancelled ? QDialog::Rejected : QDialog::exec();
}

void PrintPreviewDialog::buildMenus()
{
    auto *bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    auto add = [this](QMenu *menu, const QString &name, const QString &text,
                   const QList<QKeySequence> &keys, auto slot) {
        QAction *action = menu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        // A shortcut on the action would be shown a second time after the
        // text; the dialog listens for the keys instead.
        for (const QKeySequence &key : keys) {
            auto *shortcut = new QShortcut(key, this);
            connect(shortcut, &QShortcut::activated, action, &QAction::trigger);
        }
        return action;
    };

    QMenu *file = bar->addMenu(u"文件(&F)"_s);
    add(file, u"printAll"_s, menuText(u"打印(&P)"_s, 14, u"Ctr+P"_s), { QKeySequence(u"Ctrl+P"_s) },
        &PrintPreviewDialog::printAll);
    add(file, u"printRange"_s, menuText(u"打印指定页(&S)"_s, 2, u"Ctr+S"_s),
        { QKeySequence(u"Ctrl+S"_s) }, &PrintPreviewDialog::printRange);
    add(file, u"printCurrent"_s, menuText(u"打印当前页(&C)"_s, 2, u"Ctr+C"_s),
        { QKeySequence(u"Ctrl+C"_s) }, &PrintPreviewDialog::printCurrent);
    add(file, u"savePdf"_s, u"保存PDF(&D)…"_s, {}, &PrintPreviewDialog::savePdf);
    file->addSeparator();
    add(file, u"close"_s, menuText(u"退出(&X)"_s, 13, u"Alt+F4"_s), {}, &QDialog::reject);

    QMenu *view = bar->addMenu(u"显示(&V)"_s);
    add(view, u"zoomIn"_s, menuText(u"报表放大(&I)"_s, 13, u"+"_s),
        { QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal) }, [this] {
            m_preview->zoomIn();
            updateIndicator();
        });
    add(view, u"zoomOut"_s, menuText(u"报表缩小(&O)"_s, 12, u"--"_s),
        { QKeySequence(Qt::Key_Minus) }, [this] {
            m_preview->zoomOut();
            updateIndicator();
        });
    add(view, u"fit"_s, menuText(u"适合窗口(&W)"_s, 9, u"Enter"_s),
        { QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter) }, [this] {
            m_preview->fitInView();
            updateIndicator();
        });
    view->addSeparator();
    add(view, u"firstPage"_s, menuText(u"第一页(&F)"_s, 14, u"Home"_s),
        { QKeySequence(Qt::Key_Home) }, [this] { m_preview->setCurrentPage(1); });
    add(view, u"previousPage"_s, menuText(u"上一页(&P)"_s, 14, u"PgUp"_s),
        { QKeySequence(Qt::Key_PageUp) }, [this] { m_preview->setCurrentPage(currentPage() - 1); });
    add(view, u"nextPage"_s, menuText(u"下一页(&N)"_s, 14, u"PgDn"_s),
        { QKeySequence(Qt::Key_PageDown) },
        [this] { m_preview->setCurrentPage(currentPage() + 1); });
    add(view, u"lastPage"_s, menuText(u"最后一页(&L)"_s, 12, u"End"_s),
        { QKeySequence(Qt::Key_End) }, [this] { m_preview->setCurrentPage(pageCount()); });
}

void PrintPreviewDialog::buildToolBar()
{
    auto *bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout()->addWidget(bar);
    auto tool = [this, bar](const QString &name, const QString &text, const QString &tip,
                    QStyle::StandardPixmap icon) {
        QAction *target = action(name);
        QAction *button = bar->addAction(style()->standardIcon(icon), text);
        button->setToolTip(tip);
        connect(button, &QAction::triggered, target, &QAction::trigger);
        return button;
    };
    tool(u"printAll"_s, u"打印"_s, u"打印报表"_s, QStyle::SP_FileDialogDetailedView);
    bar->addSeparator();
    tool(u"zoomIn"_s, u"放大"_s, u"报表放大"_s, QStyle::SP_ArrowUp);
    tool(u"zoomOut"_s, u"缩小"_s, u"报表缩小"_s, QStyle::SP_ArrowDown);
    tool(u"fit"_s, u"适合"_s, u"适合窗口"_s, QStyle::SP_TitleBarNormalButton);

    m_zoomBox = new QComboBox(bar);
    m_zoomBox->setToolTip(u"报表显示比例"_s);
    // Editable, so that a zoom between the steps (fitting the window) shows too.
    m_zoomBox->setEditable(true);
    m_zoomBox->setInsertPolicy(QComboBox::NoInsert);
    m_zoomBox->setMinimumContentsLength(5);
    connect(m_zoomBox->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        bool ok = false;
        const int percent = m_zoomBox->currentText().remove(u'%').trimmed().toInt(&ok);
        if (ok && percent >= 10 && percent <= 800)
            m_preview->setZoomFactor(percent / 100.0);
        updateIndicator();
    });
    for (int percent : { 25, 50, 75, 100, 125, 150, 200, 300, 400 })
        m_zoomBox->addItem(u"%1%"_s.arg(percent), percent);
    connect(m_zoomBox, &QComboBox::activated, this, [this](int index) {
        m_preview->setZoomFactor(m_zoomBox->itemData(index).toInt() / 100.0);
        updateIndicator();
    });
    bar->addWidget(m_zoomBox);
    bar->addSeparator();

    tool(u"firstPage"_s, QString(), u"显示第一页"_s, QStyle::SP_MediaSkipBackward);
    tool(u"previousPage"_s, QString(), u"显示上一页"_s, QStyle::SP_MediaSeekBackward);
    m_pageBox = new QSpinBox(bar);
    m_pageBox->setToolTip(u"当前页码"_s);
    m_pageBox->setMinimum(1);
    connect(m_pageBox, &QSpinBox::valueChanged, this,
        [this](int page) { m_preview->setCurrentPage(page); });
    bar->addWidget(m_pageBox);
    tool(u"nextPage"_s, QString(), u"显示下一页"_s, QStyle::SP_MediaSeekForward);
    tool(u"lastPage"_s, QString(), u"显示最后一页"_s, QStyle::SP_MediaSkipForward);
    bar->addSeparator();
    // The pages are made before the preview shows, under a progress dialog
    // with a button of its own to stop; here there is never anything to stop.
    QAction *stop = bar->addAction(style()->standardIcon(QStyle::SP_BrowserStop), QString());
    stop->setToolTip(u"停止初始数据"_s);
    stop->setEnabled(false);
    bar->addSeparator();
    m_indicator = new QLabel(bar);
    m_indicator->setContentsMargins(12, 0, 12, 0);
    bar->addWidget(m_indicator);
}

QAction *PrintPreviewDialog::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

int PrintPreviewDialog::pageCount() const
{
    return m_preview->pageCount();
}

int PrintPreviewDialog::currentPage() const
{
    return m_preview->currentPage();
}

QString PrintPreviewDialog::pageIndicator() const
{
    return SheetPainter::pageTextSections(u"第 \\p 页 总共 \\P 页"_s, currentPage(), pageCount())
        .first();
}

void PrintPreviewDialog::updateIndicator()
{
    if (!m_indicator)
        return;
    m_indicator->setText(pageIndicator());
    const QSignalBlocker blocker(m_pageBox);
    m_pageBox->setMaximum(std::max(1, pageCount()));
    m_pageBox->setValue(currentPage());
    const int percent = int(std::lround(m_preview->zoomFactor() * 100));
    m_zoomBox->setCurrentIndex(m_zoomBox->findData(percent));
    if (m_zoomBox->currentIndex() < 0)
        m_zoomBox->setEditText(u"%1%"_s.arg(percent));
}

QString PrintPreviewDialog::suggestedFileName() const
{
    QString name = m_documents.isEmpty() ? QString() : m_documents.first().fileName;
    if (name.isEmpty())
        name = u"试卷"_s;
    return name.replace(QRegularExpression(u"[\\\\/:*?\"<>|\\t]"_s), u"_"_s);
}

void PrintPreviewDialog::printPages(const QList<int> &pages)
{
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    printer.setDocName(suggestedFileName());
    // The pages asked for stand in the print dialog, where they can still be changed.
    if (!pages.isEmpty()) {
        QPageRanges ranges;
        for (const int page : pages)
            ranges.addPage(page);
        printer.setPageRanges(ranges);
        printer.setPrintRange(QPrinter::PageRange);
    }
    // A file is offered where the last one went, else in the user's documents.
    static QString lastFolder;
    const QString working = QDir::currentPath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString folder = QFileInfo(lastFolder).isDir() ? lastFolder
        : QFileInfo(documents).isDir()                   ? documents
                                                         : QDir::homePath();
    // The dialog offers the document's name in the working folder; a file name set here
    // would turn printing to paper into printing to a file.
    QDir::setCurrent(folder);
    const bool chosen = choosePrinter(printer);
    QDir::setCurrent(working);
    if (!chosen)
        return;
    if (!printer.outputFileName().isEmpty())
        lastFolder = QFileInfo(printer.outputFileName()).absolutePath();
    QList<int> chosenPages;
    if (printer.printRange() == QPrinter::PageRange) {
        for (int page = 1; page <= pageCount(); ++page) {
            if (printer.pageRanges().contains(page))
                chosenPages << page;
        }
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        chosenPages << currentPage();
    }
    WorkProgress progress(this, u"正在排版，准备打印…"_s);
    const ProgressCallback step = progress.callback();
    const int layouts = int(m_documents.size());
    printSheets(printer, m_documents, chosenPages, [&](int done, int total) {
        // From the first page on the printer's job has begun and cannot be called back.
        if (done == layouts + 1)
            progress.forbidCancel(u"正在送往打印机，请稍候…"_s);
        return step(done, total);
    });
}

void PrintPreviewDialog::printAll()
{
    printPages({});
}

void PrintPreviewDialog::printRange()
{
    const QList<int> pages = askPageRange(pageCount());
    if (!pages.isEmpty())
        printPages(pages);
}

void PrintPreviewDialog::printCurrent()
{
    printPages({ currentPage() });
}

void PrintPreviewDialog::savePdf()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(this, u"保存PDF"_s,
        QDir(folder).filePath(suggestedFileName() + u".pdf"_s), u"PDF 文件 (*.pdf)"_s);
    if (path.isEmpty())
        return;
    QString error;
    WorkProgress progress(this, u"正在保存 PDF…"_s);
    if (!writeSheetsPdf(m_documents, path, &error, {}, progress.callback())
        && !progress.wasCancelled())
        showMessage(this, error);
}
