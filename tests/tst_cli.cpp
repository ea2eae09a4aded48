#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "store/database.h"
#include "store/datafile.h"
#include "store/settings.h"
#include "test/testsession.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run runCli(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(QRTA_CLI_PATH), args);
    process.waitForFinished(60000);
    Run run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void badArgumentsAreRefused_data();
    void badArgumentsAreRefused();
    void linesAreKeptAsGenerated();
    void sameSeedSameLines();
    void helpDescribesEveryOption();
    void settingsOfNewAndExistingFile();
    void dataFileCommandsRefuseBadArguments_data();
    void dataFileCommandsRefuseBadArguments();
    void puzzlesOfOneLevel();
    void refusedDataFiles_data();
    void refusedDataFiles();
    void twoFirstStartsAtOnce();
    void toolsOnlyReadWhileTheProgramRuns();
    void sheetRefusesBadArguments_data();
    void sheetRefusesBadArguments();
    void sheetLinesAndPdfs();
    void sheetUnwritablePdf();
    void recordsAndItems();
    void classSets_data();
    void classSets();
    void mistakesBookAndSheet();
};

void TestCli::badArgumentsAreRefused_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no command") << QStringList {};
    QTest::newRow("unknown command") << QStringList { u"print"_s };
    QTest::newRow("type missing") << QStringList { u"lines"_s, u"--level"_s, u"1"_s };
    QTest::newRow("level missing") << QStringList { u"lines"_s, u"--type"_s, u"1"_s };
    QTest::newRow("type 0") << QStringList { u"lines"_s, u"--type=0"_s, u"--level=1"_s };
    QTest::newRow("type 11") << QStringList { u"lines"_s, u"--type=11"_s, u"--level=1"_s };
    QTest::newRow("level 6") << QStringList { u"lines"_s, u"--type=1"_s, u"--level=6"_s };
    QTest::newRow("type 10 level 4") << QStringList { u"lines"_s, u"--type=10"_s, u"--level=4"_s };
    QTest::newRow("level 0") << QStringList { u"lines"_s, u"--type=2"_s, u"--level=0"_s };
    QTest::newRow("count 0") << QStringList { u"lines"_s, u"--type=1"_s, u"--level=1"_s,
        u"--count=0"_s };
    QTest::newRow("count too large")
        << QStringList { u"lines"_s, u"--type=1"_s, u"--level=1"_s, u"--count=1000001"_s };
    QTest::newRow("count not a number")
        << QStringList { u"lines"_s, u"--type=1"_s, u"--level=1"_s, u"--count=ten"_s };
    QTest::newRow("count value missing")
        << QStringList { u"lines"_s, u"--type=1"_s, u"--level=1"_s, u"--count"_s };
    QTest::newRow("type with fraction")
        << QStringList { u"lines"_s, u"--type=1.5"_s, u"--level=1"_s };
    QTest::newRow("huge type") << QStringList { u"lines"_s, u"--type=99999999999999999999"_s,
        u"--level=1"_s };
    QTest::newRow("negative seed")
        << QStringList { u"lines"_s, u"--type=1"_s, u"--level=1"_s, u"--seed=-3"_s };
    QTest::newRow("seed not a number")
        << QStringList { u"lines"_s, u"--type=1"_s, u"--level=1"_s, u"--seed=abc"_s };
    QTest::newRow("unknown option")
        << QStringList { u"lines"_s, u"--type=1"_s, u"--level=1"_s, u"--colour=red"_s };
    QTest::newRow("stray argument")
        << QStringList { u"lines"_s, u"--type=1"_s, u"--level=1"_s, u"7"_s };
    QTest::newRow("option twice") << QStringList { u"lines"_s, u"--type=1"_s, u"--type=2"_s,
        u"--level=1"_s };
}

void TestCli::badArgumentsAreRefused()
{
    QFETCH(QStringList, args);
    const Run run = runCli(args);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out, QString());
    QVERIFY(!run.err.trimmed().isEmpty());
    QCOMPARE(run.err.trimmed().count(u'\n'), 0);
}

void TestCli::linesAreKeptAsGenerated()
{
    const Run run = runCli({ u"lines"_s, u"--type"_s, u"1"_s, u"--level"_s, u"1"_s, u"--count"_s,
        u"90"_s, u"--seed"_s, u"4"_s });
    QCOMPARE(run.status, 0);
    QVERIFY(run.out.endsWith(u'\n'));
    const QStringList lines = run.out.chopped(1).split(u'\n');
    QCOMPARE(lines.size(), 90);
    // Two whole rounds of the addition facts, leading blanks kept.
    QCOMPARE(QSet<QString>(lines.begin(), lines.end()).size(), 45);
    for (const QString &line : lines)
        QVERIFY2(line.startsWith(u' ') && line.contains(u" ＋ "_s), qPrintable(line));
}

void TestCli::sameSeedSameLines()
{
    const QStringList args = { u"lines"_s, u"--type=3"_s, u"--level=5"_s, u"--count=50"_s };
    const Run first = runCli(args + QStringList { u"--seed=77"_s });
    const Run second = runCli(args + QStringList { u"--seed=77"_s });
    const Run other = runCli(args + QStringList { u"--seed=78"_s });
    QCOMPARE(first.status, 0);
    QCOMPARE(first.out, second.out);
    QVERIFY(first.out != other.out);
}

void TestCli::helpDescribesEveryOption()
{
    const Run run = runCli({ u"lines"_s, u"--help"_s });
    QCOMPARE(run.status, 0);
    for (const QString &option : { u"--type"_s, u"--level"_s, u"--count"_s, u"--seed"_s })
        QVERIFY2(run.out.contains(option), qPrintable(option));
    const Run overview = runCli({ u"--help"_s });
    QCOMPARE(overview.status, 0);
    QVERIFY(overview.out.contains(u"lines"_s));
}

void TestCli::settingsOfNewAndExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"QRTA.dat"_s);
    const Run created = runCli({ u"settings"_s, u"--database"_s, path });
    QCOMPARE(created.status, 0);
    const QStringList rows = created.out.trimmed().split(u'\n');
    QCOMPARE(rows.size(), 27);
    QStringList keys;
    for (const QString &row : rows)
        keys << row.section(u'\t', 0, 0);
    QStringList expected { u"system_0"_s, u"system_3"_s, u"system_4"_s, u"system_5"_s,
        u"system_7"_s, u"system_8"_s, u"system_9"_s };
    for (int i = 1; i <= 10; ++i)
        expected << u"txa%1"_s.arg(i);
    for (int i = 1; i <= 10; ++i)
        expected << u"txb%1"_s.arg(i);
    QCOMPARE(keys, expected);
    const int installation = rows[0].section(u'\t', 1).toInt();
    QVERIFY(installation >= 1000 && installation <= 30999);
    QCOMPARE(rows[16], u"txa10\t1\\2\\15\\3\\1"_s);

    const Run changed
        = runCli({ u"settings"_s, u"--database"_s, path, u"--set"_s, u"txa3=2\\4\\12\\1\\5"_s });
    QCOMPARE(changed.status, 0);
    QVERIFY(changed.out.contains(u"\ntxa3\t2\\4\\12\\1\\5\n"_s));
    QCOMPARE(changed.out.section(u'\n', 0, 0), rows[0]); // the first start ran once only

    // Whatever a value holds, each setting stays one row.
    const Run escaped
        = runCli({ u"settings"_s, u"--database"_s, path, u"--set"_s, u"system_5=a\nb\tc"_s });
    QCOMPARE(escaped.out.count(u'\n'), 27);
    QVERIFY(escaped.out.contains(u"\nsystem_5\ta\\nb\\tc\n"_s));
}

void TestCli::dataFileCommandsRefuseBadArguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("unknown key") << QStringList { u"settings"_s, u"--set"_s, u"txa11=1"_s };
    QTest::newRow("installation number")
        << QStringList { u"settings"_s, u"--set"_s, u"system_0=5"_s };
    QTest::newRow("no equals sign") << QStringList { u"settings"_s, u"--set"_s, u"system_3"_s };
    QTest::newRow("level 6") << QStringList { u"puzzles"_s, u"--level"_s, u"6"_s };
    QTest::newRow("level word") << QStringList { u"puzzles"_s, u"--level"_s, u"easy"_s };
    QTest::newRow("database without path") << QStringList { u"puzzles"_s, u"--database"_s };
}

void TestCli::dataFileCommandsRefuseBadArguments()
{
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    const Run run = runCli(args + QStringList { u"--database=%1"_s.arg(dir.filePath(u"x.dat"_s)) });
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out, QString());
    // Bad arguments are refused before any file is made.
    QVERIFY(!QFile::exists(dir.filePath(u"x.dat"_s)));
}

void TestCli::puzzlesOfOneLevel()
{
    QTemporaryDir dir;
    const Run run = runCli(
        { u"puzzles"_s, u"--database"_s, dir.filePath(u"QRTA.dat"_s), u"--level"_s, u"3"_s });
    QCOMPARE(run.status, 0);
    const QStringList rows = run.out.trimmed().split(u'\n');
    QVERIFY(rows.size() > 200);
    qint64 previous = 0;
    for (const QString &row : rows) {
        const QStringList fields = row.split(u'\t');
        QCOMPARE(fields.size(), 8);
        QVERIFY(fields[0].toLongLong() > previous);
        previous = fields[0].toLongLong();
        QCOMPARE(fields[1], u"3"_s);
        QCOMPARE(fields[6], u"0"_s);
        QVERIFY(!fields[7].isEmpty());
    }
}

void TestCli::refusedDataFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("named"); // what the message must name
    QTest::newRow("not a data file") << u"QRTA.dat"_s << u"QRTA.dat"_s;
    // Only the default location is ever created.
    QTest::newRow("folder missing") << u"gone/QRTA.dat"_s << u"gone"_s;
}

void TestCli::refusedDataFiles()
{
    QFETCH(QString, name);
    QFETCH(QString, named);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const QByteArray junk(4096, 'x');
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(junk);
        file.close();
    }
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString &command : { u"settings"_s, u"puzzles"_s }) {
        const Run run = runCli({ command, u"--database"_s, path });
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains(dir.filePath(named)), qPrintable(run.err));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }
    if (QFile::exists(path)) {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), junk);
    }
}

void TestCli::twoFirstStartsAtOnce()
{
    for (int round = 0; round < 10; ++round) {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"QRTA.dat"_s);
        QProcess first, second;
        first.start(QStringLiteral(QRTA_CLI_PATH),
            { u"settings"_s, u"--database"_s, path, u"--set"_s, u"txb1=2\\20"_s });
        second.start(QStringLiteral(QRTA_CLI_PATH),
            { u"settings"_s, u"--database"_s, path, u"--set"_s, u"txb2=3\\30"_s });
        for (QProcess *process : { &first, &second }) {
            QVERIFY(process->waitForFinished(60000));
            QVERIFY2(process->exitCode() == 0, process->readAllStandardError().constData());
        }
        const Run after = runCli({ u"settings"_s, u"--database"_s, path });
        QVERIFY(after.out.contains(u"\ntxb1\t2\\20\n"_s));
        QVERIFY(after.out.contains(u"\ntxb2\t3\\30\n"_s));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { u"QRTA.dat"_s });
    }
}

// The program (a child process here) opens the data file for its run. Something in it then
// opens and closes the file, which drops the engine's own locks; a tool must still leave the
// program's log alone, so that a kill afterwards loses nothing the program committed.
void TestCli::toolsOnlyReadWhileTheProgramRuns()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"QRTA.dat"_s);
    int toParent[2], toChild[2];
    QVERIFY(::pipe(toParent) == 0 && ::pipe(toChild) == 0);
    const pid_t child = ::fork();
    if (child == 0) {
        char go = 0;
        auto db = datafile::open(path, datafile::Role::Program);
        Settings settings(*db, processRandom());
        settings.load();
        settings.write(u"system_5"_s, u"before"_s);
        QFile(path).open(QIODevice::ReadOnly); // opened and closed at once
        (void)!::write(toParent[1], "1", 1);
        (void)!::read(toChild[0], &go, 1);
        settings.write(u"system_5"_s, u"after"_s);
        (void)!::write(toParent[1], "2", 1);
        ::pause();
        ::_exit(0);
    }
    // A failed check returns early: the child must not outlive the test.
    auto reap = qScopeGuard([child] {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    });
    char step = 0;
    QCOMPARE(::read(toParent[0], &step, 1), 1);
    const Run read = runCli({ u"settings"_s, u"--database"_s, path });
    QCOMPARE(read.status, 0);
    QVERIFY(read.out.contains(u"\nsystem_5\tbefore\n"_s));
    const Run write = runCli({ u"settings"_s, u"--database"_s, path, u"--set"_s, u"system_3=0"_s });
    QCOMPARE(write.status, 4);
    QVERIFY2(
        write.err.contains(u"晨曦算苑正在使用这个数据文件，请先退出程序"_s), qPrintable(write.err));

    QCOMPARE(::write(toChild[1], "g", 1), 1);
    QCOMPARE(::read(toParent[0], &step, 1), 1);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    reap.dismiss();
    const Run after = runCli({ u"settings"_s, u"--database"_s, path });
    QCOMPARE(after.status, 0);
    QVERIFY2(after.out.contains(u"\nsystem_5\tafter\n"_s), qPrintable(after.out));
}

void TestCli::sheetRefusesBadArguments_data()
{
    QTest::addColumn<QStringList>("extra");
    QTest::newRow("one column") << QStringList { u"--columns=1"_s, u"--rows=5"_s };
    QTest::newRow("six columns") << QStringList { u"--columns=6"_s, u"--rows=5"_s };
    QTest::newRow("no rows") << QStringList { u"--columns=3"_s, u"--rows=0"_s };
    QTest::newRow("101 rows") << QStringList { u"--columns=3"_s, u"--rows=101"_s };
    QTest::newRow("rows missing") << QStringList { u"--columns=3"_s };
    QTest::newRow("font 6") << QStringList { u"--columns=3"_s, u"--rows=5"_s, u"--font=6"_s };
    QTest::newRow("row height 0") << QStringList { u"--columns=3"_s, u"--rows=5"_s,
        u"--row-height=0"_s };
    QTest::newRow("empty pdf path") << QStringList { u"--columns=3"_s, u"--rows=5"_s, u"--pdf="_s };
    QTest::newRow("one file for two outputs") << QStringList { u"--columns=3"_s, u"--rows=5"_s,
        u"--pdf=/tmp/x.pdf"_s, u"--xlsx=/tmp/../tmp/x.pdf"_s };
    QTest::newRow("lines with a value")
        << QStringList { u"--columns=3"_s, u"--rows=5"_s, u"--lines=yes"_s };
    QTest::newRow("pages not a range")
        << QStringList { u"--columns=3"_s, u"--rows=5"_s, u"--pdf=/tmp/x.pdf"_s, u"--pages=1-x"_s };
    QTest::newRow("pages without a pdf")
        << QStringList { u"--columns=3"_s, u"--rows=5"_s, u"--pages=1"_s };
}

void TestCli::sheetRefusesBadArguments()
{
    QFETCH(QStringList, extra);
    const Run run = runCli(QStringList { u"sheet"_s, u"--type=4"_s, u"--level=2"_s } + extra);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out, QString());
    QCOMPARE(run.err.trimmed().count(u'\n'), 0);
}

void TestCli::sheetLinesAndPdfs()
{
    QTemporaryDir dir;
    const QStringList args = { u"sheet"_s, u"--type=8"_s, u"--level=2"_s, u"--columns=4"_s,
        u"--rows=25"_s, u"--seed=11"_s, u"--lines"_s };
    const Run first = runCli(args
        + QStringList {
            u"--pdf"_s, dir.filePath(u"q.pdf"_s), u"--answers-pdf"_s, dir.filePath(u"a.pdf"_s) });
    QCOMPARE(first.status, 0);
    QCOMPARE(first.err, QString());
    QStringList lines = first.out.trimmed().split(u'\n');
    const QString number = lines.takeFirst();
    QVERIFY2(number.startsWith(u"08_2_100_"_s) && number.size() == 23, qPrintable(number));
    QCOMPARE(lines.size(), 100);
    QCOMPARE(QSet<QString>(lines.begin(), lines.end()).size(), 100);
    // The text copies out of the PDFs as it was printed, so that a search finds it.
    for (const auto &[file, words] :
        { std::pair { u"q.pdf"_s, QStringList { u"第1页"_s, u"用时"_s } },
            std::pair { u"a.pdf"_s, QStringList { u"第1页"_s, u"答案"_s } } }) {
        QProcess pdftotext;
        pdftotext.start(QStringLiteral(QRTA_PDFTOTEXT), { dir.filePath(file), u"-"_s });
        QVERIFY(pdftotext.waitForFinished(60000) && pdftotext.exitCode() == 0);
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        for (const QString &word : words)
            QVERIFY2(text.contains(word), qPrintable(file + u": "_s + text.left(200)));
    }
    // Same seed, same sheet: only the moment in the number may differ.
    const Run second = runCli(args);
    QCOMPARE(second.out.section(u'\n', 1), first.out.section(u'\n', 1));
}

void TestCli::sheetUnwritablePdf()
{
    QTemporaryDir dir;
    // A folder that is not there fails at the open, a full disk only at the end.
    for (const QString &path : { dir.filePath(u"no-such-folder/q.pdf"_s), u"/dev/full"_s }) {
        for (const QString &option : { u"--pdf"_s, u"--xlsx"_s }) {
            const Run run = runCli({ u"sheet"_s, u"--type=1"_s, u"--level=3"_s, u"--columns=2"_s,
                u"--rows=3"_s, option, path });
            QCOMPARE(run.status, 1);
            QVERIFY2(run.err.contains(path), qPrintable(run.err));
        }
    }
    QVERIFY(!QFile::exists(dir.filePath(u"no-such-folder"_s)));
    QVERIFY(!QFileInfo(u"/dev/full"_s).isFile());
}

void TestCli::recordsAndItems()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"QRTA.dat"_s);
    QString marked, open;
    {
        auto db = datafile::open(path);
        Settings settings(*db, processRandom());
        settings.load();
        SeededRandom rnd(3);
        QuestionMaker maker(rnd);
        TestSession first(*db, settings);
        first.generate(maker, 2, 3, 10, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
        first.confirm();
        for (int i = 0; i < 10; ++i)
            first.recordAnswer(i, i == 4 ? u"9999"_s : first.items()[i].answer);
        first.setElapsed(59);
        first.mark();
        marked = first.number();
        TestSession second(*db, settings);
        second.generate(maker, 10, 1, 12, QDateTime(QDate(2026, 1, 2), QTime(3, 5, 0)));
        second.confirm();
        second.recordAnswer(1, u"7"_s);
        open = second.number();
    }
    const Run list = runCli({ u"records"_s, u"--database"_s, path });
    QCOMPARE(list.status, 0);
    QCOMPARE(list.out,
        u"2\t%1\t四则混合\t一级\t12\t\t\t\t\t\n"
        "1\t%2\tA - B\t三级\t10\t59\t9\t1\t00:00:59\t1\n"_s.arg(open, marked));

    const Run items = runCli({ u"records"_s, u"--database"_s, path, u"--items"_s, open });
    QCOMPARE(items.status, 0);
    const QStringList rows = items.out.trimmed().split(u'\n');
    QCOMPARE(rows.size(), 12);
    const QStringList second = rows[1].split(u'\t');
    QCOMPARE(second.size(), 5);
    QCOMPARE(second[0], u"2"_s);
    QVERIFY(second[1].endsWith(u'＝'));
    QCOMPARE(second[2], u"7"_s);
    QCOMPARE(second[3], QString()); // not marked yet
    QCOMPARE(rows[0].split(u'\t')[2], QString());

    const Run missing = runCli({ u"records"_s, u"--database"_s, path, u"--items"_s, u"nope"_s });
    QCOMPARE(missing.status, 2);
}

void TestCli::classSets_data()
{
    QTest::addColumn<int>("copies");
    QTest::addColumn<QString>("pages"); // --pages, when not empty
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("printed"); // pages in either PDF
    QTest::newRow("none") << 0 << QString() << 2 << 0;
    QTest::newRow("one") << 1 << QString() << 0 << 2;
    QTest::newRow("sixty-one") << 61 << QString() << 2 << 0;
    QTest::newRow("three, the prompt's pages") << 3 << u"-2,4,6-8,10-"_s << 0 << 4;
    QTest::newRow("three, no page left") << 3 << u"７－"_s << 2 << 0;
}

void TestCli::classSets()
{
    QFETCH(int, copies);
    QFETCH(QString, pages);
    QFETCH(int, status);
    QFETCH(int, printed);
    QTemporaryDir dir;
    QStringList args = { u"sheet"_s, u"--type=9"_s, u"--level=2"_s, u"--columns=3"_s,
        u"--rows=40"_s, u"--copies=%1"_s.arg(copies), u"--lines"_s, u"--pdf"_s,
        dir.filePath(u"q.pdf"_s), u"--answers-pdf"_s, dir.filePath(u"a.pdf"_s) };
    if (!pages.isEmpty())
        args << u"--pages"_s << pages;
    const Run run = runCli(args);
    QCOMPARE(run.status, status);
    if (status != 0) {
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err.trimmed().count(u'\n'), 0);
        QVERIFY(QDir(dir.path()).isEmpty());
        return;
    }
    QStringList numbers;
    QList<QStringList> sheets;
    for (const QString &line : run.out.trimmed().split(u'\n')) {
        if (line.startsWith(u"09_2_"_s)) {
            numbers << line;
            sheets.append(QStringList());
        } else {
            sheets.last() << line;
        }
    }
    QCOMPARE(numbers.size(), copies);
    QCOMPARE(QSet<QString>(numbers.begin(), numbers.end()).size(), copies);
    for (const QStringList &lines : sheets) {
        QCOMPARE(lines.size(), 120);
        QCOMPARE(QSet<QString>(lines.begin(), lines.end()).size(), 120);
    }
    // 40 rows take two pages on either sheet; every copy starts on a page of its own.
    for (const QString &file : { u"q.pdf"_s, u"a.pdf"_s }) {
        QFile pdf(dir.filePath(file));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QCOMPARE(int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page ")
                     + bytes.count("/Type /Page/")),
            printed);
    }
}

void TestCli::mistakesBookAndSheet()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"QRTA.dat"_s);
    QStringList wrong;
    {
        auto db = datafile::open(path);
        Settings settings(*db, processRandom());
        settings.load();
        SeededRandom rnd(12);
        QuestionMaker maker(rnd);
        TestSession test(*db, settings);
        test.generate(maker, 7, 3, 10, QDateTime(QDate(2026, 3, 1), QTime(9, 0, 0)));
        test.confirm();
        for (int i = 0; i < 10; ++i) {
            const TestItem &item = test.items()[i];
            if (i % 4 == 1)
                wrong << item.question;
            test.recordAnswer(i, i % 4 == 1 ? item.answer + u"0"_s : item.answer);
        }
        test.mark();
    }
    const Run list = runCli({ u"mistakes"_s, u"--database"_s, path });
    QCOMPARE(list.status, 0);
    const QStringList rows = list.out.trimmed().split(u'\n');
    QCOMPARE(rows.size(), wrong.size());
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList fields = rows[i].split(u'\t');
        QCOMPARE(fields.size(), 7);
        QCOMPARE(fields[0], u"7"_s);
        QCOMPARE(fields[1], u"3"_s);
        QVERIFY(wrong.contains(fields[2]));
        QCOMPARE(fields[4], u"1"_s);
        QCOMPARE(fields[5], u"0"_s);
    }
    const Run sheet = runCli({ u"mistakes"_s, u"--database"_s, path, u"--sheet"_s, u"--pdf"_s,
        dir.filePath(u"book.pdf"_s) });
    QCOMPARE(sheet.status, 0);
    QFile pdf(dir.filePath(u"book.pdf"_s));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(4) == "%PDF");
    QCOMPARE(runCli({ u"mistakes"_s, u"--database"_s, path, u"--pdf"_s, u"x.pdf"_s }).status, 2);
    QCOMPARE(runCli({ u"mistakes"_s, u"--database"_s, path, u"--type=11"_s }).status, 2);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
