#pragma once

#include "chrome/featurewindow.h"

class QLabel;

// The news panel: short pieces for children and parents that come with the program, chosen
// by their headlines. The program is offline; nothing is fetched.
class NewsWindow final : public FeatureWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NewsWindow)

public:
    explicit NewsWindow(QWidget *parent = nullptr);

    using FeatureWindow::chrome;
    int shownArticle() const { return m_shown; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showArticle(qint16 index);

    QList<QLabel *> m_headlines;
    QLabel *m_heading;
    QLabel *m_article;
    int m_shown = -1;
};
