#pragma once

#include <QTableView>

struct SheetLayout;

// The sheet on screen, drawn at the scale of paper (1440 twips to the inch at 96 dpi): rows
// as high and columns as wide as they print, in the size the questions print in.
class SheetGrid final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SheetGrid)

public:
    static constexpr double kTwipsPerPixel = 15;

    explicit SheetGrid(QWidget *parent = nullptr);

    void showRowsOf(const SheetLayout &layout);
    // On screen the last column leaves room for the scroll bar; for paper all are equal.
    void showColumns(qint16 columns, bool equalForPaper);
};
