#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The one place that maps picture numbers to images. A number is state * 1000 + bmpid; a
// state without a picture of its own shows the normal one (1000 + bmpid). The tips of the
// main menu (5001 … 5014) are pictures of their own, with no normal picture behind them.
// Whole grounds of windows and the program's icon are pictures too, with names below.
//
// The art is SVG, rendered at the device pixel ratio of the screen, so that it stays crisp
// on HiDPI screens. Pixmaps need a QGuiApplication and the GUI thread.
class PictureRegistry final
{
public:
    enum State { Normal = 1, Hover = 2, Pressed = 3, Disabled = 4, Tip = 5 };

    PictureRegistry() = delete;

    static constexpr int pictureNumber(State state, int bmpid) { return state * 1000 + bmpid; }

    static constexpr int kMenuLandscape = 1070;
    static constexpr int kGame24Backdrop = 1071;
    // The program's icon at the size the about window shows it.
    static constexpr int kProgramIcon = 1072;

    // The logical size of the picture shown for number; invalid when none is shown.
    static QSize pictureSize(int number);
    // Whether number has a picture of its own, not counting the fall back to the normal one.
    static bool hasPicture(int number);
    // The number whose picture is shown for number: number itself, the normal picture of its
    // bmpid, or 0 when nothing is shown.
    static int shownNumber(int number);
    // The resource holding number's own picture; empty when it has none.
    static QString resourcePath(int number);
    // The picture shown for number, devicePixelRatio times its logical size in device pixels;
    // a null pixmap when nothing is shown.
    static QPixmap pixmap(int number, qreal devicePixelRatio);
};
