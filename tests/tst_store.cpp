#include "generate/randomsource.h"
#include "store/database.h"
#include "store/datafile.h"
#include "store/migrations.h"
#include "store/settings.h"
#include "store/settingscodec.h"
#include "worksheet/formmemory.h"

#include "support/storedtests.h"
#include "support/testdata.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray sha256(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// A data file in the delivered state, already started once.
QString makeStartedFile(const QTemporaryDir &dir, const QString &name = u"QRTA.dat"_s)
{
    const QString path = dir.filePath(name);
    auto db = datafile::open(path);
    Settings(*db, processRandom()).load();
    return path;
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    void codecRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("keyIndex");
        QTest::addColumn<QString>("salt");
        QTest::addColumn<QString>("otherSalt");
        // As an earlier start wrote it: every byte scrambled with what the clock drew then.
        QTest::addColumn<QString>("written");
        QTest::newRow("installation number")
            << u"12345"_s << 0 << u"Chen_Xiy"_s << u"abcdefgh"_s << u"PavSpbaQPjShDcgFBGKc7qgAiA"_s;
        QTest::newRow("worksheet choices")
            << u"1\\3\\15\\3\\1"_s << 2 << u"Zta1234"_s << u"Zta9999"_s
            << u"C1QRdHupvKZOS8iLD9AL9E2b7Eh34OdHlG"_s;
        QTest::newRow("title template")
            << u"【题型】〖难度〗数量 题(对___题,错___题) _____年___月___日,用时___分钟"_s << 1
            << u"Zsy30999"_s << u"Zsy10000"_s
            << u"yNeAjv8ytvQMMAC88qaWjMqUTNPUWEasfyVufDVs65p6zH6Ve9oHmFmF9Kh88yW5uOz6AnNPNP5MUU6X"
               "va3p7tt7Ig7trddM3pEjAnvDxy4hmF4h1v3WsQtsiy1WBN9K9Kt7uqoRt6NyqnBnenuaz2GaCFeV"_s;
        QTest::newRow("full-width and quotes")
            << u"＋－＝×÷ 'x\" 「引号」"_s << 3 << u"Ztb1000"_s << u"Ztb2000"_s
            << u"47IwuAGJ47Rw4zNk376PrxfY5wB6A84zK1edVIxHOrB1pgiopzkEyjG59t9t"_s;
        QTest::newRow("rare characters")
            << u"𠀀😀é"_s << 6 << u"S"_s << u"T"_s << u"jKdJIWsk11322YskxWFZ0r"_s;
        QTest::newRow("empty salt") << u"24点"_s << 4 << QString() << QString() << u"JgJo5uFj"_s;
        QTest::newRow("puzzle answer") << u"(8-3)×3+9"_s << 5 << u"Pz24Ok"_s << u"Qa11Zz"_s
                                       << u"magR1ANahRh0ymZGhjQafz6xQywLFbns"_s;
    }

    void codecRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(int, keyIndex);
        QFETCH(QString, salt);
        QFETCH(QString, otherSalt);
        QFETCH(QString, written);
        const QString code = settingscodec::encode(text, qint16(keyIndex), salt);

        QCOMPARE(settingscodec::decode(code, qint16(keyIndex), salt), text);
        // The salt's length matters, not its content; and whatever the clock drew.
        QCOMPARE(settingscodec::decode(code, qint16(keyIndex), otherSalt), text);
        QCOMPARE(settingscodec::decode(written, qint16(keyIndex), otherSalt), text);

        QStringEncoder gb18030("GB18030");
        QCOMPARE(code.size(), 2 * QByteArray(gb18030(text + salt)).size());
        static const QRegularExpression lettersAndDigits(u"^[A-Za-z0-9]+$"_s);
        QVERIFY(lettersAndDigits.match(code).hasMatch());
    }

    // What does not decode reads as nothing, so that the setting falls back to its default.
    void codecEmptyAndGarbage_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("keyIndex");
        QTest::newRow("empty") << QString() << 1;
        QTest::newRow("odd length") << u"abc"_s << 1;
        QTest::newRow("not in the alphabet") << u"ab-d"_s << 1;
        // In alphabet 1 "b" is the last of the 62: 5 × 62 + low is no byte.
        QTest::newRow("byte above 255") << u"2b2b"_s << 1;
        QTest::newRow("shorter than salt") << settingscodec::encode(u"x"_s, 1, QString()) << 1;
        const QString good = settingscodec::encode(u"1\\3"_s, 2, u"Zsy1234"_s);
        QTest::newRow("no such alphabet") << good << int(settingscodec::kAlphabetCount);
        QTest::newRow("alphabet below the first") << good << -1;
    }

    void codecEmptyAndGarbage()
    {
        QFETCH(QString, code);
        QFETCH(int, keyIndex);
        QCOMPARE(settingscodec::decode(code, qint16(keyIndex), u"Zsy1234"_s), QString());
        QCOMPARE(settingscodec::encode(QString(), qint16(keyIndex), u"Zsy1234"_s), QString());
    }

    void deliveredStateAndFirstStart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"QRTA.dat"_s);
        int installation = 0;
        {
            auto db = datafile::open(path);
            Settings settings(*db, processRandom());
            QCOMPARE(settings.read(u"system_0"_s), Settings::neverStarted());
            QVERIFY(settings.load());
            installation = settings.installationNumber();
            QVERIFY2(installation >= 1000 && installation <= 30999,
                qPrintable(QString::number(installation)));
            QCOMPARE(settings.read(u"system_0"_s), QString::number(installation));
            for (const SettingKey &key : Settings::keys().mid(1))
                QCOMPARE(settings.read(key.name), key.firstStartValue);
            QVERIFY(settings.menuOpensWorksheet());
            QCOMPARE(settings.game24Level(), 1);
            QCOMPARE(settings.printTitle(), Settings::defaultPrintTitle());
            settings.write(u"txb4"_s, u"3\\40"_s);
        }
        {
            // The second start finds its installation number and keeps every value.
            auto db = datafile::open(path);
            Settings settings(*db, processRandom());
            QVERIFY(!settings.load());
            QCOMPARE(settings.installationNumber(), installation);
            QCOMPARE(settings.read(u"txb4"_s), u"3\\40"_s);
            QCOMPARE(settings.read(u"txa10"_s), u"1\\2\\15\\3\\1"_s);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { u"QRTA.dat"_s });
    }

    void levelFallback_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("seven") << u"7"_s << u"1"_s;
        QTest::newRow("nothing") << QString() << u"1"_s;
        QTest::newRow("zero") << u"0"_s << u"1"_s;
        QTest::newRow("three") << u"3"_s << u"3"_s;
    }

    void levelFallback()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        TestData d;
        d.settings().write(u"system_4"_s, stored);
        d.settings().load(); // the next start
        QCOMPARE(QString::number(d.settings().game24Level()), expected);
    }

    void valuesNeverChangeStatements()
    {
        TestData d;
        const QString hostile = u"'); DROP TABLE tab_test; -- \\ \" 题'"_s;
        d.settings().write(u"system_5"_s, hostile);
        QCOMPARE(d.settings().read(u"system_5"_s), hostile);
        QCOMPARE(countRows(d.db(), "SELECT count(*) FROM tab_test"), 0);
    }

    void rememberedForms_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("read"); // the form as the words of a mixed sheet's entry
        QTest::newRow("carry, second blank")
            << u"sheet1"_s << u"carry:second"_s << u"carry:second"_s;
        QTest::newRow("written in either order")
            << u"sheet4"_s << u"third:nocarry"_s << u"nocarry:third"_s;
        QTest::newRow("third of two") << u"sheet1"_s << u"third"_s << QString();
        QTest::newRow("not a form") << u"sheet2"_s << u"sideways"_s << QString();
        QTest::newRow("the test window's own") << u"test7"_s << u"any"_s << u"any"_s;
        QTest::newRow("mixed sheet") << u"mix"_s << u"shuffle;1:4:12:carry,7:3:8:second"_s
                                     << u"shuffle;1:4:12:carry,7:3:8:second"_s;
        QTest::newRow("mixed sheet, an entry not read")
            << u"mix"_s << u"blocks;1:4:12,9:9"_s << u"blocks;"_s;
    }

    // What a window chose last comes back as it was, and a value that does not read as the plain
    // form; so does the same choice written by the program.
    void rememberedForms()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, read);
        TestData d;
        Statement insert = d.db().prepare("INSERT INTO tab_form (form_dm, form_bz) VALUES (?, ?)");
        insert.bind(1, key).bind(2, stored).run();
        FormMemory memory(d.db());
        const bool isMix = key == u"mix"_s;
        const auto window
            = key.startsWith(u"test"_s) ? FormMemory::Window::Test : FormMemory::Window::Sheet;
        const auto type = qint16(key.right(1).toInt());
        const auto reread = [&]() -> QString {
            if (!isMix)
                return SheetEntry { memory.form(window, type, 3), 1 }.toText().section(u':', 3);
            const FormMemory::Mix mix = memory.mix();
            return (mix.shuffle ? u"shuffle;"_s : u"blocks;"_s) + sheetentries::toText(mix.entries);
        };
        QCOMPARE(reread(), read);
        if (isMix)
            memory.setMix(memory.mix());
        else
            memory.setForm(window, memory.form(window, type, 3));
        QCOMPARE(reread(), read);
    }

    // Each row damages a file: by hand, or by SQL run on a started file and left in its log (as
    // a crash would leave it) or folded into the file.
    void refusedFilesStayUntouched_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("inLog");
        QTest::addColumn<int>("kind");
        using Kind = DataFileError::Kind;
        const auto row
            = [](const char *name, const char *damage, const QString &sql, bool inLog, Kind kind) {
                  QTest::newRow(name) << QString::fromLatin1(damage) << sql << inLog << int(kind);
              };
        row("empty file", "empty", {}, false, Kind::Empty);
        row("random bytes", "random", {}, false, Kind::NotOurs);
        row("truncated", "truncated", {}, false, Kind::Damaged);
        row("plain sqlite", "plain", {}, false, Kind::NotOurs);
        row("other password", "password", {}, false, Kind::NotOurs);
        row("table missing", "sql", u"DROP TABLE tab_kst"_s, false, Kind::Incomplete);
        row("table dropped in the log", "sql", u"DROP TABLE tab_test"_s, true, Kind::Incomplete);
        row("column missing", "sql",
            u"ALTER TABLE tab_24 RENAME TO old_24; CREATE TABLE tab_24 (a24_id INTEGER)"_s, false,
            Kind::Incomplete);
        row("settings row missing in the log", "sql",
            u"DELETE FROM tab_system WHERE system_dm = 'txb7'"_s, true, Kind::Incomplete);
        row("a later version's table missing", "sql", u"DROP TABLE tab_form"_s, true,
            Kind::Incomplete);
        row("newer version", "sql",
            u"PRAGMA user_version = %1"_s.arg(migrations::kCurrentVersion + 1), true, Kind::TooNew);
        row("rollback journal, damaged", "sql",
            u"PRAGMA journal_mode = DELETE; DROP TABLE tab_kst"_s, false, Kind::Incomplete);
        const QString installation
            = u"UPDATE tab_system SET system_bz = %1 WHERE system_dm = 'system_0'"_s;
        // Not text, or text that does not decode (the codec's own cases are above).
        row("installation null", "sql", installation.arg(u"NULL"_s), true, Kind::Damaged);
        row("installation not decoded", "sql", installation.arg(u"'abc'"_s), true, Kind::Damaged);
    }

    void refusedFilesStayUntouched()
    {
        QFETCH(QString, damage);
        QFETCH(QString, sql);
        QFETCH(bool, inLog);
        QFETCH(int, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"QRTA.dat"_s);

        if (damage == u"empty"_s) {
            QFile(path).open(QIODevice::WriteOnly);
        } else if (damage == u"random"_s) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            SeededRandom rnd(3);
            for (int i = 0; i < 8192; ++i)
                file.putChar(char(rnd.next() * 256));
        } else if (damage == u"truncated"_s) {
            makeStartedFile(dir);
            QFile file(path);
            QVERIFY(file.resize(file.size() / 2 + 100));
        } else if (damage == u"plain"_s || damage == u"password"_s) {
            Database db(path, Database::Mode::Create,
                damage == u"plain"_s ? QByteArray() : QByteArrayLiteral("AnotherPassword1234"));
            db.exec("CREATE TABLE tab_system (system_dm TEXT, system_bz TEXT)");
        } else {
            const QString started = makeStartedFile(dir, u"started.dat"_s);
            {
                // A reader keeps the writer from folding its log in when it closes, as a crash
                // would; the copies are the file as the crash left it.
                std::unique_ptr<Database> reader;
                if (inLog) {
                    reader = std::make_unique<Database>(
                        started, Database::Mode::ReadOnly, datafile::key());
                    reader->prepare("SELECT count(*) FROM tab_system").next();
                }
                Database db(started, Database::Mode::ReadWrite, datafile::key());
                db.exec(sql.toLatin1().constData());
                if (!inLog)
                    db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
                QVERIFY(QFile::copy(started, path));
                if (inLog)
                    QVERIFY(QFile::copy(started + u"-wal"_s, path + u"-wal"_s));
            }
            for (const QString &suffix : { QString(), u"-wal"_s, u"-shm"_s })
                QFile::remove(started + suffix);
            QCOMPARE(QFileInfo(path + u"-wal"_s).size() > 0, inLog);
        }

        const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files);
        const QByteArray before = sha256(path);
        const QByteArray logBefore = sha256(path + u"-wal"_s);
        for (const datafile::Role role : { datafile::Role::Tool, datafile::Role::Program }) {
            try {
                datafile::open(path, role);
                QFAIL("a damaged file was accepted");
            } catch (const DataFileError &error) {
                QCOMPARE(int(error.kind()), kind);
                QCOMPARE(error.exitStatus(), 3);
                QVERIFY2(error.message().contains(QDir::toNativeSeparators(path)),
                    qPrintable(error.message()));
            }
            QCOMPARE(sha256(path), before);
            QCOMPARE(sha256(path + u"-wal"_s), logBefore);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), filesBefore);
        }
    }

    // The key stretched once from the file's salt opens the file as its passphrase does;
    // nothing else does.
    void keysThatOpenTheFile_data()
    {
        QTest::addColumn<QByteArray>("passphrase");
        QTest::addColumn<bool>("fileSalt");
        QTest::addColumn<bool>("raw");
        QTest::addColumn<bool>("opens");
        const QByteArray ours = datafile::key();
        QTest::newRow("passphrase") << ours << true << false << true;
        QTest::newRow("stretched once") << ours << true << true << true;
        QTest::newRow("stretched with another salt") << ours << false << true << false;
        QTest::newRow("another passphrase stretched")
            << QByteArrayLiteral("ChenXiSuanYuan2026R") << true << true << false;
        QTest::newRow("no key, plain sqlite") << QByteArray() << true << false << false;
    }
    void keysThatOpenTheFile()
    {
        QFETCH(QByteArray, passphrase);
        QFETCH(bool, fileSalt);
        QFETCH(bool, raw);
        QFETCH(bool, opens);
        QTemporaryDir dir;
        const QString path = makeStartedFile(dir);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray salt = file.read(16);
        file.close();
        if (!fileSalt)
            salt[0] = char(salt[0] ^ 1);
        const QByteArray key = raw ? Database::rawKey(passphrase, salt) : passphrase;
        QCOMPARE(key.isEmpty(), passphrase.isEmpty());
        Database db(path, Database::Mode::ReadOnly, key);
        if (opens) {
            Statement tables = db.prepare("SELECT count(*) FROM sqlite_master");
            QVERIFY(tables.next() && tables.integer(0) > 0);
        } else {
            QVERIFY_THROWS_EXCEPTION(
                DatabaseError, db.prepare("SELECT count(*) FROM sqlite_master"));
        }
    }

    // The stretching is done outside the engine; HMAC treats keys around its 64-byte block
    // differently, so lengths either side of it must give the engine's own key.
    void stretchedKeyIsTheEngines_data()
    {
        QTest::addColumn<QByteArray>("passphrase");
        for (const int length : { 2, 20, 63, 64, 65, 100 })
            QTest::addRow("%d bytes", length) << QByteArray(length - 2, 'k').append("\x01\xfe", 2);
    }
    void stretchedKeyIsTheEngines()
    {
        QFETCH(QByteArray, passphrase);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"keyed.db"_s);
        {
            Database db(path, Database::Mode::Create, passphrase);
            db.exec("CREATE TABLE t(x)");
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray salt = file.read(16);
        Database db(path, Database::Mode::ReadOnly, Database::rawKey(passphrase, salt));
        Statement tables = db.prepare("SELECT count(*) FROM sqlite_master");
        QVERIFY(tables.next());
        QCOMPARE(tables.integer(0), 1);
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
