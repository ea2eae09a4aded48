#pragma once

#include <QMessageBox>

// Every message of the program: the message title, the warning icon and Chinese buttons.
// Returns the button that was pressed.
QMessageBox::StandardButton showMessage(
    QWidget *parent, const QString &text, QMessageBox::StandardButtons buttons = QMessageBox::Ok);
