#include "pagerangedialog.h"

#include "chrome/messagebox.h"
#include "worksheet/pagerange.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

PageRangeDialog::PageRangeDialog(int pageCount, QWidget *parent)
    : QDialog(parent)
    , m_pageCount(pageCount)
    , m_input(new QLineEdit(this))
{
    setWindowTitle(u"指定页码打印"_s);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"输入打印指定页码(-2,4,6-8,10-)"_s, this));
    m_input->setPlaceholderText(u"例如：1-%1"_s.arg(pageCount));
    layout->addWidget(m_input);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(u"确定"_s, QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(u"取消"_s, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &PageRangeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PageRangeDialog::reject);
    layout->addWidget(buttons);
}

void PageRangeDialog::accept()
{
    const PageRange range = PageRange::read(m_input->text());
    const QList<int> pages = range.pagesOf(m_pageCount);
    if (pages.isEmpty()) {
        showMessage(this,
            range.isValid() ? u"“%1”没有选中任何一页：共 %2 页"_s.arg(m_input->text().trimmed())
                                  .arg(m_pageCount)
                            : range.error());
        m_input->setFocus();
        m_input->selectAll();
        return;
    }
    m_pages = pages;
    QDialog::accept();
}
