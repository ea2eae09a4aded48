#include "questionform.h"

#include "catalogue.h"

using namespace Qt::Literals::StringLiterals;

bool QuestionForm::offersBlank(qint16 type, BlankPlace place)
{
    switch (place) {
    case BlankPlace::None:
        return catalogue::isType(type);
    case BlankPlace::Third:
        return type == 4;
    default:
        return type == 1 || type == 2 || type == 3 || type == 4 || type == 5 || type == 7;
    }
}

QString QuestionForm::blankName(BlankPlace place)
{
    static const QStringList kNames
        = { u"不填空"_s, u"填第一个数"_s, u"填第二个数"_s, u"填第三个数"_s, u"任填一个数"_s };
    return kNames.value(int(place));
}

QString QuestionForm::carryName(qint16 type, CarryKind kind)
{
    const bool with = kind == CarryKind::With;
    switch (type) {
    case 1:
        return with ? u"进位"_s : u"不进位"_s;
    case 2:
        return with ? u"退位"_s : u"不退位"_s;
    default:
        return with ? u"进位或退位"_s : u"不进位也不退位"_s;
    }
}

namespace {

// "A + B、A - B 和 A ± B": the names of the types that offer a choice.
QString namesOf(std::initializer_list<qint16> types)
{
    QStringList names;
    for (qint16 type : types)
        names << catalogue::typeName(type);
    const QString last = names.takeLast();
    return names.join(u"、"_s) + u" 和 "_s + last;
}

} // namespace

QString QuestionForm::problem() const
{
    const QString typeName = catalogue::typeName(type);
    if (!catalogue::offersLevel(type, level))
        return u"题型 %1 没有难度 %2"_s.arg(type).arg(level);
    if (carry != CarryKind::Any && !carry::appliesTo(type))
        return u"%1 不分进位退位：只有 %2 可以选"_s.arg(typeName, namesOf({ 1, 2, 3, 4 }));
    if (carry != CarryKind::Any && !carry::levelCanMake(type, level, carry))
        return u"%1 的%2出不了%3的题"_s.arg(
            typeName, catalogue::levelName(level), carryName(type, carry));
    if (!offersBlank(type, blank))
        return blank == BlankPlace::Third && offersBlank(type, BlankPlace::First)
            ? u"%1 只有两个数，没有第三个数可以空出来"_s.arg(typeName)
            : u"%1 不出填空题：只有 %2 可以"_s.arg(typeName, namesOf({ 1, 2, 3, 4, 5, 7 }));
    return QString();
}
