#pragma once

#include <QDialog>

#include <functional>

class HCommand;
class QLabel;
class QUrl;
class WindowChrome;

// Who made the program and what it does, with links to the maker's pages.
class AboutWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutWindow)

public:
    using UrlOpener = std::function<bool(const QUrl &)>;

    explicit AboutWindow(UrlOpener openUrl, QWidget *parent = nullptr);

    WindowChrome *chrome() const { return m_chrome; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void openLink(qint16 index);

    UrlOpener m_openUrl;
    WindowChrome *m_chrome;
};
