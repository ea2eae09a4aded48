#include "program/appcontext.h"
#include "program/programarguments.h"
#include "program/singleinstance.h"
#include "store/database.h"
#include "quiz/testpruning.h"

#include "support/storedtests.h"
#include "support/testdata.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void pruneKeepsTheNewest_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("gaps"); // every third deleted by hand, then 20 more stored
        QTest::addColumn<int>("deleted");
        QTest::newRow("100") << 100 << false << 0;
        QTest::newRow("101") << 101 << false << 1;
        QTest::newRow("250") << 250 << false << 150;
        // 87 + 20 left: the 100 newest are not the 100 highest ids there could be.
        QTest::newRow("gaps in the ids") << 130 << true << 7;
    }

    void pruneKeepsTheNewest()
    {
        QFETCH(int, stored);
        QFETCH(bool, gaps);
        QFETCH(int, deleted);
        TestData d;
        Database &db = d.db();
        storeTests(db, stored);
        if (gaps) {
            db.exec("DELETE FROM tab_test WHERE id % 3 = 0");
            storeTests(db, 20, stored);
        }
        const auto ids = [&db] {
            QList<qint64> list;
            Statement query = db.prepare("SELECT id FROM tab_test ORDER BY id DESC");
            while (query.next())
                list << query.integer(0);
            return list;
        };
        const QList<qint64> before = ids();
        const qint64 items = countRows(db, "SELECT count(*) FROM tab_test_mx");

        QCOMPARE(pruneTestRecords(db), deleted);
        QCOMPARE(ids(), before.first(before.size() - deleted));
        QCOMPARE(countRows(db, "SELECT count(*) FROM tab_test_mx"), items); // only tab_test
        QCOMPARE(pruneTestRecords(db), 0);
    }

    void oneInstanceAtATime()
    {
        QTemporaryDir dir;
        const QString lock = dir.filePath(u"qrta.lock"_s);
        // A lock file as a crashed program leaves it: the id of a process that is not running.
        QFile file(lock);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("2147483646\nqrta\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        file.close();
        auto first = std::make_unique<SingleInstance>(lock);
        QVERIFY(first->acquire());
        QVERIFY(first->isHeld());

        SingleInstance second(lock);
        QVERIFY(!second.acquire());
        QVERIFY(!second.isHeld());
        // However long the first one runs.
        QVERIFY(!second.acquire());

        first.reset();
        QVERIFY(second.acquire());
    }

    // The program's context makes the first start as it opens a new file (closing and opening
    // it again is the main menu's exit).
    void contextMakesTheFirstStart()
    {
        TestData d;
        QVERIFY(d.settings().installationNumber() >= 1000);
    }

    void programArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("database");
        QTest::newRow("none") << QStringList {} << true << QString();
        QTest::newRow("database") << QStringList { u"--database"_s, u"/a/b.dat"_s } << true
                                  << u"/a/b.dat"_s;
        QTest::newRow("database with equals")
            << QStringList { u"--database=x.dat"_s } << true << u"x.dat"_s;
        QTest::newRow("Qt's own, one or two dashes") << QStringList { u"-platform"_s,
            u"offscreen"_s, u"--style=x"_s, u"--style"_s, u"fusion"_s, u"-reverse"_s }
                                                     << true << QString();
        QTest::newRow("empty database")
            << QStringList { u"--database"_s, QString() } << false << QString();
        QTest::newRow("empty database with equals")
            << QStringList { u"--database="_s } << false << QString();
        QTest::newRow("database without path")
            << QStringList { u"--database"_s } << false << QString();
        QTest::newRow("unknown") << QStringList { u"--bogus"_s } << false << QString();
        QTest::newRow("screenshot tour is not the program's")
            << QStringList { u"--screenshots"_s, u"/tmp"_s } << false << QString();
        QTest::newRow("Qt option without its value")
            << QStringList { u"-platform"_s } << false << QString();
    }

    void programArguments()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, accepted);
        QFETCH(QString, database);
        QString error;
        const auto parsed = ProgramArguments::parse(QStringList { u"qrta"_s } + args, &error);
        QCOMPARE(parsed.has_value(), accepted);
        QCOMPARE(error.isEmpty(), accepted);
        if (parsed)
            QCOMPARE(parsed->database.value_or(QString()), database);
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
