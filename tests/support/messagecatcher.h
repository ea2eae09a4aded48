#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

// Answers the next message box once it shows, and keeps what it said.
struct MessageCatcher
{
    QString title;
    QString text;

    void arm(QMessageBox::StandardButton button = QMessageBox::Ok)
    {
        // Nothing shown must not pass for what an earlier box said.
        title.clear();
        text.clear();
        QTimer::singleShot(0, [this, button] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            title = box->windowTitle();
            text = box->text();
            box->button(button)->click();
        });
    }
};
