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

inline QString css(QRgb rgb)
{
    return QColor(rgb).name();
}

// The style sheet of a text in that ink.
inline QString inkStyle(QRgb ink, bool bold = false)
{
    return QStringLiteral("color: %1;%2")
        .arg(css(ink), bold ? QStringLiteral(" font-weight: bold;") : QString());
}

} // namespace palette
