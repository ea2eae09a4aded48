#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "store/database.h"
#include "store/datafile.h"
#include "store/settings.h"
#include "test/testrecords.h"
#include "test/testsession.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime kMoment(QDate(2011, 8, 30), QTime(6, 36, 48));

// A started data file with its settings, for one test.
struct Fixture
{
    QTemporaryDir dir;
    QString path = dir.filePath(u"QRTA.dat"_s);
    std::unique_ptr<Database> db = datafile::open(path);
    Settings settings { *db, processRandom() };
    SeededRandom rnd { 17 };
    QuestionMaker maker { rnd };

    Fixture() { settings.load(); }

    qint64 count(const char *sql)
    {
        Statement statement = db->prepare(sql);
        statement.next();
        return statement.integer(0);
    }
};

// Run as a child process by the crash test: confirms a test, then records
// answers one by one, telling the parent after each, until it is killed.
int crashChild(const QString &path)
{
    auto db = datafile::open(path);
    Settings settings(*db, processRandom());
    settings.load();
    SeededRandom rnd(5);
    QuestionMaker maker(rnd);
    TestSession session(*db, settings);
    session.generate(maker, 5, 2, 30, QDateTime::currentDateTime());
    session.confirm();
    std::printf("number %s\n", qPrintable(session.number()));
    for (int i = 0; i < session.items().size(); ++i) {
        session.recordAnswer(i, QString::number(1000 + i));
        std::printf("answered %d\n", i);
        std::fflush(stdout);
    }
    for (;;)
        QThread::sleep(1);
}

} // namespace

class TestTestSession : public QObject
{
    Q_OBJECT

private slots:
    void choicesFromSetting_data();
    void choicesFromSetting();
    void elapsedTexts_data();
    void elapsedTexts();
    void answersCompareAsNumbers_data();
    void answersCompareAsNumbers();
    void generatingWritesNothing();
    void confirmStoresTestAndChoices();
    void unansweredItemBlocksMarking();
    void markingPutsWrongFirst_data();
    void markingPutsWrongFirst();
    void leavingAndResumingKeepsAnswersAndClock();
    void clockStopsAtThreeHours();
    void recordsNewestFirst();
    void testsMadeInTheSameSecondKeepTheirOwnNumbers();
    void killedWhileAnsweringLosesNothing();
};

void TestTestSession::choicesFromSetting_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("restored");
    QTest::newRow("nothing stored") << QString() << 1 << u"1\\20"_s;
    QTest::newRow("first start") << u"1\\10"_s << 1 << u"1\\10"_s;
    QTest::newRow("level and count") << u"3\\40"_s << 5 << u"3\\40"_s;
    QTest::newRow("level beyond the type") << u"4\\40"_s << 10 << u"1\\40"_s;
    QTest::newRow("count below ten") << u"2\\5"_s << 2 << u"2\\20"_s;
    QTest::newRow("count above hundred") << u"2\\101"_s << 2 << u"2\\20"_s;
    QTest::newRow("one field") << u"2"_s << 2 << u"1\\20"_s;
    QTest::newRow("garbage") << u"x\\y"_s << 2 << u"1\\20"_s;
}

void TestTestSession::choicesFromSetting()
{
    QFETCH(QString, stored);
    QFETCH(int, type);
    QFETCH(QString, restored);
    QCOMPARE(TestChoices::fromSetting(stored, qint16(type)).toSetting(), restored);
}

void TestTestSession::elapsedTexts_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0 << u"00:00:00"_s;
    QTest::newRow("59 s") << 59 << u"00:00:59"_s;
    QTest::newRow("3725 s") << 3725 << u"01:02:05"_s;
    QTest::newRow("three hours") << 10800 << u"03:00:00"_s;
}

void TestTestSession::elapsedTexts()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(elapsedText(seconds), text);
}

void TestTestSession::answersCompareAsNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("right");
    QTest::newRow("same") << u"56"_s << u"56"_s << true;
    QTest::newRow("leading zeros") << u"007"_s << u"7"_s << true;
    QTest::newRow("zero") << u"0"_s << u"0"_s << true;
    QTest::newRow("different") << u"12"_s << u"21"_s << false;
    QTest::newRow("empty") << QString() << u"0"_s << false;
    QTest::newRow("beyond 64 bits")
        << u"123456789012345678901234"_s << u"123456789012345678901234"_s << true;
}

void TestTestSession::answersCompareAsNumbers()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(bool, right);
    QCOMPARE(answersMatch(typed, expected), right);
}

void TestTestSession::generatingWritesNothing()
{
    Fixture f;
    TestSession session(*f.db, f.settings);
    session.generate(f.maker, 3, 2, 25, kMoment);
    session.generate(f.maker, 3, 2, 30, kMoment.addSecs(1));
    QCOMPARE(session.items().size(), 30);
    QCOMPARE(session.number(), u"03_2_30_20110830063649"_s);
    QCOMPARE(f.count("SELECT count(*) FROM tab_test"), 0);
    QCOMPARE(f.count("SELECT count(*) FROM tab_test_mx"), 0);
    QCOMPARE(f.settings.read(u"txb3"_s), u"1\\10"_s);
}

void TestTestSession::confirmStoresTestAndChoices()
{
    Fixture f;
    TestSession session(*f.db, f.settings);
    session.generate(f.maker, 5, 3, 20, kMoment);
    session.confirm();
    QCOMPARE(f.settings.read(u"txb5"_s), u"3\\20"_s);

    const std::optional<TestRecord> record = findTestRecord(*f.db, u"05_3_20_20110830063648"_s);
    QVERIFY(record);
    QCOMPARE(record->typeName, u"A × B"_s);
    QCOMPARE(record->levelName, u"三级"_s);
    QCOMPARE(record->count, 20);
    QVERIFY(!record->marked && !record->wrong && record->timeText.isEmpty());

    const QList<TestItem> items = loadTestItems(*f.db, session.number(), ItemOrder::Question);
    QCOMPARE(items.size(), 20);
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i].position, i + 1);
        QVERIFY(items[i].question.endsWith(u'＝'));
        QVERIFY(!items[i].answer.isEmpty() && !items[i].answer.contains(u' '));
        QVERIFY(!items[i].isAnswered() && !items[i].error);
    }
}

void TestTestSession::unansweredItemBlocksMarking()
{
    Fixture f;
    TestSession session(*f.db, f.settings);
    session.generate(f.maker, 1, 2, 10, kMoment);
    session.confirm();
    for (int i = 0; i < 9; ++i)
        session.recordAnswer(i, session.items()[i].answer);
    QVERIFY(!session.mark().complete);
    QVERIFY(!session.isMarked());
    QCOMPARE(f.count("SELECT count(*) FROM tab_test WHERE zt IS NULL AND cws IS NULL"), 1);
    QCOMPARE(f.count("SELECT count(*) FROM tab_test_mx WHERE mx_error IS NOT NULL"), 0);
}

void TestTestSession::markingPutsWrongFirst_data()
{
    QTest::addColumn<QList<int>>("wrongPositions");
    QTest::newRow("three wrong") << QList { 2, 5, 7 };
    QTest::newRow("all right") << QList<int> {};
    QTest::newRow("all wrong") << QList { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 };
}

void TestTestSession::markingPutsWrongFirst()
{
    QFETCH(QList<int>, wrongPositions);
    Fixture f;
    TestSession session(*f.db, f.settings);
    session.generate(f.maker, 7, 2, 10, kMoment);
    session.confirm();
    for (int i = 0; i < 10; ++i) {
        const QString right = session.items()[i].answer;
        session.recordAnswer(i, wrongPositions.contains(i + 1) ? right + u"1"_s : u"0"_s + right);
    }
    session.setElapsed(3725);
    const MarkResult result = session.mark();
    QVERIFY(result.complete);
    QCOMPARE(result.wrong, wrongPositions.size());
    QCOMPARE(result.timeText, u"01:02:05"_s);

    QList<int> order;
    for (const TestItem &item : session.items())
        order << item.position;
    QList<int> expected = wrongPositions;
    for (int position = 1; position <= 10; ++position) {
        if (!wrongPositions.contains(position))
            expected << position;
    }
    QCOMPARE(order, expected);

    const std::optional<TestRecord> record = findTestRecord(*f.db, session.number());
    QCOMPARE(record->wrong, wrongPositions.size());
    QCOMPARE(record->right, 10 - wrongPositions.size());
    QCOMPARE(record->timeText, u"01:02:05"_s);
    QCOMPARE(record->marked, 1);
}

void TestTestSession::leavingAndResumingKeepsAnswersAndClock()
{
    Fixture f;
    QString number;
    {
        TestSession session(*f.db, f.settings);
        session.generate(f.maker, 10, 2, 12, kMoment);
        session.confirm();
        session.recordAnswer(0, u"15"_s);
        session.recordAnswer(3, u"8"_s);
        session.setElapsed(125);
        session.leave();
        number = session.number();
    }
    TestSession resumed(*f.db, f.settings);
    QVERIFY(resumed.resume(number));
    QCOMPARE(resumed.elapsed(), 125);
    QCOMPARE(resumed.type(), qint16(10));
    QCOMPARE(resumed.level(), qint16(2));
    QCOMPARE(resumed.items().size(), 12);
    QCOMPARE(resumed.items()[0].userAnswer, u"15"_s);
    QCOMPARE(resumed.items()[3].userAnswer, u"8"_s);
    QCOMPARE(resumed.answeredCount(), 2);
    QVERIFY(resumed.tick());
    QCOMPARE(resumed.elapsed(), 126);
    QVERIFY(!resumed.isMarked());
    QVERIFY(!TestSession(*f.db, f.settings).resume(u"01_1_10_20000101000000"_s));
}

void TestTestSession::clockStopsAtThreeHours()
{
    Fixture f;
    TestSession session(*f.db, f.settings);
    session.setElapsed(10798);
    QVERIFY(session.tick());
    QVERIFY(!session.tick());
    QCOMPARE(session.elapsed(), 10800);
    QVERIFY(!session.tick());
    QCOMPARE(session.elapsed(), 10800);
    session.setElapsed(20000);
    QCOMPARE(session.elapsed(), 10800);
}

void TestTestSession::recordsNewestFirst()
{
    Fixture f;
    QStringList numbers;
    for (int i = 0; i < 3; ++i) {
        TestSession session(*f.db, f.settings);
        session.generate(f.maker, qint16(i + 1), 1, 10, kMoment.addSecs(i));
        session.confirm();
        numbers.prepend(session.number());
    }
    QStringList listed;
    for (const TestRecord &record : listTestRecords(*f.db))
        listed << record.number;
    QCOMPARE(listed, numbers);
}

void TestTestSession::testsMadeInTheSameSecondKeepTheirOwnNumbers()
{
    Fixture f;
    TestSession first(*f.db, f.settings), second(*f.db, f.settings);
    first.generate(f.maker, 4, 2, 10, kMoment);
    second.generate(f.maker, 4, 2, 10, kMoment);
    first.confirm();
    second.confirm();
    QCOMPARE(first.number(), u"04_2_10_20110830063648"_s);
    QCOMPARE(second.number(), u"04_2_10_20110830063649"_s);
    QCOMPARE(loadTestItems(*f.db, second.number(), ItemOrder::Question).size(), 10);
}

void TestTestSession::killedWhileAnsweringLosesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"QRTA.dat"_s);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), { u"--crash-child"_s, path });
    QVERIFY(child.waitForStarted());
    QString number;
    int lastAnswered = -1;
    while (lastAnswered < 12 && child.waitForReadyRead(20000)) {
        while (child.canReadLine()) {
            const QString line = QString::fromUtf8(child.readLine()).trimmed();
            if (line.startsWith(u"number "_s))
                number = line.mid(7);
            else if (line.startsWith(u"answered "_s))
                lastAnswered = line.mid(9).toInt();
        }
    }
    child.kill(); // SIGKILL: no chance to tidy up
    child.waitForFinished();
    QVERIFY(!number.isEmpty());
    QVERIFY(lastAnswered >= 12);

    auto db = datafile::open(path); // checks the whole file first
    const QList<TestItem> items = loadTestItems(*db, number, ItemOrder::Question);
    QCOMPARE(items.size(), 30);
    for (int i = 0; i <= lastAnswered; ++i)
        QCOMPARE(items[i].userAnswer, QString::number(1000 + i));
}

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--crash-child") == 0) {
        QCoreApplication app(argc, argv);
        return crashChild(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    TestTestSession test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_testsession.moc"
