#pragma once

#include <QColor>
#include <QRgb>
#include <QString>

// The colours the windows share, so that a shade is changed in one place. Painting takes
// them as QColor; style sheets as "#rrggbb" through css().
namespace palette {

constexpr QRgb kOutline = 0x1f6fb8; // the frame of the menu, about, news and game windows
constexpr QRgb kFace = 0xf4f9ff; // the pale face of a feature window
constexpr QRgb kFaceOutline = 0x7fa7d4;
constexpr QRgb kCreamFace = 0xfffbea; // a note window of the 24-point game
constexpr QRgb kCreamOutline = 0xe0b04a;
constexpr QRgb kBandTop = 0xe3f0ff;
constexpr QRgb kBandBottom = 0xcfe3fa;
constexpr QRgb kBandRule = 0xa9c6e8;
constexpr QRgb kInk = 0x1f4f86; // headings and values
constexpr QRgb kQuietInk = 0x5a6a7a; // hints under a choice
constexpr QRgb kPlaceholderInk = 0x7890a8;
constexpr QRgb kWarningInk = 0xd01010;
// Whatever the keyboard has reached: a ring around a button, the ground of a link. Deep orange
// shows on the blue title strips, the green tree and the pale faces alike.
constexpr QRgb kFocusRing = 0xd9480f;
constexpr QRgb kFocusGround = 0xffd8a8;

// The menu, about and news windows.
constexpr QRgb kLinkInk = 0x1c64b4;
constexpr QRgb kAccentInk = 0xd9480f; // the program's name, a news heading
constexpr QRgb kBodyInk = 0x2f3d4a;
constexpr QRgb kVersionInk = 0x5c6f7e;
constexpr QRgb kFooterInk = 0x6b7f8f;
constexpr QRgb kFooterRule = 0xa8b8c4;
constexpr QRgb kAboutFaceTop = 0xf4fbff;
constexpr QRgb kAboutFaceBottom = 0xdff1fc;
constexpr QRgb kNewsFaceTop = 0xfff9e8;
constexpr QRgb kNewsFaceBottom = 0xffeec8;
constexpr QRgb kNewsListOutline = 0xf0c070;
// An orange button that calls for attention (the news), from the top of its face down.
constexpr QRgb kOrangeTop = 0xffa94d;
constexpr QRgb kOrangeBottom = 0xf76707;
constexpr QRgb kOrangeHoverTop = 0xffc078;
constexpr QRgb kOrangeHoverBottom = 0xfd7e14;
constexpr QRgb kOrangePressed = 0xe8590c;

// The 24-point game: cream notes in brown ink on the blue table.
constexpr QRgb kNoteInk = 0x7a3e00;
constexpr QRgb kNoteTop = 0xfffbe6;
constexpr QRgb kNoteBottom = 0xffe8a3;
constexpr QRgb kNoteOutline = 0xf0a030;
constexpr QRgb kSolutionsOutline = 0xf0c060;
constexpr QRgb kSolutionsRule = 0x8a6a40;
constexpr QRgb kLevelListOutline = 0x7fb3e6;
constexpr QRgb kLevelListChoice = 0xffe08a;
constexpr QRgb kProgressTop = 0xffae4a;
constexpr QRgb kProgressBottom = 0xf57c00;
constexpr QRgb kProgressOutline = 0xc75f00;
constexpr QRgb kGoalInk = 0xd9822b;
constexpr QRgb kTableInk = 0xfffbe0; // on the green table
constexpr QRgb kNotebookBadge = 0x3f8fd8;
constexpr QRgb kStepBadge = 0xff8a1e;
constexpr QRgb kHintedStepInk = 0x9aa7b5;

// The worksheet on screen.
constexpr QRgb kGridLine = 0xdde7f2;
constexpr QRgb kPlaceholderOutline = 0xb9d0ea;

inline QString css(QRgb rgb)
{
    return QColor(rgb).name();
}

// A style sheet's top-to-bottom gradient.
inline QString gradient(QRgb top, QRgb bottom)
{
    return QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2)")
        .arg(css(top), css(bottom));
}

// The style sheet of a text in that ink.
inline QString inkStyle(QRgb ink, bool bold = false)
{
    return QStringLiteral("color: %1;%2")
        .arg(css(ink), bold ? QStringLiteral(" font-weight: bold;") : QString());
}

} // namespace palette
