#include "pictureregistry.h"

#include <QFont>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <algorithm>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int stateBit(int state)
{
    return 1 << state;
}

// Bmpids sharing a size and a set of states; the art in resources/pictures follows this table.
struct Family
{
    int firstBmpid;
    int lastBmpid;
    QSize size;
    int states;
};

constexpr int normalAndHover = stateBit(PictureRegistry::Normal) | stateBit(PictureRegistry::Hover);
constexpr int allButtonStates
    = normalAndHover | stateBit(PictureRegistry::Pressed) | stateBit(PictureRegistry::Disabled);

constexpr std::array families {
    Family { 1, 1, QSize(25, 17), normalAndHover }, // title strip: minimise
    Family { 2, 2, QSize(41, 17), normalAndHover }, // title strip: close
    Family { 11, 20, QSize(64, 72), normalAndHover }, // apples of the question types 1 … 10
    Family { 21, 21, QSize(130, 70), normalAndHover }, // cloud of the 24-point game
    Family { 22, 22, QSize(125, 125), normalAndHover }, // sun of the test records
    Family { 23, 23, QSize(70, 100), normalAndHover }, // the child
    Family { 49, 59, QSize(93, 30), allButtonStates }, // command buttons with captions
    // Pictures of the 24-point window, not buttons: right, wrong, the level list's arrow.
    Family { 60, 61, QSize(180, 130), stateBit(PictureRegistry::Normal) },
    Family { 62, 62, QSize(16, 10), stateBit(PictureRegistry::Normal) },
    // More command buttons: hint and every solution of the 24-point window; practice,
    // printing of the wrong-answer book and the progress chart of the records window.
    Family { 63, 67, QSize(93, 30), allButtonStates },
    // Grounds of whole windows: the main menu's landscape, the 24-point window's backdrop.
    Family { 70, 70, QSize(800, 520), stateBit(PictureRegistry::Normal) },
    Family { 71, 71, QSize(900, 620), stateBit(PictureRegistry::Normal) },
    Family { 72, 72, QSize(76, 76), stateBit(PictureRegistry::Normal) }, // the program's icon
    // Command buttons of mixed sheets (the mode, its entries and their list), of marking
    // photographed sheets and of a class's gradebook.
    Family { 73, 87, QSize(93, 30), allButtonStates },
};

constexpr int firstTip = 5001;
constexpr int lastTip = 5014;
constexpr QSize tipSize(240, 56);

const Family *familyOf(int bmpid)
{
    for (const Family &family : families) {
        if (bmpid >= family.firstBmpid && bmpid <= family.lastBmpid)
            return &family;
    }
    return nullptr;
}

bool isTip(int number)
{
    return number >= firstTip && number <= lastTip;
}

void prepare()
{
    static const bool prepared = [] {
        // Qt Svg takes a font-family list as one family name, so the SVGs name only Noto Sans
        // CJK SC; a substitution is consulted only when that family is missing.
        QFont::insertSubstitution(u"Noto Sans CJK SC"_s, u"WenQuanYi Micro Hei"_s);
        // The two backdrops take some 16 MB at ratio 2: in Qt's 10 MB one would push out the
        // other and be drawn afresh on every paint.
        QPixmapCache::setCacheLimit(std::max(QPixmapCache::cacheLimit(), 32 * 1024));
        return true;
    }();
    Q_UNUSED(prepared)
}

QPixmap render(int shown, qreal devicePixelRatio)
{
    prepare();
    QSvgRenderer renderer(PictureRegistry::resourcePath(shown));
    if (!renderer.isValid())
        return {};
    QPixmap pixmap((QSizeF(PictureRegistry::pictureSize(shown)) * devicePixelRatio).toSize());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(pixmap.rect()));
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

} // namespace

QSize PictureRegistry::pictureSize(int number)
{
    const int shown = shownNumber(number);
    if (shown == 0)
        return {};
    if (isTip(shown))
        return tipSize;
    return familyOf(shown % 1000)->size;
}

bool PictureRegistry::hasPicture(int number)
{
    if (isTip(number))
        return true;
    const int state = number / 1000;
    if (number <= 0 || state < Normal || state > Disabled)
        return false;
    const Family *family = familyOf(number % 1000);
    return family != nullptr && (family->states & stateBit(state)) != 0;
}

int PictureRegistry::shownNumber(int number)
{
    if (hasPicture(number))
        return number;
    const int state = number / 1000;
    const int normal = pictureNumber(Normal, number % 1000);
    if (number > 0 && state > Normal && state <= Disabled && hasPicture(normal))
        return normal;
    return 0;
}

QString PictureRegistry::resourcePath(int number)
{
    // The icon is the desktop's own file, not a copy of it.
    if (number == kProgramIcon)
        return u":/icons/cn.chenxi.qrta.svg"_s;
    return hasPicture(number) ? u":/pictures/%1.svg"_s.arg(number) : QString();
}

QPixmap PictureRegistry::pixmap(int number, qreal devicePixelRatio)
{
    const int shown = shownNumber(number);
    if (shown == 0 || !(devicePixelRatio > 0))
        return {};
    // Keyed by the shown number, so that a state falling back shares the normal picture.
    const QString key = u"qrta-picture/%1@%2"_s.arg(shown).arg(devicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    pixmap = render(shown, devicePixelRatio);
    if (!pixmap.isNull())
        QPixmapCache::insert(key, pixmap);
    return pixmap;
}
