#pragma once

#include "messagebox.h"

#include <QDialog>
#include <QList>

#include <functional>

class HCommand;
class QKeySequence;
class QLabel;
class QShortcut;
class TitleStrip;
class WindowChrome;

// What every window but the menu (worksheet, test, records, progress chart, the 24-point game
// and its solutions, about, news) shares: the program's frame in place of the system's, the title
// strip with the close glyph at its right end, the face with its outline, the band behind the
// choices with its row of picture buttons, keys that act wherever the focus is in the window, and
// one way out that a window may hold up, so that nothing unsaved is lost by closing.
//
// A window builds its content in its constructor and keeps only its own wiring.
class FeatureWindow : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FeatureWindow)

public:
    // Blue: the feature windows; Cream: a note of the 24-point game; Sky and Paper: the about
    // and news windows, shaded from top to bottom.
    enum class Face { Blue, Cream, Sky, Paper };

    // Width of a band button and the gap between two.
    static constexpr int kButtonWidth = 93;
    static constexpr int kButtonGap = 8;
    static constexpr int kButtonHeight = 30;
    // Between the window's sides and its content.
    static constexpr int kMargin = 20;

    // Leaving by the close glyph, Esc or the window manager: closes unless mayLeave() says no.
    void leave();

    // A text of the window in the program's font at points.
    QLabel *addLabel(const QString &text, const QRect &geometry, qreal points = 10.5);
    // A small quiet text that says how to use the choices beside it.
    QLabel *addHint(const QString &text, const QRect &geometry);

protected:
    FeatureWindow(const QString &title, const QSize &size, QWidget *parent, Face face = Face::Blue);

    TitleStrip *titleStrip() const { return m_strip; }
    WindowChrome *chrome() const { return m_chrome; }

    // The band below the title strip that holds the window's choices and buttons; the pointer
    // over it takes the hover off the buttons. Call before making what lies on it.
    QWidget *addBand(int height);
    int bandTop() const;

    // The close glyph at the right end of the title strip, as the button at index.
    HCommand *makeCloseGlyph(qint16 index, const QString &toolTip);
    // Puts button in the band's row: place 0 is the rightmost.
    void placeInButtonRow(HCommand *button, int place);
    // The picture buttons at their indices, for the hover that runs across them.
    void setButtons(const QList<HCommand *> &buttons);

    // A key that acts while any widget of this window has the focus.
    QShortcut *addShortcut(const QKeySequence &key, const std::function<void()> &action);

    // Runs a read or write of the data file; a failure is told in a message box.
    bool runOrReport(
        const QString &failed, const std::function<void()> &work, Report report = Report::Plain);

    // What must happen before the window goes, e.g. saving a choice; false keeps it open.
    virtual bool mayLeave() { return true; }
    // Closes without asking.
    void closeNow();

    void reject() override;
    // Closes a drop-down list of this window that is open; false where none is.
    bool closeOpenList();
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    Face m_face;
    TitleStrip *m_strip;
    WindowChrome *m_chrome;
    int m_bandHeight = 0;
    bool m_closing = false;
};
