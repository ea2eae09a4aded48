#include "scanbatch.h"
#include "scanpage.h"

#include "support/storedtests.h"
#include "support/testdata.h"

#include "quiz/inkweighing.h"
#include "quiz/mistakebook.h"
#include "quiz/sheetmarking.h"
#include "quiz/testitem.h"
#include "children/childlist.h"
#include "worksheet/classset.h"
#include "worksheet/recordnumbers.h"
#include "worksheet/scannablesheet.h"
#include "worksheet/sheetchoices.h"
#include "worksheet/sheetdocument.h"
#include "worksheet/worksheet.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>

#include <cstring>
#include <iostream>

using namespace Qt::Literals::StringLiterals;

namespace {

// Two pages: questions 1 and 2 on the first, the blank question 3 (a type of its own) on the
// second, as a mixed sheet files them.
ScannableSheet twoPageSheet(const QString &number = u"00_0_3_20261207090000"_s)
{
    return { number, u"综合练习"_s, u"一级、三级"_s,
        { { 1, 1, u"1 ＋ 2 ＝"_s, u"3"_s, {}, 1, 1 }, { 2, 1, u"10 － 2 ＝"_s, u"8"_s, {}, 2, 1 },
            { 3, 2, u"  （　　）＋ 3 ＝ 7"_s, u"4"_s, {}, 1, 3 } } };
}

// What the reader made of questions 1 to 3: digits, "?" where it was not sure.
QMap<int, ReadAnswer> readings(const QStringList &read)
{
    QMap<int, ReadAnswer> answers;
    for (int i = 0; i < read.size(); ++i)
        answers.insert(i + 1, { read[i] == u"?"_s ? u"9"_s : read[i], read[i] != u"?"_s });
    return answers;
}

// Everything a stored photographed sheet leaves in the file, to compare before and after.
QList<qint64> footprint(Database &db)
{
    return { countRows(db, "SELECT count(*) FROM tab_test"),
        countRows(db, "SELECT count(*) FROM tab_test_mx WHERE mx_user IS NOT NULL"),
        countRows(db, "SELECT count(*) FROM tab_ctb"),
        countRows(db, "SELECT count(*) FROM tab_scan_ym"),
        countRows(db, "SELECT count(*) FROM tab_test WHERE zt = 1") };
}

// Run as a child process by the race: files the sheet's both pages once the parent says go.
int raceChild(const QString &path, const QString &number)
{
    try {
        const auto context = AppContext::open(path, datafile::Role::Tool);
        std::string go;
        std::getline(std::cin, go);
        const StoredSheet stored = storeReadSheet(context->database(), context->settings(),
            twoPageSheet(number), { 1, 2 }, readings({ u"3"_s, u"8"_s, u"4"_s }));
        std::cout << int(stored.outcome) << std::endl;
        return 0;
    } catch (const DatabaseError &error) {
        std::cout << "error " << error.code() << std::endl;
        return 3;
    }
}

} // namespace

// A sheet's number and the questions filed under it are one truth: numbers are never shared,
// a page is read once and only against the questions its child saw, and filing a photographed
// sheet is all or nothing.
class TestScanStore : public QObject
{
    Q_OBJECT

private slots:
    // What the ink says against the right answer decides: only a clear winner is sure.
    void inkDecidesOnlyWhenClear_data()
    {
        QTest::addColumn<QString>("best");
        QTest::addColumn<double>("expectedScore");
        QTest::addColumn<QString>("rival");
        QTest::addColumn<double>("rivalScore");
        QTest::addColumn<double>("runnerUpScore");
        QTest::addColumn<bool>("doubtful");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("verdict");
        const double never = InkWeighing::kNever;
        const auto row = [](const char *name, const char *best, double expected, const char *rival,
                             double rivalScore, double runnerUp, bool doubtful, const char *digits,
                             const char *verdict) {
            QTest::newRow(name) << QString::fromLatin1(best) << expected
                                << QString::fromLatin1(rival) << rivalScore << runnerUp << doubtful
                                << QString::fromLatin1(digits) << QString::fromLatin1(verdict);
        };
        row("right answer clearly likelier", "14", -0.1, "19", -4.0, -5.0, false, "14", "right");
        row("right answer just at the margin", "14", -0.5, "19", -3.0, -5.0, false, "14", "right");
        row("right answer only a little likelier", "14", -0.5, "19", -2.9, -5.0, false, "14",
            "unsure");
        row("another answer clearly likelier than all", "4", -12.0, "4", -0.2, -4.0, false, "4",
            "wrong");
        // A misreading of a right answer leaves the right one fairly likely: unsure, not wrong.
        row("another answer likelier, the right one not far behind", "4", -6.0, "4", -0.2, -4.0,
            false, "4", "unsure");
        row("another answer only a little likelier", "4", -2.0, "4", -0.2, -4.0, false, "4",
            "unsure");
        row("another answer itself in doubt", "41", -12.0, "41", -0.2, -1.0, false, "41", "unsure");
        row("a right reading of doubtful ink", "14", -0.1, "19", -9.0, -9.0, true, "14", "unsure");
        row("a wrong reading of doubtful ink", "4", -9.0, "4", -0.1, -9.0, true, "4", "unsure");
        row("no ink", "", never, "", never, never, false, "", "unsure");
        row("nothing scored", "7", never, "7", never, never, false, "7", "unsure");
        row("the rival is the right number written otherwise", "014", -1.0, "014", -0.1, -6.0,
            false, "14", "right");
    }
    void inkDecidesOnlyWhenClear()
    {
        QFETCH(QString, best);
        QFETCH(double, expectedScore);
        QFETCH(QString, rival);
        QFETCH(double, rivalScore);
        QFETCH(double, runnerUpScore);
        QFETCH(bool, doubtful);
        QFETCH(QString, digits);
        QFETCH(QString, verdict);
        const InkWeighing ink { best, expectedScore, rival, rivalScore, runnerUpScore, doubtful };
        const ReadAnswer answer = answerFromInk(ink, u"14"_s, 2.5, 10);
        ScanRoom room;
        room.answer = u"14"_s;
        QCOMPARE(answer.digits, digits);
        QCOMPARE(verdictWord(verdictOf(room, answer)), verdict);
    }

    void numbersAreNeverShared_data()
    {
        QTest::addColumn<QStringList>("tests");
        QTest::addColumn<QStringList>("sheets");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QString>("given");
        const QString at = u"05_3_60_20261207090000"_s;
        QTest::newRow("free") << QStringList() << QStringList() << at << at;
        // Held by a test, then by a sheet, then by a test again.
        QTest::newRow("a run of held seconds")
            << QStringList { at, u"05_3_60_20261207090002"_s }
            << QStringList { u"05_3_60_20261207090001"_s } << at << u"05_3_60_20261207090003"_s;
        QTest::newRow("into the next year")
            << QStringList { u"01_1_20_20261231235959"_s } << QStringList()
            << u"01_1_20_20261231235959"_s << u"01_1_20_20270101000000"_s;
        QTest::newRow("another kind in the same second")
            << QStringList { at } << QStringList() << u"05_3_30_20261207090000"_s
            << u"05_3_30_20261207090000"_s;
    }
    void numbersAreNeverShared()
    {
        QFETCH(QStringList, tests);
        QFETCH(QStringList, sheets);
        QFETCH(QString, wanted);
        QFETCH(QString, given);
        TestData d;
        Statement test = d.db().prepare("INSERT INTO tab_test (bh) VALUES (?)");
        for (const QString &number : tests) {
            test.bind(1, number).run();
            test.reset();
        }
        for (const QString &number : sheets)
            scannablesheets::store(d.db(), twoPageSheet(number));
        QCOMPARE(recordnumbers::firstFree(d.db(), wanted), given);
    }

    // Two class sets of the same kind made in the same second, then a test on screen: every
    // sheet keeps its own number and questions, and a set printed again as it was keeps its
    // numbers without filing anything twice.
    void classSetsNeverShareNumbers()
    {
        TestData d;
        const QDateTime now(QDate(2026, 12, 7), QTime(9, 0));
        SheetChoices choices;
        const auto documentOf = [&choices](const Worksheet &sheet) {
            return questionDocument(sheet, choices, u"题"_s);
        };
        SheetRecipe recipe;
        recipe.form = { 1, 2 };
        recipe.rows = 5;
        QStringList shortfalls;
        ClassSet setA = *ClassSet::make(d.maker, recipe, now, &shortfalls);
        ClassSet setB = *ClassSet::make(d.maker, recipe, now, &shortfalls);
        const auto copies = [&](ClassSet &set) { return set.copies(d.maker, 3, &shortfalls); };
        copies(setA);
        copies(setB);
        const int installation = d.settings().installationNumber();
        scanpage::fileSet(d.db(), installation, setA, 3, documentOf);
        QList<ScannableSheet> filedA;
        for (const Worksheet &sheet : copies(setA))
            filedA << *scannablesheets::find(d.db(), sheet.number());
        scanpage::fileSet(d.db(), installation, setB, 3, documentOf);

        QSet<QString> numbers;
        for (ClassSet *set : { &setA, &setB }) {
            for (const Worksheet &sheet : copies(*set)) {
                numbers << sheet.number();
                const std::optional<ScannableSheet> filed
                    = scannablesheets::find(d.db(), sheet.number());
                QVERIFY(filed);
                QCOMPARE(
                    filed->rooms.first().question, testItemOf(sheet.lines().first(), 1).question);
            }
        }
        QCOMPARE(numbers.size(), 6);
        QVERIFY(shortfalls.isEmpty());
        for (qsizetype i = 0; i < filedA.size(); ++i)
            QCOMPARE(scannablesheets::find(d.db(), copies(setA)[i].number()), filedA[i]);

        const qint64 rooms = countRows(d.db(), "SELECT count(*) FROM tab_scan");
        ClassSet again = setA;
        scanpage::fileSet(d.db(), installation, again, 3, documentOf);
        QCOMPARE(countRows(d.db(), "SELECT count(*) FROM tab_scan"), rooms);
        for (qsizetype i = 0; i < filedA.size(); ++i)
            QCOMPARE(copies(again)[i].number(), copies(setA)[i].number());

        TestSession session(d.db(), d.settings());
        session.generate(d.maker, 1, 2, 10, now);
        session.confirm();
        QVERIFY(!numbers.contains(session.number()));
    }

    // A named copy is filed under its pupil, whoever the photos were marked for; a sheet
    // without a pupil under the child it was marked for.
    void namedCopiesGoToTheirPupils()
    {
        TestData d;
        const Child pupil = childlist::add(d.db(), u"王小明"_s, u"二班"_s);
        const Child other = childlist::add(d.db(), u"李华"_s, u"二班"_s);
        ScannableSheet named = twoPageSheet(u"00_0_3_20261207090001"_s);
        named.child = pupil.id;
        const ScannableSheet plain = twoPageSheet(u"00_0_3_20261207090002"_s);
        for (const ScannableSheet &sheet : { named, plain }) {
            scannablesheets::store(d.db(), sheet);
            QCOMPARE(scannablesheets::find(d.db(), sheet.number), sheet);
            storeReadSheet(d.db(), d.settings(), sheet, { 1, 2 },
                readings({ u"3"_s, u"8"_s, u"4"_s }), other.id);
        }
        QCOMPARE(listTestRecords(d.db(), pupil.id).size(), 1);
        QCOMPARE(listTestRecords(d.db(), pupil.id).first().number, named.number);
        QCOMPARE(listTestRecords(d.db(), other.id).first().number, plain.number);

        // A named class set: a copy for each pupil in list order, each titled and filed as
        // theirs.
        SheetRecipe recipe;
        recipe.form = { 1, 2 };
        QStringList shortfalls;
        ClassSet set = *ClassSet::make(
            d.maker, recipe, QDateTime(QDate(2026, 12, 8), QTime(8, 0)), &shortfalls);
        set.setPupils(childlist::ofClass(d.db(), u"二班"_s));
        set.copies(d.maker, 2, &shortfalls);
        SheetChoices choices;
        scanpage::fileSet(d.db(), d.settings().installationNumber(), set, 2,
            [&](const Worksheet &sheet) { return questionDocument(sheet, choices, u"题"_s); });
        QStringList filed;
        for (const Worksheet &copy : set.copies(d.maker, 2, &shortfalls)) {
            const qint64 child = scannablesheets::find(d.db(), copy.number())->child.value_or(0);
            filed << set.titleOf(copy, u"题"_s) + u" "_s + childlist::find(d.db(), child)->name;
        }
        QCOMPARE(filed, (QStringList { u"题　姓名：王小明 王小明"_s, u"题　姓名：李华 李华"_s }));
    }

    void pagesAreFiledOnce_data()
    {
        QTest::addColumn<QString>("read"); // questions 1 to 3, "?" where the reader was not sure
        // Call after call: the pages given, what came of them, and the pages refused.
        QTest::addColumn<QString>("calls");
        QTest::addColumn<int>("inBook");
        QTest::newRow("whole sheet, one wrong") << u"3 8 5"_s << u"12:marked"_s << 1;
        QTest::newRow("an answer not sure waits for the parent")
            << u"3 ? 5"_s << u"12:unfinished"_s << 0;
        QTest::newRow("second page the next day") << u"3 8 4"_s << u"1:unfinished 2:marked"_s << 0;
        QTest::newRow("a page read again is refused")
            << u"3 8 4"_s << u"2:unfinished 2:stored:2"_s << 0;
        QTest::newRow("a read page beside a new one")
            << u"4 8 4"_s << u"1:unfinished 12:marked:1"_s << 1;
        QTest::newRow("a marked sheet is refused") << u"3 8 4"_s << u"12:marked 1:stored:1"_s << 0;
    }
    void pagesAreFiledOnce()
    {
        QFETCH(QString, read);
        QFETCH(QString, calls);
        QFETCH(int, inBook);
        const QStringList answers = read.split(u' ');
        TestData d;
        const ScannableSheet sheet = twoPageSheet();
        scannablesheets::store(d.db(), sheet);
        QSet<int> pagesGiven;
        bool marked = false;
        for (const QString &call : calls.split(u' ')) {
            QList<int> pages;
            for (const QChar page : call.section(u':', 0, 0))
                pages << page.digitValue();
            pagesGiven.unite(QSet<int>(pages.cbegin(), pages.cend()));
            const StoredSheet stored
                = storeReadSheet(d.db(), d.settings(), sheet, pages, readings(answers));
            QString outcome
                = QStringList { u"marked"_s, u"unfinished"_s, u"stored"_s }.at(int(stored.outcome));
            for (int page : stored.pagesReadBefore)
                outcome += (outcome.contains(u':') ? u""_s : u":"_s) + QString::number(page);
            QCOMPARE(outcome, call.section(u':', 1));
            marked |= stored.outcome == StoredSheet::Outcome::Marked;
        }
        QCOMPARE(findTestRecord(d.db(), sheet.number)->marked.value_or(0), int(marked));
        // A mixed sheet's wrong answers go into the book under their own question's type.
        QCOMPARE(MistakeBook(d.db()).toLearn(qint16(1)).size(), inBook);
        QCOMPARE(MistakeBook(d.db()).toLearn().size(), inBook);
        // What was read first is never read over; what was not sure waits, empty.
        TestSession session(d.db(), d.settings());
        QVERIFY(session.resume(sheet.number));
        QCOMPARE(session.label(), sheet.typeName);
        for (int i = 0; i < 3; ++i) {
            const bool kept = pagesGiven.contains(sheet.rooms[i].page) && answers[i] != u"?"_s;
            QCOMPARE(session.items().at(i).userAnswer, kept ? answers[i] : QString());
        }
        // Nobody timed the child on paper, and the parent's typing later is not the child's.
        QVERIFY(!session.tick());
        session.leave();
        const std::optional<TestRecord> record = findTestRecord(d.db(), sheet.number);
        QCOMPARE(record->elapsed, std::nullopt);
        QCOMPARE(record->timeText, QString());
    }

    void pagesFromElsewhereAreRefused_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("installation"); // 0: this file's
        QTest::addColumn<bool>("otherQuestions");
        QTest::addColumn<QString>("why");
        const QString number = twoPageSheet().number;
        QTest::newRow("this file's page") << number << 2 << 0 << false << QString();
        QTest::newRow("printed from another data file")
            << number << 2 << 1 << false << u"不是从这个数据文件打印的"_s;
        QTest::newRow("same number, other questions")
            << number << 1 << 0 << true << u"不是从这个数据文件打印的"_s;
        QTest::newRow("a number this file never filed")
            << u"00_0_3_20261207090009"_s << 1 << 0 << false << u"不在这个数据文件里"_s;
    }
    void pagesFromElsewhereAreRefused()
    {
        QFETCH(QString, number);
        QFETCH(int, page);
        QFETCH(int, installation);
        QFETCH(bool, otherQuestions);
        QFETCH(QString, why);
        TestData d;
        scannablesheets::store(d.db(), twoPageSheet());
        ScannableSheet printed = twoPageSheet(number);
        if (otherQuestions)
            printed.rooms[0].question = u"2 ＋ 1 ＝"_s;
        const int printedBy = installation ? d.settings().installationNumber() + 1
                                           : d.settings().installationNumber();
        const FoundPage found { QImage(10, 10, QImage::Format_Grayscale8),
            { number, page, printed.pageCheck(printedBy, page) }, {} };
        ScanBatch batch(d.db(), d.settings());
        const ScanBatch::Page read = batch.add(u"a.jpg"_s, found, {});
        QCOMPARE(read.problem.contains(why), true);
        QCOMPARE(bool(read.found), why.isEmpty());
        // The same page again in one batch is read once, and the second named.
        if (why.isEmpty()) {
            const ScanBatch::Page twice = batch.add(u"b.jpg"_s, found, {});
            QVERIFY(!twice.found && twice.problem.contains(u"a.jpg"_s));
        }
        const QList<ScanBatch::Sheet> stored = batch.store();
        QCOMPARE(stored.size(), why.isEmpty() ? 1 : 0);
        QCOMPARE(countRows(d.db(), "SELECT count(*) FROM tab_scan_ym"), why.isEmpty() ? 1 : 0);
    }

    // A failure at any step of filing a photographed sheet leaves the file as it was, and the
    // same readings are filed whole when tried again.
    void failureLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<QByteArray>("failing");
        QTest::newRow("the test") << QByteArray("INSERT ON tab_test");
        QTest::newRow("an answer") << QByteArray("UPDATE OF mx_user ON tab_test_mx");
        QTest::newRow("the pages read") << QByteArray("INSERT ON tab_scan_ym");
        QTest::newRow("the marking") << QByteArray("UPDATE OF zt ON tab_test");
        QTest::newRow("the wrong-answer book") << QByteArray("INSERT ON tab_ctb");
    }
    void failureLeavesTheFileAsItWas()
    {
        QFETCH(QByteArray, failing);
        TestData d;
        const ScannableSheet sheet = twoPageSheet();
        scannablesheets::store(d.db(), sheet);
        const QMap<int, ReadAnswer> answers = readings({ u"3"_s, u"7"_s, u"4"_s });
        const QList<qint64> before = footprint(d.db());
        // A trigger of this connection only: the file itself is not changed by it.
        const QByteArray trigger = "CREATE TEMP TRIGGER fail AFTER " + failing
            + " BEGIN SELECT RAISE(ABORT, 'gone'); END";
        d.db().exec(trigger.constData());
        QVERIFY_THROWS_EXCEPTION(
            DatabaseError, storeReadSheet(d.db(), d.settings(), sheet, { 1, 2 }, answers));
        QCOMPARE(footprint(d.db()), before);
        d.db().exec("DROP TRIGGER fail");
        const StoredSheet stored = storeReadSheet(d.db(), d.settings(), sheet, { 1, 2 }, answers);
        QCOMPARE(stored.outcome, StoredSheet::Outcome::Marked);
        QCOMPARE(stored.wrong, 1);
        QCOMPARE(footprint(d.db()), (QList<qint64> { 1, 3, 1, 2, 1 }));
    }

    // Two markings of the same photos at once: one files the sheet, the other finds it filed;
    // neither takes the file for damaged.
    void twoMarkingsAtOnce()
    {
        for (int round = 0; round < 4; ++round) {
            TestData d;
            const QString number = twoPageSheet().number;
            scannablesheets::store(d.db(), twoPageSheet(number));
            d.context.reset(); // the markers are tools beside no running program
            std::array<QProcess, 2> children;
            for (QProcess &child : children) {
                child.start(
                    QCoreApplication::applicationFilePath(), { u"--race-child"_s, d.path, number });
                QVERIFY(child.waitForStarted());
            }
            for (QProcess &child : children)
                child.write("go\n");
            QStringList said;
            for (QProcess &child : children) {
                QVERIFY(child.waitForFinished());
                said << QString::fromUtf8(child.readAllStandardOutput()).trimmed();
                QCOMPARE(child.exitCode(), 0);
            }
            said.sort();
            QCOMPARE(said,
                (QStringList { QString::number(int(StoredSheet::Outcome::Marked)),
                    QString::number(int(StoredSheet::Outcome::AlreadyStored)) }));
        }
    }
};

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], "--race-child") == 0) {
        QCoreApplication app(argc, argv);
        return raceChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QGuiApplication app(argc, argv); // sheets are laid out in their fonts
    TestScanStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_scanstore.moc"
