#pragma once

#include <QStringList>

// One function per qrta-cli command. Each receives the arguments after its
// name, returns the exit status, and throws UsageError for a bad line.
int runLinesCommand(const QStringList &args);
int runSettingsCommand(const QStringList &args);
int runPuzzlesCommand(const QStringList &args);
int runSheetCommand(const QStringList &args);
int runRecordsCommand(const QStringList &args);
int runMistakesCommand(const QStringList &args);
int runScanCommand(const QStringList &args);
int runChildrenCommand(const QStringList &args);
int runGradebookCommand(const QStringList &args);
