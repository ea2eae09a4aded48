#include "settingscodec.h"

#include "generate/numbers.h"
#include "generate/randomsource.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace settingscodec {

namespace {

// Seven fixed permutations of the 62 letters and digits. A file scrambled
// with other alphabets cannot be read, so these never change.
constexpr char kAlphabets[kAlphabetCount][63] = {
    "naCSOjkrx5lbychGXqFHe6AQLtVM4I07K8N9sgZJ2fuDTodBPvYWziU3pRwE1m",
    "2CXVSawrxiQ5gnh1fpFjPK7t9NEm3qO4AIolyvsW8dU6HMRDzkJ0BLuYcZeTGb",
    "IOH3Gy1FKLJqfpMaxR9bB8EStm0QDPnueWwo56jTVsUzX7cgldh4Z2rCAviYNk",
    "p5W8jx6VbYOt2NFhZCQoXTEcJ1Levwaizs7ABrPgSHkdu4f3lGID0yqUMnm9RK",
    "Idg4oHwaXz0ecifxbZ3p1TQs6BukyLKMAlPW7OhnNjRqFDGvJt89CYU2mSr5VE",
    "wa27RdjAFGyiUxVXsCO8zbLtBvflq3ro0YcJe5DM9m1WHh4IknNSTKpuQPZEg6",
    "oMLk2UJNw9PyIbCmBpeSrGjig5fRq0cK1EWZVAxl4XD7tvz6YFTndshOQaH8u3",
};

// GB18030: two bytes for every common Chinese character, like the code page
// the stored lengths were designed around, and lossless for any character.
constexpr const char *kCodePage = "GB18030";

int positionIn(const char *alphabet, char16_t ch)
{
    for (int i = 0; i < 62; ++i) {
        if (alphabet[i] == ch)
            return i;
    }
    return -1;
}

} // namespace

QString encode(const QString &text, qint16 keyIndex, const QString &salt, SeededRandom &rnd)
{
    if (text.isEmpty() || keyIndex < 0 || keyIndex >= kAlphabetCount)
        return QString();
    QStringEncoder toBytes(kCodePage);
    const QByteArray bytes = toBytes(text + salt);
    const char *alphabet = kAlphabets[keyIndex];

    QString code(bytes.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        rnd.reseedFromClock();
        const int r = int(roundHalfEven(double(rnd.next()) * 11)); // 0..11
        const int x = (quint8(bytes[i]) ^ r);
        code[2 * i] = QLatin1Char(alphabet[x % 62]);
        code[2 * i + 1] = QLatin1Char(alphabet[(x / 62) * 12 + r]);
    }
    return code;
}

QString encode(const QString &text, qint16 keyIndex, const QString &salt)
{
    return encode(text, keyIndex, salt, processRandom());
}

QString decode(const QString &code, qint16 keyIndex, const QString &salt)
{
    if (code.isEmpty() || keyIndex < 0 || keyIndex >= kAlphabetCount || code.size() % 2 != 0)
        return QString();
    const char *alphabet = kAlphabets[keyIndex];
    QByteArray bytes;
    bytes.reserve(code.size() / 2);
    for (qsizetype i = 0; i < code.size(); i += 2) {
        const int low = positionIn(alphabet, code[i].unicode());
        const int high = positionIn(alphabet, code[i + 1].unicode());
        if (low < 0 || high < 0)
            return QString();
        const int x = 62 * (high / 12) + low;
        const int byte = x ^ (high % 12);
        if (byte > 255)
            return QString();
        bytes.append(char(byte));
    }
    QStringDecoder toText(kCodePage);
    QString plain = toText(bytes);
    if (toText.hasError() || plain.size() < salt.size())
        return QString();
    plain.chop(salt.size());
    return plain;
}

} // namespace settingscodec
