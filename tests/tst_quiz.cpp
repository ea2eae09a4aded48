#include "support/testdata.h"

#include "store/datafile.h"
#include "store/migrations.h"
#include "quiz/mistakebook.h"
#include "quiz/progressscale.h"
#include "quiz/progressseries.h"
#include "quiz/testitemmodel.h"
#include "quiz/testrecordmodel.h"

#include <QAbstractItemModelTester>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime kMoment(QDate(2011, 8, 30), QTime(6, 36, 48));
constexpr auto kQtTest = QAbstractItemModelTester::FailureReportingMode::QtTest;

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

TestRecord marked(const QString &number, std::optional<qint64> count, std::optional<qint64> right,
    std::optional<qint64> elapsed, std::optional<qint64> zt = 1)
{
    TestRecord record;
    record.number = number;
    record.count = count;
    record.right = right;
    record.elapsed = elapsed;
    if (right && count)
        record.wrong = *count - *right;
    record.marked = zt;
    return record;
}

ProgressPoint point(const QDateTime &moment, double percentRight, double secondsPerQuestion)
{
    ProgressPoint p;
    p.moment = moment;
    p.percentRight = percentRight;
    p.secondsPerQuestion = secondsPerQuestion;
    return p;
}

} // namespace

// The rules of the quiz room: a test from choosing to marking, its tables, the wrong-answer
// book and the progress chart's numbers.
class TestQuiz : public QObject
{
    Q_OBJECT

private slots:
    void choicesFromSetting_data()
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

    void choicesFromSetting()
    {
        QFETCH(QString, stored);
        QFETCH(int, type);
        QFETCH(QString, restored);
        QCOMPARE(TestChoices::fromSetting(stored, qint16(type)).toSetting(), restored);
    }

    void answersCompareAsNumbers_data()
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

    void answersCompareAsNumbers()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(bool, right);
        QCOMPARE(answersMatch(typed, expected), right);
    }

    void elapsedText_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("clock");
        QTest::addColumn<QString>("words");
        QTest::newRow("none") << 0 << u"00:00:00"_s << u"0 秒"_s;
        QTest::newRow("under a minute") << 59 << u"00:00:59"_s << u"59 秒"_s;
        QTest::newRow("a whole minute") << 60 << u"00:01:00"_s << u"1 分"_s;
        QTest::newRow("minutes and seconds") << 150 << u"00:02:30"_s << u"2 分 30 秒"_s;
        QTest::newRow("over an hour") << 3725 << u"01:02:05"_s << u"62 分 5 秒"_s;
    }

    void elapsedText()
    {
        QFETCH(int, seconds);
        QFETCH(QString, clock);
        QFETCH(QString, words);
        QCOMPARE(::elapsedText(seconds), clock);
        QCOMPARE(::elapsedText(seconds, TimeForm::Words), words);
    }

    void nothingIsStoredBeforeConfirming()
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

        // Another test of the same kind made within the same second is stamped a second on.
        TestSession second(d.db(), d.settings());
        second.generate(d.maker, 5, 3, 20, kMoment.addSecs(1));
        second.confirm();
        QCOMPARE(second.number(), u"05_3_20_20110830063650"_s);
        QCOMPARE(loadTestItems(d.db(), second.number(), ItemOrder::Question).size(), 20);
    }

    void marking_data()
    {
        QTest::addColumn<QList<int>>("wrongPositions");
        QTest::addColumn<int>("unanswered"); // a position left empty, 0 for none
        QTest::newRow("three wrong") << QList { 2, 5, 7 } << 0;
        QTest::newRow("all right") << QList<int> {} << 0;
        QTest::newRow("all wrong") << QList { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 } << 0;
        QTest::newRow("one unanswered: nothing marked") << QList { 2 } << 9;
    }

    void marking()
    {
        QFETCH(QList<int>, wrongPositions);
        QFETCH(int, unanswered);
        TestData d;
        TestSession session(d.db(), d.settings());
        session.generate(d.maker, 7, 2, 10, kMoment);
        session.confirm();
        TestItemModel model;
        QAbstractItemModelTester tester(&model, kQtTest);
        model.setSession(&session);
        QCOMPARE(session.firstUnanswered(), 0);
        QStringList wrongQuestions;
        for (int i = 0; i < 10; ++i) {
            const QString right = session.items()[i].answer;
            if (wrongPositions.contains(i + 1))
                wrongQuestions << session.items()[i].question;
            if (i + 1 != unanswered)
                session.recordAnswer(
                    i, wrongPositions.contains(i + 1) ? right + u"1"_s : u"0"_s + right);
        }
        QCOMPARE(session.firstUnanswered(), unanswered - 1);
        session.setElapsed(3725);
        const MarkResult result = session.mark();
        model.refresh();
        const std::optional<TestRecord> record = findTestRecord(d.db(), session.number());
        QCOMPARE(result.complete, unanswered == 0);
        QCOMPARE(session.isMarked(), result.complete);
        if (!result.complete) {
            QVERIFY(!record->marked && !record->wrong);
            QCOMPARE(session.items()[1].position, 2);
            QCOMPARE(session.wrongCount(), 0);
            QCOMPARE(model.columnCount(), 3);
            return;
        }
        QCOMPARE(result.wrong, wrongPositions.size());
        QCOMPARE(session.wrongCount(), result.wrong);
        QCOMPARE(result.timeText, u"01:02:05"_s);
        // Wrong first, each in question order, with its mark and the correct answer beside it.
        QList<int> order;
        for (const TestItem &item : session.items())
            order << item.position;
        QList<int> expected = wrongPositions;
        for (int position = 1; position <= 10; ++position) {
            if (!wrongPositions.contains(position))
                expected << position;
        }
        QCOMPARE(order, expected);
        QCOMPARE(model.columnCount(), 5);
        for (int row = 0; row < 10; ++row) {
            const bool wrong = row < wrongPositions.size();
            QCOMPARE(model.index(row, TestItemModel::Position).data().toInt(), order[row]);
            QCOMPARE(
                model.index(row, TestItemModel::Mark).data().toString(), wrong ? u"×"_s : u"√"_s);
            QCOMPARE(
                model.index(row, TestItemModel::Question).data(TestItemModel::WrongRole), wrong);
            QCOMPARE(model.index(row, TestItemModel::Expected).data().toString(),
                session.items()[row].answer);
            QVERIFY(!(model.flags(model.index(row, TestItemModel::Answer)) & Qt::ItemIsEditable));
        }
        QCOMPARE(record->wrong, wrongPositions.size());
        QCOMPARE(record->right, 10 - wrongPositions.size());
        QCOMPARE(record->timeText, u"01:02:05"_s);
        QCOMPARE(record->marked, 1);
        // The wrong questions go into the book, of the test's type and level.
        QStringList inBook;
        for (const Mistake &m : MistakeBook(d.db()).toLearn()) {
            inBook << m.question;
            QCOMPARE(m.type, qint16(7));
            QCOMPARE(m.level, qint16(2));
        }
        wrongQuestions.removeDuplicates();
        wrongQuestions.sort();
        inBook.sort();
        QCOMPARE(inBook, wrongQuestions);
        // Taken up again, the test keeps its count of wrong answers.
        TestSession resumed(d.db(), d.settings());
        QVERIFY(resumed.resume(session.number()));
        QVERIFY(resumed.isMarked());
        QCOMPARE(resumed.wrongCount(), result.wrong);
    }

    void leavingAndResumingKeepsAnswersAndClock()
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
        QCOMPARE(resumed.firstUnanswered(), 1);
        QVERIFY(!resumed.isMarked());
        QVERIFY(!TestSession(d.db(), d.settings()).resume(u"01_1_10_20000101000000"_s));
    }

    void clockStopsAtThreeHours()
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

    void killedWhileAnsweringLosesNothing()
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

    void answerCell_data()
    {
        QTest::addColumn<int>("stage"); // 0 generated, 1 confirmed, 2 a stored test to look at
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("stored"); // what the cell holds afterwards
        QTest::newRow("digits") << 1 << u"12"_s << true << u"12"_s;
        QTest::newRow("blanks around") << 1 << u" 7 "_s << true << u"7"_s;
        QTest::newRow("cleared") << 1 << QString() << true << QString();
        QTest::newRow("letter") << 1 << u"1a"_s << false << u"5"_s;
        QTest::newRow("minus") << 1 << u"-3"_s << false << u"5"_s;
        QTest::newRow("full-width digits") << 1 << u"１２"_s << false << u"5"_s;
        QTest::newRow("nine digits") << 1 << u"123456789"_s << true << u"123456789"_s;
        QTest::newRow("ten digits") << 1 << u"1234567890"_s << false << u"5"_s;
        QTest::newRow("not confirmed yet") << 0 << u"4"_s << false << QString();
        QTest::newRow("stored test") << 2 << u"4"_s << false << u"5"_s;
    }

    void answerCell()
    {
        QFETCH(int, stage);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QString, stored);
        TestData d;
        TestSession session(d.db(), d.settings());
        session.generate(d.maker, 1, 2, 10, kMoment);
        TestItemModel model;
        QAbstractItemModelTester tester(&model, kQtTest);
        model.setSession(&session);
        const QModelIndex cell = model.index(3, TestItemModel::Answer);
        if (stage > 0) {
            session.confirm();
            model.refresh();
            QVERIFY(model.setData(cell, u"5"_s));
        }
        if (stage == 2)
            model.setItems(session.items());
        QCOMPARE(bool(model.flags(cell) & Qt::ItemIsEditable), stage == 1);
        QVERIFY(!(model.flags(model.index(3, TestItemModel::Question)) & Qt::ItemIsEditable));

        QCOMPARE(model.setData(cell, typed), accepted);
        QCOMPARE(cell.data().toString(), stored);
        // Written the moment it was committed, not when the test is left.
        if (stage > 0)
            QCOMPARE(d.storedAnswer(session.number(), 3), stored);
    }

    void headerClickOrders_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("current"); // -1 none, else ItemOrder
        QTest::addColumn<int>("wanted"); // -1 nothing to do
        const int none = -1, question = int(ItemOrder::Question),
                  wrong = int(ItemOrder::WrongFirst);
        QTest::newRow("mark, unsorted") << int(TestItemModel::Mark) << none << wrong;
        QTest::newRow("mark, wrong first already") << int(TestItemModel::Mark) << wrong << none;
        QTest::newRow("mark, by number") << int(TestItemModel::Mark) << question << wrong;
        QTest::newRow("number, unsorted") << int(TestItemModel::Position) << none << question;
        QTest::newRow("number, by number already")
            << int(TestItemModel::Position) << question << none;
        QTest::newRow("number, wrong first") << int(TestItemModel::Position) << wrong << question;
        QTest::newRow("question") << int(TestItemModel::Question) << wrong << none;
        QTest::newRow("answer") << int(TestItemModel::Answer) << none << none;
        QTest::newRow("correct answer") << int(TestItemModel::Expected) << question << none;
    }

    void headerClickOrders()
    {
        QFETCH(int, column);
        QFETCH(int, current);
        QFETCH(int, wanted);
        const auto order = [](int value) {
            return value < 0 ? std::nullopt : std::optional<ItemOrder>(ItemOrder(value));
        };
        QCOMPARE(TestItemModel::orderForHeader(column, order(current)), order(wanted));
    }

    void recordsNewestFirstWithTheirAction()
    {
        TestData d;
        const QString marked = d.store({ .seconds = 83, .moment = kMoment });
        const QString unfinished
            = d.store({ .seconds = 3725, .moment = kMoment.addSecs(60), .answered = 0 });
        const QString newest
            = d.store({ .type = 2, .moment = kMoment.addSecs(120), .answered = 0 });

        TestRecordModel model;
        QAbstractItemModelTester tester(&model, kQtTest);
        model.setRecords(listTestRecords(d.db()));
        const auto cell
            = [&](int row, int column) { return model.index(row, column).data().toString(); };
        QCOMPARE((QStringList { cell(0, 0), cell(1, 0), cell(2, 0) }),
            (QStringList { newest, unfinished, marked }));
        QCOMPARE(cell(1, TestRecordModel::Action), u"答题"_s);
        QCOMPARE(cell(1, TestRecordModel::Moment), u"2011-08-30 06:37"_s);
        QCOMPARE(cell(1, TestRecordModel::Time), u"01:02:05"_s);
        QCOMPARE(cell(1, TestRecordModel::Wrong), QString());
        QCOMPARE(cell(2, TestRecordModel::Action), u"查看"_s);
        QCOMPARE(cell(2, TestRecordModel::Right), u"10"_s);
        QCOMPARE(cell(2, TestRecordModel::Wrong), u"0"_s);
        QCOMPARE(cell(2, TestRecordModel::Time), u"00:01:23"_s);
        QVERIFY(model.index(2, 0).data(TestRecordModel::MarkedRole).toBool());
        QVERIFY(!model.index(1, 0).data(TestRecordModel::MarkedRole).toBool());
        QCOMPARE(model.rowOf(marked), 2);
        QCOMPARE(model.rowOf(u"01_2_10_20000101000000"_s), -1);
    }

    void masteryRule()
    {
        TestData d;
        MistakeBook book(d.db());
        const QDateTime now = QDateTime::currentDateTime();
        auto item = [](const QString &question, const QString &answer, int error) {
            TestItem i;
            i.question = question;
            i.answer = answer;
            i.userAnswer = u"1"_s;
            i.error = error;
            return i;
        };
        const QString q = u" 7 × 8 ＝"_s;

        book.recordMarked({ item(q, u"56"_s, 1), item(u" 2 × 3 ＝"_s, u"6"_s, 0) }, 5, 1, now);
        QCOMPARE(book.toLearn().size(), 1);
        QCOMPARE(book.toLearn().first().question, q);
        QCOMPARE(book.toLearn().first().wrongCount, 1);
        QVERIFY(!book.find(u" 2 × 3 ＝"_s)); // right the first time: never in the book

        book.recordMarked({ item(q, u"56"_s, 0) }, 5, 1, now.addDays(1));
        QCOMPARE(book.toLearn().first().rightSince, 1);
        book.recordMarked({ item(q, u"56"_s, 0) }, 5, 1, now.addDays(2));
        QVERIFY(book.toLearn().isEmpty());
        QVERIFY(book.find(q)->learned); // kept as history

        book.recordMarked({ item(q, u"56"_s, 1) }, 5, 1, now.addDays(3));
        const QList<Mistake> again = book.toLearn();
        QCOMPARE(again.size(), 1);
        QCOMPARE(again.first().wrongCount, 2);
        QCOMPARE(again.first().rightSince, 0);
        QCOMPARE(again.first().firstSeen.date(), now.date());
        QVERIFY(book.toLearn(qint16(7)).isEmpty());
        QCOMPARE(book.toLearn(qint16(5)).size(), 1);
    }

    void practiceRunsAreTestsThatCountTowardsLearning()
    {
        TestData d;
        d.store({ .type = 5, .level = 2, .wrong = { 2, 5, 7 } });
        const MistakeBook book(d.db());
        const qsizetype inBook = book.toLearn().size(); // three, or fewer when two were the same
        QVERIFY(inBook > 0);
        for (int run = 1; run <= MistakeBook::kRightToLearn; ++run) {
            const QList<Mistake> mistakes = book.toLearn();
            QCOMPARE(mistakes.size(), inBook);
            TestSession practice(d.db(), d.settings());
            practice.generatePractice(mistakes, QDateTime::currentDateTime().addSecs(run));
            practice.confirm();
            for (int i = 0; i < mistakes.size(); ++i) {
                QCOMPARE(practice.items().at(i).question, mistakes.at(i).question);
                practice.recordAnswer(i, mistakes.at(i).answer);
            }
            QVERIFY(practice.mark().complete);
            QVERIFY(practice.number().startsWith(u"00_0_%1_"_s.arg(inBook)));
            QCOMPARE(findTestRecord(d.db(), practice.number())->typeName, u"错题重练"_s);
        }
        QVERIFY(book.toLearn().isEmpty());
    }

    void olderFileGainsTheBook()
    {
        TestData d;
        // A file as the program wrote it before the book existed.
        const QString number = d.store({ .type = 2, .answered = 0 });
        d.db().exec("DROP TABLE tab_ctb");
        d.db().exec("PRAGMA user_version = 0");
        d.context.reset();
        {
            auto db = datafile::open(d.path);
            QCOMPARE(migrations::versionOf(*db), migrations::kCurrentVersion);
            QCOMPARE(loadTestItems(*db, number, ItemOrder::Question).size(), 10);
            MistakeBook(*db).recordMarked({}, 1, 1, QDateTime::currentDateTime());
            db->exec("INSERT INTO tab_ctb (ctb_mc, ctb_daan) VALUES ('x', '1')");
        }
        // The second open finds the file current and changes nothing.
        auto db = datafile::open(d.path);
        Statement book = db->prepare("SELECT count(*) FROM tab_ctb");
        book.next();
        QCOMPARE(book.integer(0), 1);
    }

    void pointOfOneTest_data()
    {
        QTest::addColumn<TestRecord>("record");
        QTest::addColumn<bool>("charted");
        QTest::addColumn<qint16>("type");
        QTest::addColumn<qint16>("level");
        QTest::addColumn<double>("percentRight");
        QTest::addColumn<double>("secondsPerQuestion");
        QTest::addColumn<QDateTime>("moment");

        const QDateTime moment(QDate(2026, 12, 6), QTime(14, 32, 36));
        const QString number = u"05_3_20_20261206143236"_s;
        auto leftOut = [](const char *name, const TestRecord &record) {
            QTest::newRow(name) << record << false << qint16(0) << qint16(0) << 0.0 << 0.0
                                << QDateTime();
        };

        QTest::newRow("17 of 20 in 90 s") << marked(number, 20, 17, 90) << true << qint16(5)
                                          << qint16(3) << 85.0 << 4.5 << moment;
        QTest::newRow("all right, no time")
            << marked(u"10_3_10_20240229235959"_s, 10, 10, 0) << true << qint16(10) << qint16(3)
            << 100.0 << 0.0 << QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59));
        QTest::newRow("none right")
            << marked(u"01_1_30_20250101080000"_s, 30, 0, 100) << true << qint16(1) << qint16(1)
            << 0.0 << 100.0 / 30 << QDateTime(QDate(2025, 1, 1), QTime(8, 0));
        leftOut("unfinished", marked(number, 20, std::nullopt, 40, std::nullopt));
        leftOut("zt 0", marked(number, 20, 17, 90, 0));
        leftOut("stamp one digit short", marked(u"05_3_20_2026120614323"_s, 20, 17, 90));
        leftOut("no number", marked(QString(), 20, 17, 90));
        leftOut("month 13", marked(u"05_3_20_20261306143236"_s, 20, 17, 90));
        leftOut("30 February", marked(u"05_3_20_20260230143236"_s, 20, 17, 90));
        leftOut("practice from the book", marked(u"00_0_3_20261206143236"_s, 3, 2, 12));
        leftOut("type 11", marked(u"11_1_20_20261206143236"_s, 20, 17, 90));
        leftOut("level 0", marked(u"05_0_20_20261206143236"_s, 20, 17, 90));
        leftOut("level 4 of type 10", marked(u"10_4_20_20261206143236"_s, 20, 17, 90));
        leftOut("no questions", marked(number, 0, 0, 90));
        leftOut("more right than asked", marked(number, 20, 21, 90));
        leftOut("no time", marked(number, 20, 17, std::nullopt));
    }

    void pointOfOneTest()
    {
        QFETCH(TestRecord, record);
        QFETCH(bool, charted);

        const QList<ProgressSeries> chart = progressByType({ record });
        QCOMPARE(chart.size(), charted ? 1 : 0);
        if (!charted)
            return;
        QFETCH(qint16, type);
        QFETCH(qint16, level);
        QFETCH(double, percentRight);
        QFETCH(double, secondsPerQuestion);
        QFETCH(QDateTime, moment);
        QCOMPARE(chart[0].type, type);
        QCOMPARE(chart[0].points.size(), 1);
        const ProgressPoint &point = chart[0].points[0];
        QCOMPARE(point.number, record.number);
        QCOMPARE(point.level, level);
        QCOMPARE(point.percentRight, percentRight);
        QCOMPARE(point.secondsPerQuestion, secondsPerQuestion);
        QCOMPARE(point.moment, moment);
        QCOMPARE(point.count, *record.count);
        QCOMPARE(point.right, *record.right);
    }

    void seriesPerTypeInTimeOrder()
    {
        // Newest row first, as the records list gives them, but with row order and moments
        // apart, as in a file put together from two.
        const QList<TestRecord> records = {
            marked(u"07_2_10_20260105090000"_s, 10, 9, 50),
            marked(u"03_1_10_20260110090000"_s, 10, 8, 40),
            marked(u"07_1_10_20260101090000"_s, 10, 5, 80),
            marked(u"bad"_s, 10, 5, 80),
            marked(u"07_3_10_20260103090000"_s, 10, 7, 60),
            marked(u"03_1_10_20260102090000"_s, 10, 6, 45, std::nullopt),
        };
        const QList<ProgressSeries> chart = progressByType(records);
        QCOMPARE(chart.size(), 2);
        QCOMPARE(chart[0].type, 3);
        QCOMPARE(chart[1].type, 7);
        QStringList numbers;
        for (const ProgressSeries &series : chart) {
            for (const ProgressPoint &point : series.points)
                numbers << point.number;
        }
        QCOMPARE(numbers,
            (QStringList { u"03_1_10_20260110090000"_s, u"07_1_10_20260101090000"_s,
                u"07_3_10_20260103090000"_s, u"07_2_10_20260105090000"_s }));
    }

    void firstShownType_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("shown");
        QTest::newRow("the menu's type") << 5 << 5;
        QTest::newRow("another with tests") << 1 << 1;
        QTest::newRow("never taken: the newest") << 2 << 7;
    }

    void firstShownType()
    {
        QFETCH(int, current);
        QFETCH(int, shown);
        const QDate day(2026, 3, 2);
        const auto series = [&](qint16 type, int lastDay) {
            return ProgressSeries { type,
                { point(day.startOfDay(), 50, 3),
                    point(day.addDays(lastDay).startOfDay(), 60, 3) } };
        };
        const QList<ProgressSeries> chart
            = { series(1, 1), series(5, 2), series(7, 4), series(9, 3) };
        QCOMPARE(::firstShownType(chart, qint16(current)), qint16(shown));
        QCOMPARE(::firstShownType({}, qint16(current)), qint16(0));
    }

    void summaryAndPointText()
    {
        const QDateTime day(QDate(2026, 3, 5), QTime(17, 10, 5));
        const ProgressSeries series { 5,
            { point(day, 85, 4.5), point(day.addDays(1), 100, 2),
                point(day.addDays(2), 62.5, 10.0 / 3) } };
        QCOMPARE(progressSummary(series), u"共 3 次 · 最近一次 62.5%、每题 3.3 秒 · 最好 100%"_s);

        ProgressPoint p = point(day, 80, 6);
        p.number = u"05_2_25_20260305171005"_s;
        p.level = 2;
        p.count = 25;
        p.right = 20;
        p.elapsed = 150;
        QCOMPARE(pointText(p),
            u"试卷编号：05_2_25_20260305171005\n日期：2026-03-05 17:10\n难度：二级\n"
            "正确率：80%（25 题对 20 题）\n每题用时：6 秒（共 2 分 30 秒）"_s);
    }

    void timeScale_data()
    {
        QTest::addColumn<QDateTime>("first");
        QTest::addColumn<QDateTime>("last");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("title");
        const auto at
            = [](int y, int m, int d, int h) { return QDateTime(QDate(y, m, d), QTime(h, 0)); };
        const QString dates = u"测试日期"_s;
        QTest::newRow("one test: quarter days")
            << at(2026, 3, 2, 10) << at(2026, 3, 2, 10) << QDate(2026, 3, 2) << QDate(2026, 3, 3)
            << 5 << u"HH:mm"_s << u"测试时间（2026年3月2日）"_s;
        // An hour either side reaches into the day before and the day after.
        QTest::newRow("three days: half days")
            << at(2026, 3, 2, 0) << at(2026, 3, 2, 23) << QDate(2026, 3, 1) << QDate(2026, 3, 4)
            << 7 << u"M月d日 HH:mm"_s << dates;
        QTest::newRow("five days: whole days")
            << at(2026, 3, 2, 17) << at(2026, 3, 6, 17) << QDate(2026, 3, 2) << QDate(2026, 3, 7)
            << 6 << u"M月d日"_s << dates;
        // 67 days with their margins, in six steps of twelve days.
        QTest::newRow("over new year")
            << at(2025, 12, 20, 12) << at(2026, 2, 20, 12) << QDate(2025, 12, 18)
            << QDate(2026, 2, 28) << 7 << u"yyyy年M月d日"_s << dates;
    }

    void timeScale()
    {
        QFETCH(QDateTime, first);
        QFETCH(QDateTime, last);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(int, ticks);
        QFETCH(QString, format);
        QFETCH(QString, title);
        const TimeScale scale = ::timeScale(first, last);
        QCOMPARE(scale.from, from.startOfDay());
        QCOMPARE(scale.to, to.startOfDay());
        QCOMPARE(scale.ticks, ticks);
        QCOMPARE(scale.format, format);
        QCOMPARE(scale.title, title);
    }

    void speedStep_data()
    {
        QTest::addColumn<double>("slowest");
        QTest::addColumn<double>("step");
        QTest::newRow("no time") << 0.0 << 1.0;
        QTest::newRow("five steps of one") << 5.0 << 1.0;
        QTest::newRow("just over") << 5.1 << 2.0;
        QTest::newRow("a minute and a half") << 90.0 << 20.0;
        QTest::newRow("beyond the last") << 12600.0 << 2500.0;
    }

    void speedStep()
    {
        QFETCH(double, slowest);
        QFETCH(double, step);
        QCOMPARE(::speedStep(slowest), step);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--crash-child") == 0)
        return crashChild(QString::fromLocal8Bit(argv[2]));
    TestQuiz test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_quiz.moc"
