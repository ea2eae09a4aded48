#include "programinfo.h"

using namespace Qt::Literals::StringLiterals;

namespace programinfo {

QString productName()
{
    return u"晨曦算苑"_s;
}

QString title()
{
    return u"【晨曦算苑】"_s;
}

QString subtitle()
{
    return u"小学生口算天天练"_s;
}

QString version()
{
    return u"7.0"_s;
}

QString messageTitle()
{
    return u"【晨曦算苑】提示："_s;
}

QString applicationId()
{
    return u"cn.chenxi.qrta"_s;
}

QUrl homePage()
{
    return QUrl(u"https://chenxi.cn/qrta/"_s);
}

QUrl parentsPage()
{
    return QUrl(u"https://chenxi.cn/qrta/jiazhang.html"_s);
}

QUrl feedbackAddress()
{
    return QUrl(u"mailto:qrta@chenxi.cn"_s);
}

} // namespace programinfo
