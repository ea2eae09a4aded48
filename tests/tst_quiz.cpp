#include "support/storedtests.h"
#include "support/testdata.h"

#include "store/datafile.h"
#include "store/migrations.h"
#include "generate/blankform.h"
#include "children/childlist.h"
#include "quiz/mistakebook.h"
#include "quiz/mistakesheet.h"
#include "quiz/progressscale.h"
#include "worksheet/formmemory.h"
#include "worksheet/scannablesheet.h"
#include "worksheet/sheetchoices.h"
#include "quiz/progressseries.h"
#include "quiz/testitemmodel.h"
#include "quiz/testrecordmodel.h"

#include <QAbstractItemModelTester>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime kMoment(QDate(2011, 8, 30), QTime(6, 36, 48));
constexpr auto kQtTest = QAbstractItemModelTester::FailureReportingMode::QtTest;

// Run as a child process by the crash test: confirms a test, then records
// answers one by one, telling the parent after each, and waits to be killed.
int crashChild(const QString &path)
{
    auto context = AppContext::open(path);
    SeededRandom rnd(5);
    QuestionMaker maker(rnd);
    TestSession session(context->database(), context->settings());
    session.generate(maker, 5, 2, 30, kMoment);
    session.confirm();
    std::printf("number %s\n", qPrintable(session.number()));
    for (int i = 0; i < session.items().size(); ++i) {
        session.recordAnswer(i, QString::number(1000 + i));
        std::printf("answered %d\n", i);
        std::fflush(stdout);
    }
    for (;;)
        ::pause();
}

TestRecord marked(const QString &number, qint64 count, std::optional<qint64> right,
    std::optional<qint64> elapsed, std::optional<qint64> zt = 1)
{
    return { .number = number, .count = count, .elapsed = elapsed, .right = right, .marked = zt };
}

// One line per item, so that whole lists compare at once.
QStringList lines(const QList<TestItem> &items)
{
    QStringList result;
    for (const TestItem &i : items)
        result << u"%1 %2 %3 %4 %5"_s.arg(i.position)
                      .arg(i.question, i.answer, i.userAnswer)
                      .arg(i.error.value_or(-1));
    return result;
}

} // namespace

// The rules of the quiz room: a test from choosing to marking, its tables, the wrong-answer
// book and the progress chart's numbers.
class TestQuiz : public QObject
{
    Q_OBJECT

private slots:
    // The choices a window keeps for the next time, read back as written; whatever is out of
    // range or does not read falls back to its default.
    void choicesFromSetting_data()
    {
        QTest::addColumn<bool>("sheet"); // the worksheet window's, else the test window's
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("restored"); // as written back
        QTest::newRow("test, nothing stored") << false << QString() << 1 << u"1\\20"_s;
        QTest::newRow("test, level and count") << false << u"3\\40"_s << 5 << u"3\\40"_s;
        QTest::newRow("test, level beyond the type") << false << u"4\\40"_s << 10 << u"1\\40"_s;
        QTest::newRow("test, count below ten") << false << u"2\\9"_s << 2 << u"2\\20"_s;
        QTest::newRow("test, count above hundred") << false << u"2\\101"_s << 2 << u"2\\20"_s;
        QTest::newRow("test, garbage") << false << u"x\\y"_s << 2 << u"1\\20"_s;
        QTest::newRow("sheet, all fields")
            << true << u"2\\4\\12\\1\\5"_s << 1 << u"2\\4\\12\\1\\5"_s;
        QTest::newRow("sheet, empty") << true << QString() << 1 << u"1\\5\\10\\3\\3"_s;
        QTest::newRow("sheet, garbage") << true << u"abc"_s << 1 << u"1\\5\\10\\3\\3"_s;
        QTest::newRow("sheet, each field out of range")
            << true << u"9\\9\\999\\0\\7"_s << 1 << u"1\\5\\10\\3\\3"_s;
        QTest::newRow("sheet, too few fields") << true << u"2\\4"_s << 1 << u"2\\4\\10\\3\\3"_s;
        QTest::newRow("sheet, halves to even")
            << true << u"2.5\\3.5\\14.5\\1\\1"_s << 2 << u"2\\4\\14\\1\\1"_s;
        QTest::newRow("sheet, type 10 has three levels")
            << true << u"4\\2\\15\\3\\1"_s << 10 << u"1\\2\\15\\3\\1"_s;
        QTest::newRow("sheet, blanks around numbers")
            << true << u" 2 \\3\\ 20\\2\\2"_s << 3 << u"2\\3\\20\\2\\2"_s;
        QTest::newRow("sheet, one row minimum")
            << true << u"1\\2\\0\\3\\1"_s << 3 << u"1\\2\\10\\3\\1"_s;
    }

    void choicesFromSetting()
    {
        QFETCH(bool, sheet);
        QFETCH(QString, stored);
        QFETCH(int, type);
        QFETCH(QString, restored);
        QCOMPARE(sheet ? SheetChoices::fromSetting(stored, qint16(type)).toSetting()
                       : TestChoices::fromSetting(stored, qint16(type)).toSetting(),
            restored);
    }

    // What the child typed against the stored answer, as a parent would mark it. The answer
    // cell keeps only the digits 0-9, trimmed; anything else is no number and never right.
    void markingAnswers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("right");
        QTest::newRow("the answer") << u"42"_s << u"42"_s << true;
        QTest::newRow("its first digit only") << u"4"_s << u"42"_s << false;
        QTest::newRow("its last digit only") << u"2"_s << u"42"_s << false;
        QTest::newRow("its last zero left off") << u"42"_s << u"420"_s << false;
        QTest::newRow("an extra digit") << u"421"_s << u"42"_s << false;
        QTest::newRow("leading zeros") << u"0042"_s << u"42"_s << true;
        QTest::newRow("zero written twice") << u"00"_s << u"0"_s << true;
        QTest::newRow("blank") << QString() << u"0"_s << false;
        QTest::newRow("spaces around") << u" 42 "_s << u"42"_s << true;
        QTest::newRow("a space inside") << u"4 2"_s << u"42"_s << false;
        QTest::newRow("full-width digits") << u"４２"_s << u"42"_s << false;
        QTest::newRow("a minus sign") << u"-42"_s << u"42"_s << false;
        QTest::newRow("a letter after the answer") << u"42a"_s << u"42"_s << false;
        QTest::newRow("beyond 64 bits")
            << u"123456789012345678901234"_s << u"123456789012345678901234"_s << true;
        QTest::newRow("beyond 64 bits, the last digit apart")
            << u"123456789012345678901235"_s << u"123456789012345678901234"_s << false;
    }

    void markingAnswers()
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

    void aTestBeforeMarking()
    {
        TestData d;
        TestSession session(d.db(), d.settings());
        session.generate(d.maker, 5, 3, 25, kMoment);
        session.generate(d.maker, 5, 3, 20, kMoment.addSecs(1));
        QCOMPARE(session.number(), u"05_3_20_20110830063649"_s);
        QVERIFY(!findTestRecord(d.db(), session.number()));
        QCOMPARE(d.settings().read(u"txb5"_s), u"1\\10"_s);
        TestItemModel model;
        QAbstractItemModelTester tester(&model, kQtTest);
        model.setSession(&session);
        const QModelIndex cell = model.index(5, TestItemModel::Answer);
        // Whether the cell takes what is typed, what it shows then, and what the file holds: an
        // answer is written the moment it is committed, not when the test is left.
        const auto type = [&](const QString &typed) {
            const bool taken = model.setData(cell, typed);
            return u"%1 %2|%3"_s.arg(int(taken))
                .arg(cell.data().toString(),
                    session.isConfirmed() ? d.storedAnswer(session.number(), 5) : u"-"_s);
        };
        QVERIFY(!(model.flags(cell) & Qt::ItemIsEditable)); // not confirmed yet
        QCOMPARE(type(u"4"_s), u"0 |-"_s);

        session.confirm();
        QCOMPARE(d.settings().read(u"txb5"_s), u"3\\20"_s);
        const std::optional<TestRecord> record = findTestRecord(d.db(), session.number());
        QCOMPARE(u"%1 %2 %3"_s.arg(record->typeName, record->levelName).arg(*record->count),
            u"A × B 三级 20"_s);
        QVERIFY(!record->marked && !record->wrong && record->timeText.isEmpty());
        QCOMPARE(session.firstUnanswered(), 0);
        model.refresh();
        QVERIFY(model.flags(cell) & Qt::ItemIsEditable);
        QVERIFY(!(model.flags(model.index(5, TestItemModel::Question)) & Qt::ItemIsEditable));
        QCOMPARE(type(u" 7 "_s), u"1 7|7"_s);
        QCOMPARE(type(QString()), u"1 |"_s);
        QCOMPARE(type(u"123456789"_s), u"1 123456789|123456789"_s);
        for (const QString &refused : { u"-3"_s, u"１２"_s, u"1234567890"_s, u"1a"_s })
            QCOMPARE(type(refused), u"0 123456789|123456789"_s);

        // Left and taken up again, it keeps its questions, answers and clock.
        session.recordAnswer(0, u"15"_s);
        session.recordAnswer(3, u"8"_s);
        session.setElapsed(125);
        session.leave();
        TestSession resumed(d.db(), d.settings());
        QVERIFY(resumed.resume(session.number()));
        QCOMPARE(lines(resumed.items()), lines(session.items()));
        QCOMPARE((QList<int> { resumed.elapsed(), resumed.type(), resumed.level(),
                     resumed.answeredCount(), resumed.firstUnanswered() }),
            (QList<int> { 125, 5, 3, 3, 1 }));
        QCOMPARE(resumed.state(), TestSession::State::Running);
        QCOMPARE(resumed.origin(), TestSession::Origin::Screen);
        model.setItems(resumed.items()); // a stored test, to look at
        QVERIFY(!(model.flags(cell) & Qt::ItemIsEditable));
        QCOMPARE(type(u"4"_s), u"0 123456789|123456789"_s);
        QVERIFY(!TestSession(d.db(), d.settings()).resume(u"01_1_10_20000101000000"_s));

        // The clock stops at three hours.
        resumed.setElapsed(10798);
        QCOMPARE((QList<bool> { resumed.tick(), resumed.tick(), resumed.tick() }),
            (QList<bool> { true, false, false }));
        QCOMPARE(resumed.elapsed(), 10800);
        resumed.setElapsed(20000);
        QCOMPARE(resumed.elapsed(), 10800);
    }

    // Siblings in one file: each sees only the tests and the wrong answers that are its own,
    // and a child removed takes its own with it, never another's.
    void childrenKeepTheirOwn()
    {
        TestData d;
        const Child first = childlist::first(d.db());
        const Child sister = childlist::add(d.db(), u" 姐姐 "_s);
        QCOMPARE(sister.name, u"姐姐"_s);
        QHash<qint64, TestItem> missed;
        for (const Child &child : { first, sister }) {
            TestSession session(d.db(), d.settings());
            session.setChild(child.id);
            session.generate(d.maker, 1, 1, 10, kMoment);
            session.confirm();
            for (int i = 0; i < 10; ++i)
                session.recordAnswer(i, session.items()[i].answer);
            const int wrong = child.id == first.id ? 2 : 7;
            session.recordAnswer(wrong, u"0"_s);
            QVERIFY(session.mark().complete);
            missed.insert(
                child.id, *std::ranges::find(session.items(), u"0"_s, &TestItem::userAnswer));
        }
        for (const Child &child : { first, sister }) {
            const QList<TestRecord> records = listTestRecords(d.db(), child.id);
            QCOMPARE(records.size(), 1);
            QCOMPARE(loadTestItems(d.db(), records.first().number, ItemOrder::Question).size(), 10);
            const QList<Mistake> book = MistakeBook(d.db(), child.id).toLearn();
            QCOMPARE(book.size(), 1);
            QCOMPARE(book.first().question, missed.value(child.id).question);
            QCOMPARE(childlist::testCount(d.db(), child), 1);
        }
        childlist::remove(d.db(), sister);
        QCOMPARE(countRows(d.db(), "SELECT count(*) FROM tab_test"), 1);
        QCOMPARE(countRows(d.db(), "SELECT count(*) FROM tab_test_mx"), 10);
        QCOMPARE(countRows(d.db(), "SELECT count(*) FROM tab_ctb"), 1);
        QVERIFY_THROWS_EXCEPTION(ChildError, childlist::remove(d.db(), first));
    }

    void marking()
    {
        TestData d;
        const QString number = d.store(
            { .type = 7, .level = 2, .wrong = { 1, 4, 6 }, .seconds = 3725, .answered = 9 });
        TestSession session(d.db(), d.settings());
        QVERIFY(session.resume(number));
        TestItemModel model;
        QAbstractItemModelTester tester(&model, kQtTest);
        model.setSession(&session);
        // One question unanswered: nothing is marked.
        QCOMPARE(session.firstUnanswered(), 9);
        QVERIFY(!session.mark().complete && !session.isMarked() && session.wrongCount() == 0
            && !findTestRecord(d.db(), number)->marked);
        QCOMPARE(model.columnCount(), 3);

        session.recordAnswer(9, session.items()[9].answer);
        QCOMPARE(session.firstUnanswered(), -1);
        const MarkResult result = session.mark();
        model.refresh();
        QVERIFY(result.complete && session.isMarked());
        QCOMPARE(u"%1 %2 "_s.arg(result.wrong).arg(session.wrongCount()) + result.timeText,
            u"3 3 01:02:05"_s);
        const std::optional<TestRecord> record = findTestRecord(d.db(), number);
        QCOMPARE(
            QString::asprintf("%lld %lld %lld ", *record->right, *record->wrong, *record->marked)
                + record->timeText,
            u"7 3 1 01:02:05"_s);
        // Wrong first, each in question order, with its mark and the correct answer beside it.
        const QList<int> order { 2, 5, 7, 1, 3, 4, 6, 8, 9, 10 };
        QCOMPARE(model.columnCount(), 5);
        QStringList shown, expected;
        for (int row = 0; row < 10; ++row) {
            const TestItem &item = session.items()[row];
            const auto cell = [&](int column, int role = Qt::DisplayRole) {
                return model.index(row, column).data(role).toString();
            };
            shown << u"%1 %2 %3 %4"_s.arg(cell(TestItemModel::Position), cell(TestItemModel::Mark),
                cell(TestItemModel::Expected),
                cell(TestItemModel::Question, TestItemModel::WrongRole));
            expected << u"%1 %2 %3 %4"_s.arg(order[row])
                            .arg(row < 3 ? u"×"_s : u"√"_s, item.answer)
                            .arg(row < 3 ? u"true"_s : u"false"_s);
            QVERIFY(!(model.flags(model.index(row, TestItemModel::Answer)) & Qt::ItemIsEditable));
        }
        QCOMPARE(shown, expected);
        // Taken up again, the test keeps its count of wrong answers.
        TestSession resumed(d.db(), d.settings());
        QVERIFY(resumed.resume(number) && resumed.isMarked());
        QCOMPARE(resumed.wrongCount(), result.wrong);
    }

    void killedWhileAnsweringLosesNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"QRTA.dat"_s);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), { u"--crash-child"_s, path });
        QVERIFY(child.waitForStarted());
        QByteArray said; // "number …", then "answered 0", "answered 1" …
        while (!said.contains("answered 12\n") && child.waitForReadyRead(20000))
            said += child.readAll();
        child.kill(); // SIGKILL: no chance to tidy up
        child.waitForFinished();
        const QStringList lines = QString::fromUtf8(said + child.readAll()).split(u'\n');
        const QString number = lines.first().mid(7);
        const qsizetype lastAnswered = lines.size() - 3; // less the number and the last newline
        QVERIFY(lastAnswered >= 12);

        auto db = datafile::open(path); // checks the whole file first
        const QList<TestItem> items = loadTestItems(*db, number, ItemOrder::Question);
        QCOMPARE(items.size(), 30);
        for (int i = 0; i <= lastAnswered; ++i)
            QCOMPARE(items[i].userAnswer, QString::number(1000 + i));
    }

    void recordsNewestFirstWithTheirAction()
    {
        TestData d;
        const QString marked = d.store({ .seconds = 83, .moment = kMoment });
        const QString unfinished
            = d.store({ .seconds = 3725, .moment = kMoment.addSecs(60), .answered = 0 });

        TestRecordModel model;
        QAbstractItemModelTester tester(&model, kQtTest);
        model.setRecords(listTestRecords(d.db()));
        const auto row = [&](int r) {
            QStringList cells;
            for (int column = 0; column < model.columnCount(); ++column)
                cells << model.index(r, column).data().toString();
            return cells.join(u'|');
        };
        QCOMPARE(row(0), unfinished + u"|2011-08-30 06:37|A + B|一级|10|||01:02:05|答题"_s);
        QCOMPARE(row(1), marked + u"|2011-08-30 06:36|A + B|一级|10|10|0|00:01:23|查看"_s);
        QVERIFY(model.index(1, 0).data(TestRecordModel::MarkedRole).toBool());
        QVERIFY(!model.index(0, 0).data(TestRecordModel::MarkedRole).toBool());
        QCOMPARE(model.rowOf(marked), 1);
        QCOMPARE(model.rowOf(u"01_2_10_20000101000000"_s), -1);
    }

    // Tests taken one after another, and what the wrong-answer book holds after each. A test
    // lists its questions, A and B, each answered right (+) or wrong (-); "again" corrects the
    // last test and hands it in once more.
    void wrongAnswerBook_data()
    {
        QTest::addColumn<QStringList>("tests");
        QTest::addColumn<QStringList>("book"); // question wrong-count/right-since, oldest first
        const auto row = [](const char *name, const QStringList &tests, const QStringList &book) {
            QTest::newRow(name) << tests << book;
        };
        row("right the first time: never in", { u"A+ B-"_s }, { u"B 1/0"_s });
        row("right once later: still in", { u"A-"_s, u"A+"_s }, { u"A 1/0"_s, u"A 1/1"_s });
        row("right in two later tests: gone", { u"A- B-"_s, u"A+"_s, u"B+ A+"_s },
            { u"A 1/0, B 1/0"_s, u"A 1/1, B 1/0"_s, u"B 1/1"_s });
        row("right in the same test as the wrong: not counted", { u"A- A+"_s, u"A+"_s, u"A+"_s },
            { u"A 1/0"_s, u"A 1/1"_s, QString() });
        row("right twice in one later test: counted once", { u"A-"_s, u"A+ A+"_s, u"A+"_s },
            { u"A 1/0"_s, u"A 1/1"_s, QString() });
        row("corrected and handed in again: not counted", { u"A-"_s, u"again"_s, u"A+"_s },
            { u"A 1/0"_s, u"A 1/0"_s, u"A 1/1"_s });
        row("wrong again: starts over, and once gone comes back",
            { u"A-"_s, u"A+"_s, u"A-"_s, u"A+"_s, u"A+"_s, u"A-"_s },
            { u"A 1/0"_s, u"A 1/1"_s, u"A 2/0"_s, u"A 2/1"_s, QString(), u"A 3/0"_s });
    }

    void wrongAnswerBook()
    {
        QFETCH(QStringList, tests);
        QFETCH(QStringList, book);
        if (!m_shared) // opening a data file takes a while: one for all rows, the book emptied
            m_shared.emplace();
        TestData &d = *m_shared;
        d.db().exec("DELETE FROM tab_ctb");
        QString last;
        QStringList held;
        for (int t = 0; t < tests.size(); ++t) {
            TestSession session(d.db(), d.settings());
            if (tests[t] == u"again"_s) {
                QVERIFY(session.resume(last));
                for (int i = 0; i < session.items().size(); ++i)
                    session.recordAnswer(i, session.items()[i].answer);
            } else {
                const QStringList answers = tests[t].split(u' ');
                QList<Mistake> asked;
                for (const QString &a : answers) {
                    asked << Mistake {};
                    asked.last().question = a.left(1);
                    asked.last().answer = u"56"_s;
                }
                session.generatePractice(asked, kMoment.addSecs(t));
                session.confirm();
                for (int i = 0; i < answers.size(); ++i)
                    session.recordAnswer(i, answers[i].endsWith(u'+') ? u"56"_s : u"1"_s);
            }
            session.mark();
            last = session.number();
            QStringList entries;
            for (const Mistake &m : MistakeBook(d.db()).toLearn())
                entries << u"%1 %2/%3"_s.arg(m.question).arg(m.wrongCount).arg(m.rightSince);
            held << entries.join(u", "_s);
        }
        QCOMPARE(held, book);
    }

    void practiceRunsAreTestsThatCountTowardsLearning_data()
    {
        QTest::addColumn<BlankPlace>("blank");
        QTest::newRow("plain") << BlankPlace::None;
        QTest::newRow("fill in the blank") << BlankPlace::Any;
    }

    // Blank questions go the whole way as any: answered by the missing number, marked, into the
    // book in their blank form, practised, and printed with the number in the blank.
    void practiceRunsAreTestsThatCountTowardsLearning()
    {
        QFETCH(BlankPlace, blank);
        TestData d;
        const QString number
            = d.store({ .type = 5, .level = 2, .wrong = { 2, 5, 7 }, .blank = blank });
        const QList<Mistake> learning = MistakeBook(d.db()).toLearn();
        QStringList sheet, inBook, wrong;
        for (const QStringList &row : mistakeSheets(learning, 2, kMoment).answers.rows)
            sheet << row;
        for (const Mistake &m : learning) {
            const bool isBlank = blankform::isBlank(m.question);
            QCOMPARE(isBlank, blank != BlankPlace::None);
            QVERIFY(!isBlank || sheet.contains(blankform::filledIn(m.question, m.answer)));
            inBook << u"%1 %2 %3"_s.arg(m.type).arg(m.level).arg(m.question);
        }
        // Marking put the wrong questions into the book, of the test's type and level.
        for (const TestItem &item : loadTestItems(d.db(), number, ItemOrder::WrongFirst).first(3))
            wrong << u"5 2 "_s + item.question;
        wrong.removeDuplicates();
        wrong.sort();
        inBook.sort();
        QCOMPARE(inBook, wrong);
        // A practice run is a test of its own.
        TestSession practice(d.db(), d.settings());
        practice.generatePractice(learning, kMoment);
        practice.confirm();
        for (int i = 0; i < learning.size(); ++i) {
            QCOMPARE(practice.items().at(i).question, learning.at(i).question);
            practice.recordAnswer(i, learning.at(i).answer);
        }
        QVERIFY(practice.mark().complete);
        QVERIFY(practice.number().startsWith(u"00_0_%1_"_s.arg(inBook.size())));
        QCOMPARE(findTestRecord(d.db(), practice.number())->typeName, u"错题重练"_s);
    }

    void olderFilesAreBroughtUpToDate_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("before the book") << 0;
        QTest::newRow("before the remembered forms") << 1;
        QTest::newRow("before the scannable sheets") << 2;
        QTest::newRow("before the pages read") << 3;
        QTest::newRow("before the children") << 4;
    }

    void olderFilesAreBroughtUpToDate()
    {
        QFETCH(int, version);
        TestData d;
        // A file as the program wrote it at that version.
        const QString number = d.store({ .type = 2, .answered = 0 });
        d.db().exec("DROP TABLE tab_child; ALTER TABLE tab_test RENAME TO tab_test_5;"
                    " CREATE TABLE tab_test (id INTEGER PRIMARY KEY AUTOINCREMENT, bh TEXT UNIQUE,"
                    " tx TEXT, nd TEXT, ts INTEGER, js INTEGER, zqs INTEGER, cws INTEGER, sj TEXT,"
                    " zt INTEGER); INSERT INTO tab_test SELECT id, bh, tx, nd, ts, js, zqs, cws,"
                    " sj, zt FROM tab_test_5; DROP TABLE tab_test_5;"
                    " DROP TABLE tab_ctb; CREATE TABLE tab_ctb (ctb_id INTEGER PRIMARY KEY"
                    " AUTOINCREMENT, ctb_mc TEXT NOT NULL UNIQUE, ctb_daan TEXT NOT NULL,"
                    " ctb_tx INTEGER, ctb_nd INTEGER, ctb_cws INTEGER NOT NULL DEFAULT 0,"
                    " ctb_dds INTEGER NOT NULL DEFAULT 0, ctb_first TEXT, ctb_last TEXT,"
                    " ctb_zt INTEGER NOT NULL DEFAULT 0);"
                    " INSERT INTO tab_ctb (ctb_mc, ctb_daan) VALUES ('2 ＋ 2 ＝', '4')");
        if (version < 4)
            d.db().exec("DROP TABLE tab_scan_ym");
        d.db().exec("DROP TABLE tab_scan");
        if (version >= 3)
            d.db().exec("CREATE TABLE tab_scan (scan_id INTEGER PRIMARY KEY AUTOINCREMENT,"
                        " scan_bh TEXT NOT NULL, scan_txmc TEXT, scan_ndmc TEXT, scan_xh INTEGER"
                        " NOT NULL, scan_ym INTEGER NOT NULL, scan_mc TEXT, scan_daan TEXT,"
                        " scan_tx INTEGER, scan_nd INTEGER, scan_x REAL, scan_y REAL,"
                        " scan_w REAL, scan_h REAL)");
        if (version < 2)
            d.db().exec("DROP TABLE tab_form");
        if (version < 1)
            d.db().exec("DROP TABLE tab_ctb");
        d.db().exec(QByteArray("PRAGMA user_version = " + QByteArray::number(version)).constData());
        d.context.reset();
        {
            auto db = datafile::open(d.path);
            QCOMPARE(migrations::versionOf(*db), migrations::kCurrentVersion);
            QCOMPARE(loadTestItems(*db, number, ItemOrder::Question).size(), 10);
            // What was stored belongs to the file's one child.
            const Child child = childlist::first(*db);
            QCOMPARE(childlist::all(*db), QList { child });
            QCOMPARE(listTestRecords(*db, child.id).size(), 1);
            QCOMPARE(MistakeBook(*db).toLearn().size(), version >= 1 ? 1 : 0);
            MistakeBook(*db).recordMarked({}, 1, 1, kMoment); // every column
            db->exec(
                "DELETE FROM tab_ctb; INSERT INTO tab_ctb (ctb_mc, ctb_daan) VALUES ('x', '1')");
            FormMemory(*db).setMix({ { SheetEntry { { 1, 4, CarryKind::With }, 12 } }, true });
            scannablesheets::store(*db,
                { u"01_1_1_20261207090000"_s, u"A + B"_s, u"一级"_s,
                    { { 1, 1, u"1 ＋ 2 ＝"_s, u"3"_s, { 1, 2, 3, 4 } } } });
            scannablesheets::markPagesRead(*db, u"01_1_1_20261207090000"_s, { 1 });
        }
        // The second open finds the file current and changes nothing.
        auto db = datafile::open(d.path);
        QCOMPARE(countRows(*db, "SELECT count(*) FROM tab_ctb"), 1);
        QCOMPARE(FormMemory(*db).mix().entries.size(), 1);
        QCOMPARE(scannablesheets::find(*db, u"01_1_1_20261207090000"_s)->rooms.size(), 1);
        QCOMPARE(scannablesheets::pagesRead(*db, u"01_1_1_20261207090000"_s), QList { 1 });
    }

    void chartedPoints_data()
    {
        QTest::addColumn<QList<TestRecord>>("records"); // newest first, as the list gives them
        QTest::addColumn<QStringList>("points"); // type level right/count % seconds moment
        const QString number = u"05_3_20_20261206143236"_s;
        const auto leftOut = [](const char *name, const TestRecord &record) {
            QTest::newRow(name) << QList { record } << QStringList();
        };
        leftOut("unfinished", marked(number, 20, std::nullopt, 40, std::nullopt));
        leftOut("stamp one digit short", marked(u"05_3_20_2026120614323"_s, 20, 17, 90));
        leftOut("30 February", marked(u"05_3_20_20260230143236"_s, 20, 17, 90));
        leftOut("practice from the book", marked(u"00_0_3_20261206143236"_s, 3, 2, 12));
        leftOut("no questions", marked(number, 0, 0, 90));
        leftOut("more right than asked", marked(number, 20, 21, 90));
        // A photographed sheet: its score counts, its time was never taken.
        QTest::newRow("no time") << QList { marked(number, 20, 17, std::nullopt) }
                                 << QStringList { u"5 3 17/20 85 - 2026-12-06 14:32:36"_s };
        // Row order and moments apart, as in a file put together from two; the ends of the score
        // and of the time, and a leap day.
        QTest::newRow("per type in time order")
            << QList { marked(u"07_2_10_20260105090000"_s, 10, 9, 50),
                   marked(u"03_1_10_20260110090000"_s, 10, 10, 0),
                   marked(u"07_1_30_20260101090000"_s, 30, 0, 100),
                   marked(u"07_3_10_20260103090000"_s, 10, 7, 60),
                   marked(u"10_3_10_20240229235959"_s, 10, 5, 80) }
            << QStringList { u"3 1 10/10 100 0 2026-01-10 09:00:00"_s,
                   u"7 1 0/30 0 3.33333 2026-01-01 09:00:00"_s,
                   u"7 3 7/10 70 6 2026-01-03 09:00:00"_s, u"7 2 9/10 90 5 2026-01-05 09:00:00"_s,
                   u"10 3 5/10 50 8 2024-02-29 23:59:59"_s };
    }

    void chartedPoints()
    {
        QFETCH(QList<TestRecord>, records);
        QFETCH(QStringList, points);
        QStringList shown;
        for (const ProgressSeries &series : progressByType(records)) {
            for (const ProgressPoint &p : series.points) {
                QCOMPARE(p.number.left(2).toInt(), series.type); // the tool tip's number
                const QString speed = p.secondsPerQuestion
                    ? QString::number(*p.secondsPerQuestion, 'g', 6)
                    : u"-"_s;
                shown << QString::asprintf("%d %d %lld/%lld %g ", series.type, p.level, p.right,
                             p.count, p.percentRight)
                        + speed + u' ' + p.moment.toString(u"yyyy-MM-dd HH:mm:ss"_s);
            }
        }
        QCOMPARE(shown, points);
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
        // All begin on the same day: the last test of each is the one that counts.
        const auto series = [](qint16 type, int day) {
            return ProgressSeries { type,
                { { .moment = QDateTime(QDate(2026, 3, 1), {}) },
                    { .moment = QDateTime(QDate(2026, 3, day), {}) } } };
        };
        const QList<ProgressSeries> chart
            = { series(1, 1), series(5, 2), series(7, 4), series(9, 3) };
        QCOMPARE(::firstShownType(chart, qint16(current)), qint16(shown));
        QCOMPARE(::firstShownType({}, qint16(current)), qint16(0));
    }

    void summaryAndPointText()
    {
        const QDateTime day(QDate(2026, 3, 5), QTime(17, 10, 5));
        const ProgressSeries series {
            5,
            { { .moment = day, .percentRight = 85, .secondsPerQuestion = 4.5 },
                { .moment = day.addDays(1), .percentRight = 100, .secondsPerQuestion = 2 },
                { .moment = day.addDays(2), .percentRight = 62.5, .secondsPerQuestion = 10.0 / 3 } }
        };
        QCOMPARE(progressSummary(series), u"共 3 次 · 最近一次 62.5%、每题 3.3 秒 · 最好 100%"_s);

        // Number, moment, level, count, right, seconds, per cent, seconds a question.
        const ProgressPoint p { u"05_2_25_20260305171005"_s, day, 2, 25, 20, 150, 80, 6 };
        QCOMPARE(pointText(p),
            u"试卷编号：05_2_25_20260305171005\n日期：2026-03-05 17:10\n难度：二级\n"
            "正确率：80%（25 题对 20 题）\n每题用时：6 秒（共 2 分 30 秒）"_s);
    }

    void timeScale_data()
    {
        QTest::addColumn<QString>("first"); // yyyy-MM-dd HH
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("scale"); // from, to, ticks, label format, title
        QTest::newRow("one test: quarter days")
            << u"2026-03-02 10"_s << u"2026-03-02 10"_s
            << u"2026-03-02 00 2026-03-03 00 5 HH:mm 测试时间（2026年3月2日）"_s;
        // An hour either side reaches into the day before and the day after.
        QTest::newRow("three days: half days")
            << u"2026-03-02 00"_s << u"2026-03-02 23"_s
            << u"2026-03-01 00 2026-03-04 00 7 M月d日 HH:mm 测试日期"_s;
        QTest::newRow("five days: whole days")
            << u"2026-03-02 17"_s << u"2026-03-06 17"_s
            << u"2026-03-02 00 2026-03-07 00 6 M月d日 测试日期"_s;
        // 67 days with their margins, in six steps of twelve days.
        QTest::newRow("over new year") << u"2025-12-20 12"_s << u"2026-02-20 12"_s
                                       << u"2025-12-18 00 2026-02-28 00 7 yyyy年M月d日 测试日期"_s;
    }

    void timeScale()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, scale);
        const QString form = u"yyyy-MM-dd HH"_s;
        const TimeScale s
            = ::timeScale(QDateTime::fromString(first, form), QDateTime::fromString(last, form));
        QCOMPARE(u"%1 %2 "_s.arg(s.from.toString(form), s.to.toString(form))
                + QString::number(s.ticks) + u" %1 %2"_s.arg(s.format, s.title),
            scale);
    }

    void speedStep_data()
    {
        QTest::addColumn<double>("slowest");
        QTest::addColumn<double>("step");
        QTest::newRow("no time") << 0.0 << 1.0;
        QTest::newRow("five steps of one") << 5.0 << 1.0;
        QTest::newRow("just over") << 5.1 << 2.0;
        QTest::newRow("beyond the last") << 12600.0 << 2500.0;
    }

    void speedStep()
    {
        QFETCH(double, slowest);
        QFETCH(double, step);
        QCOMPARE(::speedStep(slowest), step);
    }

private:
    std::optional<TestData> m_shared;
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
