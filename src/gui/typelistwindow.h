#pragma once

#include <QWidget>

// A plain first window listing the question types with a sample line each,
// until the picture menu takes its place.
class TypeListWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TypeListWindow)

public:
    explicit TypeListWindow(QWidget *parent = nullptr);
};
