#pragma once

#include "chrome/featurewindow.h"

#include <QStringList>

// Every distinct way a hand reaches 24, one under the other.
class SolutionsDialog final : public FeatureWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SolutionsDialog)

public:
    SolutionsDialog(const QList<int> &hand, QWidget *parent = nullptr);

    const QStringList &solutions() const { return m_solutions; }

private:
    QStringList m_solutions;
};
