#include "messagebox.h"

#include "program/programinfo.h"
#include "store/database.h"

#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

QMessageBox::StandardButton showMessage(QWidget *parent, const QString &text,
    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    const QMessageBox::Icon icon
        = buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Question : QMessageBox::Warning;
    QMessageBox box(icon, programinfo::messageTitle(), text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    // Qt's own button texts are English unless its translations are installed.
    const std::pair<QMessageBox::StandardButton, QString> captions[] = {
        { QMessageBox::Ok, u"确定"_s },
        { QMessageBox::Cancel, u"取消"_s },
        { QMessageBox::Yes, u"是(&Y)"_s },
        { QMessageBox::No, u"否(&N)"_s },
    };
    for (const auto &[button, caption] : captions) {
        if (QAbstractButton *widget = box.button(button))
            widget->setText(caption);
    }
    return QMessageBox::StandardButton(box.exec());
}

bool runOrReport(
    QWidget *parent, const QString &failed, const std::function<void()> &work, Report report)
{
    QString reason;
    try {
        work();
        return true;
    } catch (const DatabaseError &error) {
        // The engine's own words are English and for the log only.
        qWarning("%s", error.what());
        reason = error.explanation();
    } catch (const std::exception &error) {
        qWarning("%s", error.what());
        reason = u"程序出了意外的错误。"_s;
    }
    QString text = failed + u"："_s + reason;
    if (report == Report::WindowStaysOpen)
        text += u"\n窗口没有关闭，请稍后再试。"_s;
    showMessage(parent, text);
    return false;
}
