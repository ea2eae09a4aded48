#include "pagecode.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

using namespace Qt::Literals::StringLiterals;

namespace {

// A lead digit that is not zero keeps the payload's length whatever a reader makes of
// leading zeros, and tells this program's codes from stray numeric ones.
constexpr QChar kLead = u'7';
constexpr int kPayloadLength = 24; // lead 1, type 2, level 1, count 4, stamp 14, page 2

constexpr int kMaxType = 10;
constexpr int kMaxLevel = 5;
constexpr int kMaxCount = 9999;
constexpr int kMaxPage = 99;

// The 14 digits of a stamp name a real moment (formatStamp writes nothing else).
bool realMoment(QStringView stamp)
{
    const QDate date(stamp.mid(0, 4).toInt(), stamp.mid(4, 2).toInt(), stamp.mid(6, 2).toInt());
    const QTime time(stamp.mid(8, 2).toInt(), stamp.mid(10, 2).toInt(), stamp.mid(12, 2).toInt());
    return date.isValid() && time.isValid();
}

struct Parts
{
    int type = 0;
    int level = 0;
    int count = 0;
    QString stamp;
};

std::optional<Parts> splitNumber(const QString &number)
{
    static const QRegularExpression pattern(u"^(\\d\\d)_(\\d)_([1-9]\\d{0,3})_(\\d{14})$"_s);
    const QRegularExpressionMatch match = pattern.match(number);
    if (!match.hasMatch())
        return std::nullopt;
    Parts parts { match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(),
        match.captured(4) };
    if (parts.type > kMaxType || parts.level > kMaxLevel || !realMoment(parts.stamp))
        return std::nullopt;
    return parts;
}

} // namespace

QString PageCode::payload() const
{
    const std::optional<Parts> parts = splitNumber(sheetNumber);
    if (!parts || page < 1 || page > kMaxPage)
        return QString();
    return QString(kLead)
        + u"%1%2%3%4%5"_s.arg(parts->type, 2, 10, QChar(u'0'))
              .arg(parts->level)
              .arg(parts->count, 4, 10, QChar(u'0'))
              .arg(parts->stamp)
              .arg(page, 2, 10, QChar(u'0'));
}

std::optional<PageCode> PageCode::read(const QString &payload)
{
    if (payload.size() != kPayloadLength || payload[0] != kLead)
        return std::nullopt;
    for (const QChar c : payload) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const QStringView text(payload);
    const int type = text.mid(1, 2).toInt();
    const int level = text.mid(3, 1).toInt();
    const int count = text.mid(4, 4).toInt();
    const QStringView stamp = text.mid(8, 14);
    const int page = text.mid(22, 2).toInt();
    if (type > kMaxType || level > kMaxLevel || count < 1 || count > kMaxCount || page < 1
        || !realMoment(stamp))
        return std::nullopt;
    PageCode code;
    code.sheetNumber = u"%1_%2_%3_%4"_s.arg(type, 2, 10, QChar(u'0'))
                           .arg(level)
                           .arg(count)
                           .arg(stamp.toString());
    code.page = page;
    return code;
}
