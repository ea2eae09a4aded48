#pragma once

#include <QDialog>

class QLabel;
class WindowChrome;

// The news panel: short pieces for children and parents that come with the program, chosen
// by their headlines. The program is offline; nothing is fetched.
class NewsWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NewsWindow)

public:
    explicit NewsWindow(QWidget *parent = nullptr);

    WindowChrome *chrome() const { return m_chrome; }
    int shownArticle() const { return m_shown; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showArticle(qint16 index);

    WindowChrome *m_chrome;
    QList<QLabel *> m_headlines;
    QLabel *m_heading;
    QLabel *m_article;
    int m_shown = -1;
};
