#pragma once

#include <QList>
#include <QString>

#include <optional>

class Database;
class SeededRandom;

// One settings key: its scrambling alphabet, the family its salt comes from,
// and the value the first start writes.
struct SettingKey
{
    enum class Family { Installation, System, Worksheet, Test };

    QString name;
    qint16 keyIndex;
    Family family;
    QString firstStartValue;
};

// The settings rows of the data file and the values the windows share:
// the installation number and system_3, system_4, system_5. Windows receive
// this object; nothing else keeps settings.
class Settings
{
public:
    explicit Settings(Database &db, SeededRandom &rnd);

    // Every key in the order the program lists them.
    static const QList<SettingKey> &keys();
    static const SettingKey *key(const QString &name);

    // Runs the first-start initialisation when the file has never been
    // started, then reads the shared values. Returns true for a first start.
    // Two processes starting the same new file at once make one first start.
    bool load();

    // The installation number, or "999" for a file never started, as the file holds it;
    // nullopt when it does not decode to a number. Every other value is scrambled with a
    // salt made from it, so a file without one cannot be read.
    static std::optional<QString> storedInstallation(Database &db);

    QString read(const QString &name) const;
    void write(const QString &name, const QString &value);

    int installationNumber() const { return m_installationNumber; }
    QString system3() const { return m_system3; }
    QString system4() const { return m_system4; }
    QString system5() const { return m_system5; }

    // The value that marks a file that has never been started.
    static QString neverStarted();
    // system_0 as a new file holds it.
    static QString encodedNeverStarted(SeededRandom &rnd);
    // The salt of a key, for the current installation number.
    QString saltOf(const SettingKey &key) const;

private:
    void writeEncoded(const SettingKey &key, const QString &value);

    Database &m_db;
    SeededRandom &m_rnd;
    int m_installationNumber = 0;
    QString m_system3, m_system4, m_system5;
};
