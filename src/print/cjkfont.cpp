#include "cjkfont.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

QFont face(const QStringList &families, QFont::StyleHint hint, qreal pointSize)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace

QFont cjkFont(qreal pointSize, bool bold)
{
    QFont font = face({ u"Noto Sans CJK SC"_s, u"WenQuanYi Micro Hei"_s, u"Noto Sans"_s },
        QFont::SansSerif, pointSize);
    font.setBold(bold);
    return font;
}

QFont cjkMonoFont(qreal pointSize)
{
    return face(
        { u"Noto Sans Mono CJK SC"_s, u"WenQuanYi Micro Hei Mono"_s, u"Noto Sans CJK SC"_s },
        QFont::Monospace, pointSize);
}

QFont paperFont(qreal pointSize)
{
    return face({ u"WenQuanYi Micro Hei"_s, u"Noto Sans CJK SC"_s }, QFont::SansSerif, pointSize);
}

QFont inTwips(QFont font, qreal points)
{
    font.setPixelSize(std::max(1, int(std::lround(points * 20))));
    return font;
}
