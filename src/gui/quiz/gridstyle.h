#pragma once

class QFont;
class QRect;
class QTableView;

// The tables of the quiz room alike: white, thin blue lines, one row at a time highlighted
// pale yellow, no row numbers, nothing edited until the window allows it.
void styleQuizGrid(QTableView *view, const QRect &geometry, const QFont &font, int rowHeight);

// The columns of a test's questions: the question takes what is left; the answer is narrower
// once the mark and the correct answer stand beside it.
void setItemColumnWidths(QTableView *grid, bool marked);
