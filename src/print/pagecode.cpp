#include "pagecode.h"

#include <QDateTime>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

// A lead digit that is not zero keeps the payload's length whatever a reader makes of
// leading zeros, and tells this program's codes from stray numeric ones. Codes without a
// check were led by 7; they cannot be told from another data file's and are not read.
constexpr QChar kLead = u'8';
// Lead 1, type 2, level 1, count 4, stamp 10, page 2, check 7: all that version 1 holds at
// the correction level a photo needs.
constexpr int kPayloadLength = 27;
constexpr int kStampDigits = 10;
constexpr int kCheckDigits = 7;

constexpr int kMaxType = 10;
constexpr int kMaxLevel = 5;
constexpr int kMaxCount = 9999;
constexpr int kMaxPage = 99;

// The stamp as seconds from 2000 counted on the clock's face (as if in UTC), so that every
// written moment has one count and back: ten digits reach beyond the year 2300.
const QDateTime &epoch()
{
    static const QDateTime start(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
    return start;
}

QDateTime momentOf(QStringView stamp)
{
    QDateTime moment = QDateTime::fromString(stamp.toString(), u"yyyyMMddHHmmss"_s);
    moment.setTimeSpec(Qt::UTC);
    return moment;
}

struct Parts
{
    int type = 0;
    int level = 0;
    int count = 0;
    qint64 seconds = 0;
};

std::optional<Parts> splitNumber(const QString &number)
{
    static const QRegularExpression pattern(u"^(\\d\\d)_(\\d)_([1-9]\\d{0,3})_(\\d{14})$"_s);
    const QRegularExpressionMatch match = pattern.match(number);
    if (!match.hasMatch())
        return std::nullopt;
    const QDateTime moment = momentOf(match.capturedView(4));
    Parts parts { match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(),
        moment.isValid() ? epoch().secsTo(moment) : -1 };
    if (parts.type > kMaxType || parts.level > kMaxLevel || parts.seconds < 0
        || parts.seconds >= 10'000'000'000LL)
        return std::nullopt;
    return parts;
}

bool allDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QString PageCode::payload() const
{
    const std::optional<Parts> parts = splitNumber(sheetNumber);
    if (!parts || page < 1 || page > kMaxPage || check.size() != kCheckDigits
        || !allDigits(check))
        return QString();
    return QString(kLead)
        + u"%1%2%3%4%5"_s.arg(parts->type, 2, 10, QChar(u'0'))
              .arg(parts->level)
              .arg(parts->count, 4, 10, QChar(u'0'))
              .arg(parts->seconds, kStampDigits, 10, QChar(u'0'))
              .arg(page, 2, 10, QChar(u'0'))
        + check;
}

std::optional<PageCode> PageCode::read(const QString &payload)
{
    if (payload.size() != kPayloadLength || payload[0] != kLead || !allDigits(payload))
        return std::nullopt;
    const QStringView text(payload);
    const int type = text.mid(1, 2).toInt();
    const int level = text.mid(3, 1).toInt();
    const int count = text.mid(4, 4).toInt();
    const qint64 seconds = text.mid(8, kStampDigits).toLongLong();
    const int page = text.mid(18, 2).toInt();
    if (type > kMaxType || level > kMaxLevel || count < 1 || count > kMaxCount || page < 1)
        return std::nullopt;
    const QDateTime moment = epoch().addSecs(seconds);
    PageCode code;
    code.sheetNumber = u"%1_%2_%3_%4"_s.arg(type, 2, 10, QChar(u'0'))
                           .arg(level)
                           .arg(count)
                           .arg(moment.toString(u"yyyyMMddHHmmss"_s));
    code.page = page;
    code.check = text.mid(20, kCheckDigits).toString();
    return code;
}
