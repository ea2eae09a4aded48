#pragma once

class AppContext;
class QWidget;
struct Child;

// Removes a child from the data file after asking: once, and where the child has tests a
// second time with how many go with it. Where the child was the current one, the first child
// of the list becomes current. A refusal (the last child) or a failing file is said; true
// when the child is gone.
bool removeChildAsking(QWidget *parent, AppContext &context, const Child &child);
