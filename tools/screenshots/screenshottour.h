#pragma once

#include <QObject>
#include <QString>

#include <functional>

class MainMenuWindow;
class QWidget;
class WorksheetWindow;

// For scripts/screenshot: once the menu is on the screen, saves a PNG of the menu at rest,
// with a type button hovered, of the about window and of the news panel, then ends the
// program. The pointer is played by synthetic mouse events, so the pictures show what the
// hover handling really does.
class ScreenshotTour final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScreenshotTour)

public:
    ScreenshotTour(MainMenuWindow &menu, const QString &folder);

    void start();

private:
    using Step = std::function<void()>;

    void then(int delayMs, Step step);
    void writePhotographedSheet(const QString &path);
    void runNext();
    void save(QWidget *window, const QString &name);
    void previewInTour(WorksheetWindow *worksheet);
    void saveAndClosePreview(const QString &name);

    MainMenuWindow &m_menu;
    QString m_folder;
    QList<std::pair<int, Step>> m_steps;
    bool m_started = false;
};
