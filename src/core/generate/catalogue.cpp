#include "catalogue.h"

namespace catalogue {

namespace {

struct TypeEntry
{
    const char16_t *name;
    const char16_t *label;
    const char16_t *captions[kMaxLevel];
};

constexpr TypeEntry kTypes[kTypeCount] = {
    { u"A + B", u"①〖A+B〗",
        { u"【一级】-> 10以内加法口诀表", u"【二级】-> 两个10以内的数相加",
            u"【三级】-> 10以内数与20以内数相加", u"【四级】-> 100以内数与50以内数相加",
            u"【五级】-> 1000以内数与200以内数相加" } },
    { u"A - B", u"②〖A-B〗",
        { u"【一级】-> 10以内减法口诀表", u"【二级】-> 两个20以内的数相减",
            u"【三级】-> 两个50以内的数相减", u"【四级】-> 两个100以内的数相减",
            u"【五级】-> 两个1000以内的数相减" } },
    { u"A ± B", u"③〖A±B〗",
        { u"【一级】-> 10以内加减法口诀表", u"【二级】-> 两个20以内的数相加减",
            u"【三级】-> 两个50以内的数相加减", u"【四级】-> 两个100以内的数相加减",
            u"【五级】-> 两个1000以内的数相加减" } },
    { u"A±B±C", u"④〖A±B±C〗",
        { u"【一级】-> 三个10以内的数相加减", u"【二级】-> 三个20以内的数相加减",
            u"【三级】-> 三个50以内的数相加减", u"【四级】-> 三个100以内的数相加减",
            u"【五级】-> 三个1000以内的数相加减" } },
    { u"A × B", u"⑤〖A×B〗",
        { u"【一级】-> 9×9以内的乘法", u"【二级】-> 9×19以内的乘法", u"【三级】-> 19×19以内的乘法",
            u"【四级】-> 19×49以内的乘法", u"【五级】-> 49×99以内的乘法" } },
    { u"A±B×C", u"⑥〖A±B×C〗",
        { u"【一级】-> 9×9以内加减乘法运算", u"【二级】-> 9×19以内加减乘法运算",
            u"【三级】-> 19×19以内加减乘法运算", u"【四级】-> 19×49以内加减乘法运算",
            u"【五级】-> 49×99以内加减乘法运算" } },
    { u"A ÷ B", u"⑦〖A÷B〗",
        { u"【一级】-> 9×9以内的除法", u"【二级】-> 9×19以内的除法", u"【三级】-> 19×19以内的除法",
            u"【四级】-> 19×49以内的除法", u"【五级】-> 49×99以内的除法" } },
    { u"A±B÷C", u"⑧〖A±B÷C〗",
        { u"【一级】-> 9×9以内加减除法运算", u"【二级】-> 9×19以内加减除法运算",
            u"【三级】-> 19×19以内加减除法运算", u"【四级】-> 19×49以内加减除法运算",
            u"【五级】-> 49×99以内加减除法运算" } },
    { u"A×B÷C", u"⑨〖A×B÷C〗",
        { u"【一级】-> 10以内的乘除法运算", u"【二级】-> 20以内简单乘除法运算",
            u"【三级】-> 20以内较难乘除法运算", u"【四级】-> 50以内的乘除法运算",
            u"【五级】-> 100以内的乘除法运算" } },
    { u"四则混合", u"⑩〖四则混合〗",
        { u"【一级】-> 20内加减乘除混合运算", u"【二级】-> 100内加减乘除混合运算",
            u"【三级】-> 1000加减乘除混合运算", nullptr, nullptr } },
};

constexpr const char16_t *kLevelNames[kMaxLevel] = { u"一级", u"二级", u"三级", u"四级", u"五级" };

} // namespace

bool isType(qint16 type)
{
    return type >= 1 && type <= kTypeCount;
}

qint16 levelCount(qint16 type)
{
    if (!isType(type))
        return 0;
    return type == 10 ? 3 : kMaxLevel;
}

bool offersLevel(qint16 type, qint16 level)
{
    return level >= 1 && level <= levelCount(type);
}

QString typeName(qint16 type)
{
    return isType(type) ? QString::fromUtf16(kTypes[type - 1].name) : QString();
}

QString levelName(qint16 level)
{
    return level >= 1 && level <= kMaxLevel ? QString::fromUtf16(kLevelNames[level - 1])
                                            : QString();
}

QString typeLabel(qint16 type)
{
    return isType(type) ? QString::fromUtf16(kTypes[type - 1].label) : QString();
}

QStringList levelCaptions(qint16 type)
{
    QStringList captions;
    for (qint16 level = 1; level <= levelCount(type); ++level)
        captions << QString::fromUtf16(kTypes[type - 1].captions[level - 1]);
    return captions;
}

QStringList typeNames()
{
    QStringList names;
    for (qint16 type = 1; type <= kTypeCount; ++type)
        names << typeName(type);
    return names;
}

QStringList levelNames()
{
    QStringList names;
    for (qint16 level = 1; level <= kMaxLevel; ++level)
        names << levelName(level);
    return names;
}

} // namespace catalogue
