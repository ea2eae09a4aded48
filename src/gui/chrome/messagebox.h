#pragma once

#include <QMessageBox>

#include <functional>

// Every message of the program: the message title, Chinese buttons, and the warning icon, or
// the question's where it asks yes or no. Returns the button that was pressed; Enter presses
// defaultButton where one is given.
QMessageBox::StandardButton showMessage(QWidget *parent, const QString &text,
    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// What a report adds after the reason: nothing, or that the window that was closing stays
// open (its caller keeps it open).
enum class Report { Plain, WindowStaysOpen };

// Runs work that reads or writes the data file from a slot or an event handler, where an
// exception must never reach Qt: that would end the program. A failure is told in Chinese,
// `failed` saying what did not happen ("难度没有保存", "错题本无法读取") and the data file's
// explanation why. Returns false after a failure.
bool runOrReport(QWidget *parent, const QString &failed, const std::function<void()> &work,
    Report report = Report::Plain);
