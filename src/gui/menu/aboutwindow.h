#pragma once

#include "chrome/featurewindow.h"

#include <functional>

class QUrl;

// Who made the program and what it does, with links to the maker's pages.
class AboutWindow final : public FeatureWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutWindow)

public:
    using UrlOpener = std::function<bool(const QUrl &)>;

    explicit AboutWindow(UrlOpener openUrl, QWidget *parent = nullptr);

    using FeatureWindow::chrome;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void openLink(qint16 index);

    UrlOpener m_openUrl;
};
