#include "settings.h"

#include "database.h"
#include "settingscodec.h"

#include "generate/numbers.h"
#include "generate/randomsource.h"
#include "quiz/testchoices.h"
#include "worksheet/sheetchoices.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Fixed forever: a file written with other salts cannot be read.
const QString kInstallationSalt = u"Chen_Xiy"_s;
const QString kSystemTag = u"Zsy"_s;
const QString kWorksheetTag = u"Zta"_s;
const QString kTestTag = u"Ztb"_s;

// The stored names of the keys the accessors stand for.
const QString kInstallationKey = u"system_0"_s;
const QString kMenuModeKey = u"system_3"_s;
const QString kGame24LevelKey = u"system_4"_s;
const QString kPrintTitleKey = u"system_5"_s;
QString sheetChoicesKey(qint16 type)
{
    return u"txa%1"_s.arg(type);
}
QString testChoicesKey(qint16 type)
{
    return u"txb%1"_s.arg(type);
}

QList<SettingKey> buildKeys()
{
    using Family = SettingKey::Family;
    QList<SettingKey> keys = {
        { kInstallationKey, 0, Family::Installation, QString() },
        { kMenuModeKey, 1, Family::System, u"1"_s },
        { kGame24LevelKey, 1, Family::System, u"1"_s },
        { kPrintTitleKey, 1, Family::System, Settings::defaultPrintTitle() },
        { u"system_7"_s, 1, Family::System, QString() },
        { u"system_8"_s, 1, Family::System, QString() },
        { u"system_9"_s, 1, Family::System, QString() },
    };
    for (int type = 1; type <= 10; ++type)
        keys.append({ sheetChoicesKey(qint16(type)), 2, Family::Worksheet,
            type == 10 ? u"1\\2\\15\\3\\1"_s : u"1\\3\\15\\3\\1"_s });
    for (int type = 1; type <= 10; ++type)
        keys.append({ testChoicesKey(qint16(type)), 3, Family::Test, u"1\\10"_s });
    return keys;
}

} // namespace

Settings::Settings(Database &db, SeededRandom &rnd)
    : m_db(db)
    , m_rnd(rnd)
{ }

const QList<SettingKey> &Settings::keys()
{
    static const QList<SettingKey> list = buildKeys();
    return list;
}

const SettingKey *Settings::key(const QString &name)
{
    for (const SettingKey &k : keys()) {
        if (k.name == name)
            return &k;
    }
    return nullptr;
}

QString Settings::neverStarted()
{
    return u"999"_s;
}

QString Settings::encodedNeverStarted(SeededRandom &rnd)
{
    return settingscodec::encode(neverStarted(), 0, kInstallationSalt, rnd);
}

QString Settings::saltOf(const SettingKey &key) const
{
    const QString number = QString::number(m_installationNumber);
    switch (key.family) {
    case SettingKey::Family::Installation:
        return kInstallationSalt;
    case SettingKey::Family::System:
        return kSystemTag + number;
    case SettingKey::Family::Worksheet:
        return kWorksheetTag + number;
    case SettingKey::Family::Test:
        return kTestTag + number;
    }
    return QString();
}

QString Settings::read(const QString &name) const
{
    const SettingKey *k = key(name);
    if (!k)
        return QString();
    Statement select = m_db.prepare("SELECT system_bz FROM tab_system WHERE system_dm = ?");
    select.bind(1, name);
    if (!select.next())
        return QString();
    return settingscodec::decode(select.text(0), k->keyIndex, saltOf(*k));
}

void Settings::writeEncoded(const SettingKey &key, const QString &value)
{
    Statement update = m_db.prepare("UPDATE tab_system SET system_bz = ? WHERE system_dm = ?");
    update.bind(1, settingscodec::encode(value, key.keyIndex, saltOf(key), m_rnd));
    update.bind(2, key.name);
    update.run();
}

void Settings::write(const QString &name, const QString &value)
{
    const SettingKey *k = key(name);
    if (!k)
        return;
    writeEncoded(*k, value);
    if (name == kMenuModeKey || name == kGame24LevelKey || name == kPrintTitleKey)
        readShared();
}

void Settings::setMenuOpensWorksheet(bool worksheet)
{
    write(kMenuModeKey, worksheet ? u"1"_s : u"0"_s);
}

void Settings::setGame24Level(int level)
{
    write(kGame24LevelKey, QString::number(level));
}

void Settings::setPrintTitle(const QString &title)
{
    write(kPrintTitleKey, title);
}

QString Settings::defaultPrintTitle()
{
    return u"【题型】〖难度〗数量 题(对___题,错___题) _____年___月___日,用时___分钟"_s;
}

SheetChoices Settings::sheetChoices(qint16 type) const
{
    return SheetChoices::fromSetting(read(sheetChoicesKey(type)), type);
}

void Settings::setSheetChoices(qint16 type, const SheetChoices &choices)
{
    write(sheetChoicesKey(type), choices.toSetting());
}

TestChoices Settings::testChoices(qint16 type) const
{
    return TestChoices::fromSetting(read(testChoicesKey(type)), type);
}

void Settings::setTestChoices(qint16 type, const TestChoices &choices)
{
    write(testChoicesKey(type), choices.toSetting());
}

void Settings::readShared()
{
    m_menuMode = read(kMenuModeKey);
    const QString level = read(kGame24LevelKey);
    m_game24Level = level.size() == 1 && level >= u"1"_s && level <= u"5"_s ? level.toInt() : 1;
    m_printTitle = read(kPrintTitleKey);
}

std::optional<QString> Settings::storedInstallation(Database &db)
{
    Statement select = db.prepare("SELECT system_bz FROM tab_system WHERE system_dm = ?");
    select.bind(1, kInstallationKey);
    if (!select.next() || !select.isText(0))
        return std::nullopt;
    const QString number = settingscodec::decode(select.text(0), 0, kInstallationSalt);
    // Only the canonical spelling: the salts are made from the number's decimal text.
    bool ok = false;
    const int value = number.toInt(&ok);
    if (!ok || value <= 0 || QString::number(value) != number)
        return std::nullopt;
    return number;
}

bool Settings::load()
{
    std::optional<QString> installation = storedInstallation(m_db);
    bool firstStart = installation == neverStarted() && !m_db.isReadOnly();
    if (firstStart) {
        // All of it or nothing: a file half initialised would never start again. Read again
        // under the write lock: another process may have started the file meanwhile.
        Transaction transaction(m_db);
        installation = storedInstallation(m_db);
        firstStart = installation == neverStarted();
        if (firstStart) {
            m_rnd.reseedFromClock();
            m_installationNumber = randomInt(1000, 30999, m_rnd);
            writeEncoded(keys().first(), QString::number(m_installationNumber));
            for (const SettingKey &k : keys().mid(1))
                writeEncoded(k, k.firstStartValue);
        }
        transaction.commit();
    }
    if (!firstStart)
        m_installationNumber = installation.value_or(QString()).toInt();

    readShared();
    return firstStart;
}
