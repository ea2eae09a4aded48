#pragma once

#include <functional>

class AppContext;
class QString;
class QWidget;
struct Child;

// Runs a change of the file's children: a name or change the list refuses is said as it is,
// a failing file as every window says it (failed names what did not happen). True when the
// change went through.
bool changeChildren(QWidget *parent, const QString &failed, const std::function<void()> &change);

// Removes a child from the data file after asking: once, and where the child has tests a
// second time with how many go with it. Where the child was the current one, the first child
// of the list becomes current. True when the child is gone.
bool removeChildAsking(QWidget *parent, AppContext &context, const Child &child);
