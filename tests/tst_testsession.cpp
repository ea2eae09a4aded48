#include "support/testdata.h"

#include "store/datafile.h"

#include <QProcess>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime kMoment(QDate(2011, 8, 30), QTime(6, 36, 48));

// Run as a child process by the crash test: confirms a test, then records
// answers one by one, telling the parent after each, until it is killed.
int crashChild(const QString &path)
{
    auto context = AppContext::open(path);
    SeededRandom rnd(5);
    QuestionMaker maker(rnd);
    TestSession session(context->database(), context->settings());
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
    void answersCompareAsNumbers_data();
    void answersCompareAsNumbers();
    void nothingIsStoredBeforeConfirming();
    void marking_data();
    void marking();
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
    QTest::newRow("level and count") << u"3\\40"_s << 5 << u"3\\40"_s;
    QTest::newRow("level beyond the type") << u"4\\40"_s << 10 << u"1\\40"_s;
    QTest::newRow("count below ten") << u"2\\5"_s << 2 << u"2\\20"_s;
    QTest::newRow("count above hundred") << u"2\\101"_s << 2 << u"2\\20"_s;
    QTest::newRow("garbage") << u"x\\y"_s << 2 << u"1\\20"_s;
}

void TestTestSession::choicesFromSetting()
{
    QFETCH(QString, stored);
    QFETCH(int, type);
    QFETCH(QString, restored);
    QCOMPARE(TestChoices::fromSetting(stored, qint16(type)).toSetting(), restored);
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

void TestTestSession::nothingIsStoredBeforeConfirming()
{
    TestData d;
    TestSession session(d.db(), d.settings());
    session.generate(d.maker, 5, 3, 25, kMoment);
    session.generate(d.maker, 5, 3, 20, kMoment.addSecs(1));
    QCOMPARE(session.number(), u"05_3_20_20110830063649"_s);
    QVERIFY(!findTestRecord(d.db(), session.number()));
    QCOMPARE(d.settings().read(u"txb5"_s), u"1\\10"_s);

    session.confirm();
    QCOMPARE(d.settings().read(u"txb5"_s), u"3\\20"_s);
    const std::optional<TestRecord> record = findTestRecord(d.db(), session.number());
    QVERIFY(record);
    QCOMPARE(record->typeName, u"A × B"_s);
    QCOMPARE(record->levelName, u"三级"_s);
    QCOMPARE(record->count, 20);
    QVERIFY(!record->marked && !record->wrong && record->timeText.isEmpty());
    const QList<TestItem> items = loadTestItems(d.db(), session.number(), ItemOrder::Question);
    QCOMPARE(items.size(), 20);
    QCOMPARE(items[19].position, 20);
    QCOMPARE(items[19].question, session.items()[19].question);
    QCOMPARE(items[19].answer, session.items()[19].answer);
    QVERIFY(!items[19].isAnswered() && !items[19].error);
}

void TestTestSession::marking_data()
{
    QTest::addColumn<QList<int>>("wrongPositions");
    QTest::addColumn<int>("unanswered"); // a position left empty, 0 for none
    QTest::newRow("three wrong") << QList { 2, 5, 7 } << 0;
    QTest::newRow("all right") << QList<int> {} << 0;
    QTest::newRow("all wrong") << QList { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 } << 0;
    QTest::newRow("one unanswered: nothing marked") << QList { 2 } << 9;
}

void TestTestSession::marking()
{
    QFETCH(QList<int>, wrongPositions);
    QFETCH(int, unanswered);
    TestData d;
    TestSession session(d.db(), d.settings());
    session.generate(d.maker, 7, 2, 10, kMoment);
    session.confirm();
    for (int i = 0; i < 10; ++i) {
        const QString right = session.items()[i].answer;
        if (i + 1 != unanswered)
            session.recordAnswer(
                i, wrongPositions.contains(i + 1) ? right + u"1"_s : u"0"_s + right);
    }
    session.setElapsed(3725);
    const MarkResult result = session.mark();
    const std::optional<TestRecord> record = findTestRecord(d.db(), session.number());
    QCOMPARE(result.complete, unanswered == 0);
    QCOMPARE(session.isMarked(), result.complete);
    if (!result.complete) {
        QVERIFY(!record->marked && !record->wrong);
        QCOMPARE(session.items()[1].position, 2);
        return;
    }
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
    QCOMPARE(record->wrong, wrongPositions.size());
    QCOMPARE(record->right, 10 - wrongPositions.size());
    QCOMPARE(record->timeText, u"01:02:05"_s);
    QCOMPARE(record->marked, 1);
}

void TestTestSession::leavingAndResumingKeepsAnswersAndClock()
{
    TestData d;
    QString number;
    {
        TestSession session(d.db(), d.settings());
        session.generate(d.maker, 10, 2, 12, kMoment);
        session.confirm();
        session.recordAnswer(0, u"15"_s);
        session.recordAnswer(3, u"8"_s);
        session.setElapsed(125);
        session.leave();
        number = session.number();
    }
    TestSession resumed(d.db(), d.settings());
    QVERIFY(resumed.resume(number));
    QCOMPARE(resumed.elapsed(), 125);
    QCOMPARE(resumed.type(), qint16(10));
    QCOMPARE(resumed.level(), qint16(2));
    QCOMPARE(resumed.items().size(), 12);
    QCOMPARE(resumed.items()[0].userAnswer, u"15"_s);
    QCOMPARE(resumed.items()[3].userAnswer, u"8"_s);
    QCOMPARE(resumed.answeredCount(), 2);
    QVERIFY(!resumed.isMarked());
    QVERIFY(!TestSession(d.db(), d.settings()).resume(u"01_1_10_20000101000000"_s));
}

void TestTestSession::clockStopsAtThreeHours()
{
    TestData d;
    TestSession session(d.db(), d.settings());
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
    TestData d;
    QStringList numbers;
    for (int i = 0; i < 3; ++i)
        numbers.prepend(d.store({ .type = qint16(i + 1), .moment = kMoment.addSecs(i) }));
    QStringList listed;
    for (const TestRecord &record : listTestRecords(d.db()))
        listed << record.number;
    QCOMPARE(listed, numbers);
}

void TestTestSession::testsMadeInTheSameSecondKeepTheirOwnNumbers()
{
    TestData d;
    TestSession first(d.db(), d.settings()), second(d.db(), d.settings());
    first.generate(d.maker, 4, 2, 10, kMoment);
    second.generate(d.maker, 4, 2, 10, kMoment);
    first.confirm();
    second.confirm();
    QCOMPARE(first.number(), u"04_2_10_20110830063648"_s);
    QCOMPARE(second.number(), u"04_2_10_20110830063649"_s);
    QCOMPARE(loadTestItems(d.db(), second.number(), ItemOrder::Question).size(), 10);
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
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--crash-child") == 0)
        return crashChild(QString::fromLocal8Bit(argv[2]));
    TestTestSession test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_testsession.moc"
