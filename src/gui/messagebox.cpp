#include "messagebox.h"

#include "shell/programinfo.h"

#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

QMessageBox::StandardButton showMessage(
    QWidget *parent, const QString &text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Warning, programinfo::messageTitle(), text, buttons, parent);
    // Qt's own button texts are English unless its translations are installed.
    const std::pair<QMessageBox::StandardButton, QString> captions[] = {
        { QMessageBox::Ok, u"确定"_s },
        { QMessageBox::Cancel, u"取消"_s },
        { QMessageBox::Yes, u"是"_s },
        { QMessageBox::No, u"否"_s },
    };
    for (const auto &[button, caption] : captions) {
        if (QAbstractButton *widget = box.button(button))
            widget->setText(caption);
    }
    return QMessageBox::StandardButton(box.exec());
}
