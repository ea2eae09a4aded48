#pragma once

#include "worksheet/sheetdocument.h"

#include <QDialog>
#include <QList>

#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QSpinBox;

// The preview of a sheet, from which the user prints all pages, a page range
// or the current page, or saves the pages as a PDF. Opens maximised.
class PrintPreviewDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PrintPreviewDialog)

public:
    // One sheet, or a class set of sheets shown one after another.
    PrintPreviewDialog(const QList<SheetDocument> &documents, QWidget *parent = nullptr);
    ~PrintPreviewDialog() override;

    // Opens nothing when the user stopped preparing the pages.
    int exec() override;

    int pageCount() const;
    int currentPage() const;
    QString pageIndicator() const;
    QAction *action(const QString &objectName) const;

    // How a printer is chosen before printing: the print dialog, unless a
    // test puts something else here. Returns false when the user cancels.
    std::function<bool(QPrinter &)> choosePrinter;
    // How the pages of "打印指定页" are asked for; empty when cancelled.
    std::function<QList<int>(int pageCount)> askPageRange;

    void printAll();
    void printRange();
    void printCurrent();
    void savePdf();

private:
    // The first sheet's number: what a printed-to or saved PDF is called by default.
    QString suggestedFileName() const;
    void buildMenus();
    void buildToolBar();
    void updateIndicator();
    void printPages(const QList<int> &pages);

    QList<SheetDocument> m_documents;
    QPrinter *m_printer;
    QPrintPreviewWidget *m_preview;
    QLabel *m_indicator = nullptr;
    QSpinBox *m_pageBox = nullptr;
    QComboBox *m_zoomBox = nullptr;
    bool m_cancelled = false;
};
