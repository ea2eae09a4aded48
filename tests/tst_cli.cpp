#include "generate/blankform.h"
#include "generate/carrykind.h"
#include "generate/randomsource.h"
#include "store/database.h"
#include "store/datafile.h"
#include "store/settings.h"
#include "support/arithmetic.h"
#include "support/readback.h"
#include "support/testdata.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <csignal>
#include <ranges>
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

// The words of a command line are split at blanks (no path here has one).
Run runCli(const QString &line)
{
    const QStringList args = line.split(u' ', Qt::SkipEmptyParts);
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
    // Bad arguments are refused with one line and status 2, before any file is made.
    void refusedArguments_data()
    {
        QTest::addColumn<QString>("args");
        const auto row = [](const char *name, const QString &args) { QTest::newRow(name) << args; };
        row("no command", QString());
        row("unknown command", u"print"_s);
        row("type missing", u"lines --level 1"_s);
        row("type 11", u"lines --type=11 --level=1"_s);
        row("type 10 level 4", u"lines --type=10 --level=4"_s);
        row("count too large", u"lines --type=1 --level=1 --count=1000001"_s);
        row("count value missing", u"lines --type=1 --level=1 --count"_s);
        row("huge type", u"lines --type=99999999999999999999 --level=1"_s);
        row("negative seed", u"lines --type=1 --level=1 --seed=-3"_s);
        row("unknown option", u"lines --type=1 --level=1 --colour=red"_s);
        row("stray argument", u"lines --type=1 --level=1 7"_s);
        row("option twice", u"lines --type=1 --type=2 --level=1"_s);
        row("carry neither", u"lines --type=1 --level=2 --carry=maybe"_s);
        row("third of two", u"lines --type=7 --level=2 --blank=third"_s);
        row("unknown setting", u"settings --set txa11=1 --database=DIR/x.dat"_s);
        row("installation number", u"settings --set system_0=5 --database=DIR/x.dat"_s);
        row("no equals sign", u"settings --set system_3 --database=DIR/x.dat"_s);
        row("puzzles level 6", u"puzzles --level 6 --database=DIR/x.dat"_s);
        row("database without path", u"puzzles --database --database=DIR/x.dat"_s);
        row("child with an empty name", u"children --add= --database=DIR/x.dat"_s);
        row("child with 21 characters",
            u"children --add=一二三四五六七八九十一二三四五六七八九十一 --database=DIR/x.dat"_s);
        row("two changes at once", u"children --add=甲 --remove=乙 --database=DIR/x.dat"_s);
        row("rename without a new name", u"children --rename=甲 --database=DIR/x.dat"_s);
        row("import without a class", u"children --import=DIR/list.txt --database=DIR/x.dat"_s);
        row("mistakes pdf without sheet", u"mistakes --pdf DIR/x.pdf --database=DIR/x.dat"_s);
        row("mistakes type 11", u"mistakes --type=11 --database=DIR/x.dat"_s);
        const QString sheet
            = u"sheet --type=9 --level=2 --pdf=DIR/q.pdf --answers-pdf=DIR/a.pdf "_s;
        row("six columns", sheet + u"--columns=6 --rows=5"_s);
        row("101 rows", sheet + u"--columns=3 --rows=101"_s);
        row("font 6", sheet + u"--columns=3 --rows=5 --font=6"_s);
        row("row height 0", sheet + u"--columns=3 --rows=5 --row-height=0"_s);
        row("lines with a value", sheet + u"--columns=3 --rows=5 --lines=yes"_s);
        row("no copies", sheet + u"--columns=3 --rows=40 --copies=0"_s);
        row("sixty-one copies", sheet + u"--columns=3 --rows=40 --copies=61"_s);
        row("pages not a range", sheet + u"--columns=3 --rows=5 --pages=1-x"_s);
        row("no page left", sheet + u"--columns=3 --rows=40 --copies=3 --pages=７－"_s);
        row("pages without a pdf", u"sheet --type=4 --level=2 --columns=3 --rows=5 --pages=1"_s);
        row("empty pdf path", u"sheet --type=4 --level=2 --columns=3 --rows=5 --pdf="_s);
        const QString mix = u"sheet --columns=4 --pdf=DIR/q.pdf --mix="_s;
        row("mix entry malformed", mix + u"1:4:12,2:4"_s);
        row("mix carry of products", mix + u"5:2:4:carry"_s);
        row("mix with a type", mix + u"1:4:12 --type=1"_s);
        row("mix past a hundred rows", mix + u"1:4:300,2:4:200"_s);
        row("five columns too narrow at 五号",
            u"sheet --type=10 --level=3 --columns=5 --rows=20 --pdf=DIR/q.pdf"_s);
        row("scannable mix too narrow at 五号",
            u"sheet --mix=1:3:12:carry,5:2:10:first,7:2:8:second --shuffle --columns=5 "
            "--scannable --database=DIR/x.dat --pdf=DIR/q.pdf"_s);
        row("shuffle without mix", sheet + u"--columns=3 --rows=5 --shuffle"_s);
        row("database without scannable", sheet + u"--columns=3 --rows=5 --database=DIR/x.dat"_s);
        row("scan without photos", u"scan --database=DIR/x.dat"_s);
        const QString vertical
            = u" --vertical --columns=3 --pdf=DIR/q.pdf --answers-pdf=DIR/a.pdf"_s;
        row("竖式 of A±B×C", u"sheet --type=6 --level=2 --rows=4"_s + vertical);
        row("竖式 of 四则混合", u"sheet --type=10 --level=1 --rows=4"_s + vertical);
        row("竖式 with a blank", u"sheet --type=1 --level=2 --rows=4 --blank=first"_s + vertical);
        row("竖式 to be photographed",
            u"sheet --type=5 --level=2 --rows=4 --scannable --database=DIR/x.dat"_s + vertical);
        row("竖式 mix with A×B÷C", u"sheet --mix=1:3:4,9:2:4"_s + vertical);
        row("gradebook of a class and a child",
            u"gradebook --database=DIR/x.dat --class=二班 --child=小朋友 --xlsx=DIR/g.xlsx"_s);
        row("gradebook of nobody", u"gradebook --database=DIR/x.dat --xlsx=DIR/g.xlsx"_s);
        row("one file for two outputs",
            u"sheet --type=4 --level=2 --columns=3 --rows=5 --pdf=DIR/x.pdf --xlsx=DIR/./x.pdf"_s);
    }

    void refusedArguments()
    {
        QFETCH(QString, args);
        QTemporaryDir dir;
        const Run run = runCli(args.replace(u"DIR"_s, dir.path()));
        QCOMPARE(run.status, 2);
        QCOMPARE(run.out, QString());
        QVERIFY(!run.err.trimmed().isEmpty());
        QCOMPARE(run.err.trimmed().count(u'\n'), 0);
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    // A class list with its byte-order mark, Windows line ends, a blank line, a name twice and
    // one already there: the rest is added in list order, the skipped names said, status 1.
    // A child with tests is only removed with them; the last child never.
    void childrenOfAClass()
    {
        QTemporaryDir dir;
        const QString db = u" --database "_s + dir.filePath(u"x.dat"_s);
        QFile list(dir.filePath(u"list.txt"_s));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("\xEF\xBB\xBF王小明\r\n\r\n李华\r\n王小明\r\n 张三 \n小朋友\n");
        list.close();
        const Run imported
            = runCli(u"children --import "_s + list.fileName() + u" --class 二班"_s + db);
        QCOMPARE(imported.status, 1);
        QCOMPARE(imported.out,
            u"小朋友\t\t0\t0\n王小明\t二班\t0\t0\n李华\t二班\t0\t0\n张三\t二班\t0\t0\n"_s);
        QCOMPARE(imported.err.count(u'\n'), 2);
        QVERIFY(imported.err.contains(u"王小明"_s) && imported.err.contains(u"小朋友"_s));
        const Run renamed = runCli(u"children --rename 李华 李小华"_s + db);
        QCOMPARE(renamed.status, 0);
        QVERIFY(renamed.out.contains(u"李小华\t二班"_s));
        QCOMPARE(runCli(u"children --rename 李小华 张三"_s + db).status, 2);
        QCOMPARE(runCli(u"records --child 李华"_s + db).status, 2); // renamed
        QCOMPARE(runCli(u"mistakes --child 李小华"_s + db).status, 0);
        for (const QString &name : { u"王小明"_s, u"李小华"_s, u"张三"_s })
            QCOMPARE(runCli(u"children --remove "_s + name + db).status, 0);
        QCOMPARE(runCli(u"children --remove 小朋友 --with-records"_s + db).status, 2);
        QCOMPARE(runCli(u"children"_s + db).out, u"小朋友\t\t0\t0\n"_s);
    }

    // The seed reaches the maker: the same seed, the same lines (whether they hold is the
    // question tests'). --help lists a command's options and the commands.
    void seedAndHelp()
    {
        const QString lines = u"lines --type=4 --level=1 --count=20 --seed="_s;
        const Run run = runCli(lines + u'4');
        QCOMPARE(runCli(lines + u'4').out, run.out);
        QVERIFY(runCli(lines + u'5').out != run.out);
        QCOMPARE(run.out.count(u'\n'), 20);
        const Run help = runCli(u"lines --help"_s);
        for (const QString &option : { u"--type"_s, u"--level"_s, u"--count"_s, u"--seed"_s })
            QVERIFY2(help.status == 0 && help.out.contains(option), qPrintable(option));
        QVERIFY(runCli(u"--help"_s).out.contains(u"lines"_s));
    }

    void settingsOfNewAndExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"QRTA.dat"_s);
        const QString settings = u"settings --database "_s + path;
        const Run created = runCli(settings);
        QCOMPARE(created.status, 0);
        const QStringList rows = created.out.trimmed().split(u'\n');
        // One row a setting, key and value, in the order of the table.
        QCOMPARE(rows.size(), Settings::keys().size());
        for (qsizetype i = 0; i < rows.size(); ++i)
            QCOMPARE(rows[i].section(u'\t', 0, 0), Settings::keys()[i].name);

        const Run changed = runCli(settings + u" --set txa3=2\\4\\12\\1\\5"_s);
        QCOMPARE(changed.status, 0);
        QVERIFY(changed.out.contains(u"\ntxa3\t2\\4\\12\\1\\5\n"_s));
        QCOMPARE(changed.out.section(u'\n', 0, 0), rows[0]); // the first start ran once only

        // Whatever a value holds, each setting stays one row.
        const Run escaped = runCli(settings + u" --set system_5=a\nb\tc"_s);
        QCOMPARE(escaped.out.count(u'\n'), rows.size());
        QVERIFY(escaped.out.contains(u"\nsystem_5\ta\\nb\\tc\n"_s));
    }

    void puzzlesOfOneLevel()
    {
        QTemporaryDir dir;
        const Run run = runCli(u"puzzles --level 3 --database "_s + dir.filePath(u"QRTA.dat"_s));
        const QStringList rows = run.out.trimmed().split(u'\n');
        QVERIFY(run.status == 0 && rows.size() > 200);
        qint64 previous = 0;
        for (const QStringList fields :
            rows | std::views::transform([](const QString &row) { return row.split(u'\t'); })) {
            QVERIFY(fields.size() == 8 && fields[0].toLongLong() > previous && fields[1] == u"3"_s
                && fields[6] == u"0"_s && !fields[7].isEmpty());
            previous = fields[0].toLongLong();
        }
    }

    void refusedDataFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("named"); // what the message must name
        QTest::newRow("not a data file") << u"QRTA.dat"_s << u"QRTA.dat"_s;
        // Only the default location is ever created.
        QTest::newRow("folder missing") << u"gone/QRTA.dat"_s << u"gone"_s;
    }

    void refusedDataFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (QFile file(path); file.open(QIODevice::WriteOnly)) // not where a folder is missing
            file.write(QByteArray(4096, 'x'));
        const QStringList before
            = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        for (const QString &command : { u"settings"_s, u"puzzles"_s }) {
            const Run run = runCli(command + u" --database "_s + path);
            QCOMPARE(run.status, 3);
            QVERIFY2(run.err.contains(dir.filePath(named)), qPrintable(run.err));
            QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        }
    }

    void twoFirstStartsAtOnce()
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
            const Run after = runCli(u"settings --database "_s + path);
            QVERIFY(after.out.contains(u"\ntxb1\t2\\20\n"_s));
            QVERIFY(after.out.contains(u"\ntxb2\t3\\30\n"_s));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { u"QRTA.dat"_s });
        }
    }

    // The program (a child process here) opens the data file for its run. Something in it then
    // opens and closes the file, which drops the engine's own locks; a tool must still leave the
    // program's log alone, so that a kill afterwards loses nothing the program committed.
    void toolsOnlyReadWhileTheProgramRuns()
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
        const QString settings = u"settings --database "_s + path;
        const Run read = runCli(settings);
        QCOMPARE(read.status, 0);
        QVERIFY(read.out.contains(u"\nsystem_5\tbefore\n"_s));
        const Run write = runCli(settings + u" --set system_3=0"_s);
        QCOMPARE(write.status, 4);
        QVERIFY2(write.err.contains(u"晨曦算苑正在使用这个数据文件，请先退出程序"_s),
            qPrintable(write.err));

        QCOMPARE(::write(toChild[1], "g", 1), 1);
        QCOMPARE(::read(toParent[0], &step, 1), 1);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        reap.dismiss();
        const Run after = runCli(settings);
        QCOMPARE(after.status, 0);
        QVERIFY2(after.out.contains(u"\nsystem_5\tafter\n"_s), qPrintable(after.out));
    }

    void sheetsAndPdfs_data()
    {
        QTest::addColumn<int>("copies");
        QTest::addColumn<QString>("pages"); // --pages, when not empty
        QTest::addColumn<int>("printed"); // pages in either PDF
        QTest::newRow("one copy") << 1 << QString() << 2;
        QTest::newRow("a class set, some pages") << 3 << u"-2,4,6-8,10-"_s << 4;
    }

    void sheetsAndPdfs()
    {
        QFETCH(int, copies);
        QFETCH(QString, pages);
        QFETCH(int, printed);
        QTemporaryDir dir;
        const QString args
            = u"sheet --type=9 --level=2 --columns=3 --rows=40 --seed=11 --lines --copies=%1"_s.arg(
                copies);
        const Run run = runCli(args
            + u" --pdf %1/q.pdf --answers-pdf %1/a.pdf --xlsx %1/s.xlsx"_s.arg(dir.path())
            + (pages.isEmpty() ? QString() : u" --pages "_s + pages));
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        // Each copy prints its own number, then its lines: distinct, and most not another copy's.
        QStringList numbers;
        QList<QStringList> sheets;
        for (const QString &line : run.out.trimmed().split(u'\n')) {
            if (line.startsWith(u"09_2_120_"_s)) {
                QCOMPARE(line.size(), 23);
                numbers << line;
                sheets.append(QStringList());
            } else {
                sheets.last() << line;
            }
        }
        QCOMPARE(numbers.size(), copies);
        QCOMPARE(QSet<QString>(numbers.begin(), numbers.end()).size(), copies);
        QList<QSet<QString>> made;
        for (const QStringList &lines : sheets) {
            made << QSet<QString>(lines.begin(), lines.end());
            QVERIFY(lines.size() == 120 && made.last().size() == 120);
            for (qsizetype other = 0; other < made.size() - 1; ++other)
                QVERIFY(QSet<QString>(made[other]).intersect(made.last()).size() < 60);
        }
        const auto question
            = [](const QString &line) -> QString { return line.section(u'＝', 0, 0) + u'＝'; };
        const QString title
            = u"【A×B÷C】〖二级〗120 题(对___题,错___题) _____年___月___日,用时___分钟"_s;

        // The workbook: per copy, under its number, the title over its questions, then its lines
        // (where each cell lies is tst_workbook's).
        const QJsonArray workbook = readback::workbookSheets(dir.filePath(u"s.xlsx"_s));
        QCOMPARE(workbook.size(), 2 * copies);
        for (qsizetype i = 0; i < workbook.size(); ++i) {
            const bool answers = i % 2 == 1;
            const QJsonValue cells = workbook[i][u"cells"_s];
            QCOMPARE(workbook[i][u"name"_s].toString(),
                numbers[i / 2] + (answers ? u"(答案)"_s : u""_s));
            QCOMPARE(cells[0][0][u"value"_s].toString(), answers ? QString() : title);
            QCOMPARE(cells[1][0][u"value"_s].toString(),
                answers ? sheets[i / 2][0] : question(sheets[i / 2][0]));
        }

        // 40 rows take two pages on either sheet; every copy starts on a page of its own. The
        // text copies out of the PDFs as it was printed: the first copy's title and questions,
        // its answer header and lines.
        for (const bool answers : { false, true }) {
            const QString text = readback::pdfText(dir.filePath(answers ? u"a.pdf"_s : u"q.pdf"_s));
            QCOMPARE(text.count(u"页，共"_s), printed);
            QVERIFY2(text.contains(answers ? numbers[0] + u"）答案"_s : readback::unspaced(title)),
                qPrintable(text.left(200)));
            for (const QString &line : sheets[0])
                QVERIFY2(text.contains(readback::unspaced(answers ? line : question(line))),
                    qPrintable(line));
        }
        // Same seed, same sheets: only the moment in the numbers may differ.
        const Run again = runCli(args);
        QCOMPARE(again.out.count(u'\n'), run.out.count(u'\n'));
        QCOMPARE(again.out.section(u'\n', 1, 120), run.out.section(u'\n', 1, 120));
    }

    void sheetUnwritablePdf()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"taken"_s));
        // A folder that is not there or a folder's name fails at the open, a full disk only at
        // the end; the file is written whole or not at all.
        for (const QString &path :
            { dir.filePath(u"no-such-folder/q.pdf"_s), dir.filePath(u"taken"_s), u"/dev/full"_s }) {
            for (const QString &option : { u"--pdf"_s, u"--xlsx"_s }) {
                const Run run = runCli(
                    u"sheet --type=1 --level=3 --columns=2 --rows=3 %1 %2"_s.arg(option, path));
                QCOMPARE(run.status, 1);
                QVERIFY2(run.err.contains(path), qPrintable(run.err));
            }
        }
        // A mixed sheet that would come out short writes nothing and names the entry.
        const Run shortSheet = runCli(
            u"sheet --columns=2 --mix=1:1:60 --lines --pdf "_s + dir.filePath(u"mixed.pdf"_s));
        QCOMPARE(shortSheet.status, 1);
        QCOMPARE(shortSheet.out, QString());
        QVERIFY2(shortSheet.err.contains(u"第 1 项“A + B 一级 60 题”只出了 45 道"_s),
            qPrintable(shortSheet.err));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList { u"taken"_s });
        QVERIFY(QDir(dir.filePath(u"taken"_s)).isEmpty());
        QVERIFY(!QFileInfo(u"/dev/full"_s).isFile());
    }

    void formsOfQuestions_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<int>("questions"); // after the sheet's number, if any
        QTest::addColumn<CarryKind>("carry");
        QTest::newRow("lines that carry")
            << u"lines --type=3 --level=4 --carry=with --count=50"_s << 50 << CarryKind::With;
        QTest::newRow("blank third, never carrying")
            << u"lines --type=4 --level=3 --carry=without --blank=third --count=50"_s << 50
            << CarryKind::Without;
        QTest::newRow("shuffled, two copies")
            << u"sheet --columns=5 --lines --shuffle --copies=2 --mix=4:2:10:any,1:3:10"_s << 20
            << CarryKind::Any;
    }

    // A blank question prints as three fields: the whole line, the question with its blank and the
    // number, which put into the blank gives the whole line back.
    void formsOfQuestions()
    {
        QFETCH(QString, args);
        QFETCH(int, questions);
        QFETCH(CarryKind, carry);
        const Run run = runCli(args + u" --seed=5"_s);
        QVERIFY(run.status == 0 && run.out.endsWith(u'\n'));
        QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        const bool sheet = args.startsWith(u"sheet"_s);
        int numbers = 0, blanks = 0;
        for (const QString &line : std::as_const(lines)) {
            if (sheet && line.startsWith(u"00_0_%1_"_s.arg(questions))) {
                ++numbers;
                continue;
            }
            const QStringList fields = line.split(u'\t');
            QVERIFY2((fields.size() == 1 || fields.size() == 3) && fields[0].contains(u'＝'),
                qPrintable(line));
            if (fields.size() == 3) {
                ++blanks;
                // The blank filled is the whole line, spaced as a blank is shown.
                QString filled = fields[1];
                filled.replace(QRegularExpression(u"\u3000{2,}"_s), fields[2]);
                const auto bare
                    = [](QString text) { return text.remove(QRegularExpression(u"[ （）]"_s)); };
                QCOMPARE(bare(filled), bare(fields[0]));
            }
            QVERIFY2(carry::isOfKind(fields[0], carry), qPrintable(line));
        }
        QCOMPARE(lines.size() - numbers, questions * std::max(1, numbers));
        QCOMPARE(blanks > 0,
            args.contains(u"blank"_s) || args.contains(u":any"_s) || args.contains(u":second"_s));
    }

    // A scannable sheet printed to PDF and scanned back unwritten: every answer unsure, the
    // sheet stored once; a photo that is no image is named and the rest still marked.
    void scannableSheetScannedBack()
    {
        QTemporaryDir dir;
        const QString database = dir.filePath(u"QRTA.dat"_s);
        const Run sheet = runCli(
            u"sheet --type=7 --level=2 --columns=3 --rows=5 --blank=second --scannable --database %1 --pdf %2"_s
                .arg(database, dir.filePath(u"q.pdf"_s)));
        QCOMPARE(sheet.status, 0);
        QProcess render;
        render.start(QStringLiteral(QRTA_PDFTOPPM),
            { u"-r"_s, u"120"_s, u"-png"_s, u"-singlefile"_s, dir.filePath(u"q.pdf"_s),
                dir.filePath(u"page"_s) });
        QVERIFY(render.waitForFinished(30000) && render.exitCode() == 0);
        QFile garbage(dir.filePath(u"not-a-photo.jpg"_s));
        QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write("hello") == 5);
        garbage.close();

        // A pipe is never waited on, and the same page given twice is read once.
        const QString pipe = dir.filePath(u"pipe.jpg"_s);
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);

        const QString scan = u"scan --database %1 %2"_s.arg(database, dir.filePath(u"page.png"_s));
        const Run first = runCli(u"%1 %2 %3 %4 %5"_s.arg(scan, garbage.fileName(), pipe,
            dir.filePath(u"gone.png"_s), dir.filePath(u"page.png"_s)));
        QCOMPARE(first.status, 1);
        for (const QString &said : { u"not-a-photo.jpg：不是能读的"_s, u"pipe.jpg：不是普通文件"_s,
                 u"gone.png：找不到文件"_s, u"和 page.png 是同一页"_s })
            QVERIFY2(first.err.contains(said), qPrintable(first.err));
        const QStringList lines = first.out.trimmed().split(u'\n');
        QCOMPARE(lines.size(), 15);
        QCOMPARE(lines[0].split(u'\t'),
            (QStringList { sheet.out.trimmed(), u"1"_s, lines[0].section(u'\t', 2, 2), QString(),
                u"unsure"_s }));
        QVERIFY(lines[0].section(u'\t', 2, 2).contains(u"（　　）"_s));
        const Run again = runCli(scan);
        QCOMPARE(again.status, 1);
        QCOMPARE(again.out, QString());
    }

    void recordsAndMistakes()
    {
        TestData d;
        // Type, level, count, rows answered wrong, seconds, moment; the second left after two.
        const QDateTime at(QDate(2026, 1, 2), QTime(3, 4, 5));
        const QString marked = d.store({ 2, 3, 10, { 4 }, 59, at });
        const QString open = d.store({ 10, 1, 12, {}, 60, at.addSecs(55), 2 });
        const QString wrong = loadTestItems(d.db(), marked, ItemOrder::Question).at(4).question;
        const QString typed = d.storedAnswer(open, 1);
        d.context.reset(); // as the program leaves it
        const QString records = u"records --database "_s + d.path;
        const Run list = runCli(records);
        QCOMPARE(list.status, 0);
        QCOMPARE(list.out,
            u"2\t%1\t四则混合\t一级\t12\t60\t\t\t\t\n"
            "1\t%2\tA - B\t三级\t10\t59\t9\t1\t00:00:59\t1\n"_s.arg(open, marked));

        const Run items = runCli(records + u" --items "_s + open);
        QCOMPARE(items.status, 0);
        const QStringList rows = items.out.trimmed().split(u'\n');
        QCOMPARE(rows.size(), 12);
        // Number, question, the answer given, and nothing marked yet.
        QVERIFY2(rows[1].startsWith(u"2\t"_s) && rows[1].section(u'\t', 1, 1).endsWith(u'＝'),
            qPrintable(rows[1]));
        QCOMPARE(rows[1].count(u'\t'), 4);
        QCOMPARE(rows[1].section(u'\t', 2, 3), typed + u'\t');
        QCOMPARE(runCli(records + u" --items nope"_s).status, 2);

        // The book: type, level, question, its answer, times wrong, times right since.
        const QString mistakes = u"mistakes --database "_s + d.path;
        const Run book = runCli(mistakes);
        QCOMPARE(book.status, 0);
        const QStringList fields = book.out.trimmed().split(u'\t');
        QCOMPARE(fields.size(), 7);
        QCOMPARE(fields.mid(0, 3), (QStringList { u"2"_s, u"3"_s, wrong }));
        QCOMPARE(fields[3].toLongLong(),
            ExpressionEvaluator::evaluate(wrong.section(u'＝', 0, 0)).value);
        QCOMPARE(fields.mid(4, 2), (QStringList { u"1"_s, u"0"_s }));
        // Printed: the question on the sheet, answered on the answer sheet.
        const Run sheet = runCli(mistakes
            + u" --sheet --pdf %1/book.pdf --answers-pdf %1/answers.pdf"_s.arg(d.dir.path()));
        QCOMPARE(sheet.status, 0);
        QVERIFY(
            readback::pdfText(d.dir.filePath(u"book.pdf"_s)).contains(readback::unspaced(wrong)));
        QVERIFY(readback::pdfText(d.dir.filePath(u"answers.pdf"_s))
                    .contains(readback::unspaced(wrong + fields[3])));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
