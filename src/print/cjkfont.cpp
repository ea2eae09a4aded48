#include "cjkfont.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

QFont cjkFont(qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies({ u"Noto Sans CJK SC"_s, u"WenQuanYi Micro Hei"_s, u"Noto Sans"_s });
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont cjkMonoFont(qreal pointSize)
{
    QFont font;
    font.setFamilies(
        { u"Noto Sans Mono CJK SC"_s, u"WenQuanYi Micro Hei Mono"_s, u"Noto Sans CJK SC"_s });
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(pointSize);
    return font;
}
