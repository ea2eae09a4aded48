#pragma once

#include "menuopeners.h"

#include <QWidget>

class AppContext;
class ChildTag;
class HCommand;
class QCheckBox;
class QLabel;
class QPushButton;
class TitleStrip;
class WindowChrome;

// The picture menu the program opens with: an apple tree with the ten question types, the
// cloud of the 24-point game, the sun of the test records and the child who says goodbye.
// Its command routine opens the other windows through MenuOpeners; leaving it saves the
// worksheet/test choice and closes the data file.
class MainMenuWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainMenuWindow)

public:
    MainMenuWindow(AppContext &context, MenuOpeners openers, QWidget *parent = nullptr);

    AppContext &context() const { return m_context; }
    ~MainMenuWindow() override;

    // What a click on button `command` does; the keys and the child run it as well.
    void runCommand(qint16 command);

    HCommand *button(qint16 command) const;
    WindowChrome *chrome() const { return m_chrome; }
    // Checked: the type buttons open the worksheet; cleared: the on-screen test.
    bool opensWorksheet() const;
    int tipPicture() const { return m_tipPicture; }

signals:
    // The menu has closed and the data file with it; the program ends.
    void exited();
    // Sent once, after the window has been painted for the first time.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buttonHovered(qint16 command);
    void pointerOverBackground();
    void showTip(int number);
    void openQuestionType(qint16 type);
    void openLink(qint16 index);

    AppContext &m_context;
    MenuOpeners m_openers;
    WindowChrome *m_chrome;
    TitleStrip *m_titleStrip;
    QList<HCommand *> m_buttons;
    QCheckBox *m_modeBox;
    QPushButton *m_newsButton;
    ChildTag *m_childTag;
    QList<QLabel *> m_links;
    int m_tipPicture = 0;
    // Set while the tip shows a button's title rather than the greeting.
    bool m_tipFlag = false;
    bool m_closed = false;
    bool m_painted = false;
};
