#pragma once

#include <QList>
#include <QString>

#include <optional>

class Database;
class SeededRandom;
struct SheetChoices;
struct TestChoices;

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

// The settings rows of the data file, each behind an accessor named for what it means: the
// windows and tools never spell a stored key. Windows receive this object; nothing else keeps
// settings.
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

    // Any key by its stored name, as qrta-cli settings lists and sets them.
    QString read(const QString &name) const;
    void write(const QString &name, const QString &value);

    int installationNumber() const { return m_installationNumber; }
    // Whether choosing a type on the menu opens its worksheet rather than its test.
    bool menuOpensWorksheet() const { return m_menuMode == u'1'; }
    void setMenuOpensWorksheet(bool worksheet);
    // The 24-point game's level, 1 to 5; 1 where the stored value is none of them.
    int game24Level() const { return m_game24Level; }
    void setGame24Level(int level);
    // The template of a printed sheet's title line, and the one a new file starts with.
    QString printTitle() const { return m_printTitle; }
    void setPrintTitle(const QString &title);
    static QString defaultPrintTitle();
    // A question type's worksheet and test choices; what does not decode takes the defaults.
    SheetChoices sheetChoices(qint16 type) const;
    void setSheetChoices(qint16 type, const SheetChoices &choices);
    TestChoices testChoices(qint16 type) const;
    void setTestChoices(qint16 type, const TestChoices &choices);

    // The value that marks a file that has never been started.
    static QString neverStarted();
    // system_0 as a new file holds it.
    static QString encodedNeverStarted(SeededRandom &rnd);
    // The salt of a key, for the current installation number.
    QString saltOf(const SettingKey &key) const;

private:
    void writeEncoded(const SettingKey &key, const QString &value);
    // The values read at every start, again when one of them is written.
    void readShared();

    Database &m_db;
    SeededRandom &m_rnd;
    int m_installationNumber = 0;
    QString m_menuMode;
    int m_game24Level = 1;
    QString m_printTitle;
};
