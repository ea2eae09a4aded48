#pragma once

#include <QDialog>
#include <QList>

class QLineEdit;

// Asks for the pages to print in the "-2,4,6-8,10-" syntax. A text that does
// not read, or names none of the document's pages, is answered with what is
// wrong, and the dialog stays open.
class PageRangeDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PageRangeDialog)

public:
    PageRangeDialog(int pageCount, QWidget *parent = nullptr);

    QList<int> pages() const { return m_pages; }
    QLineEdit *input() const { return m_input; }

    void accept() override;

private:
    int m_pageCount;
    QLineEdit *m_input;
    QList<int> m_pages;
};
