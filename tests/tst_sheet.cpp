#include "cjkfont.h"
#include "worksheet/formatstamp.h"
#include "generate/questionline.h"
#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "sheetpainter.h"
#include "worksheet/pagerange.h"
#include "worksheet/sheetentry.h"
#include "worksheet/sheetchoices.h"
#include "worksheet/sheetmodel.h"
#include "worksheet/sheetrecipe.h"
#include "worksheet/worksheet.h"

#include "support/readback.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime kMoment(QDate(2011, 8, 30), QTime(6, 36, 48));

// A sheet of seeded questions and the choices that print it.
std::pair<Worksheet, SheetChoices> printed(
    quint64 seed, int type, int level, int columns, int rows, int font = 3, int rowHeight = 3)
{
    SeededRandom rnd(seed);
    QuestionMaker maker(rnd);
    return { Worksheet::generate(
                 maker, qint16(type), qint16(level), qint16(columns), qint16(rows), kMoment),
        { 1, qint16(columns), qint16(rows), qint16(font), qint16(rowHeight) } };
}

} // namespace

class TestSheet : public QObject
{
    Q_OBJECT

private slots:
    void rowHeights_data()
    {
        QTest::addColumn<int>("rowHeight");
        QTest::addColumn<int>("font");
        QTest::addColumn<int>("rows");
        QTest::addColumn<double>("twips");
        QTest::newRow("整页, 10 rows") << 1 << 3 << 10 << 1440.0;
        QTest::newRow("整页, 7 rows") << 1 << 3 << 7 << 2057.0;
        QTest::newRow("整页, 64 rows, half to even") << 1 << 3 << 64 << 225.0;
        QTest::newRow("小四 最大") << 5 << 1 << 12 << 720.0;
        QTest::newRow("三号 较小") << 2 << 3 << 12 << 544.0;
        QTest::newRow("三号 适合") << 3 << 3 << 12 << 640.0;
        QTest::newRow("二号 较大") << 4 << 5 << 12 << 1050.0;
    }

    void rowHeights()
    {
        QFETCH(int, rowHeight);
        QFETCH(int, font);
        QFETCH(int, rows);
        QFETCH(double, twips);
        QCOMPARE(sheetformat::rowHeightTwips(qint16(rowHeight), qint16(font), qint16(rows)), twips);
    }

    void formatStampPrecisions_data()
    {
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("separated");
        QTest::addColumn<QString>("plain");
        QTest::newRow("0, to the second") << 0 << u"2011-08-30 06:36:48"_s << u"20110830063648"_s;
        QTest::newRow("1, to the minute") << 1 << u"2011-08-30 06:36"_s << u"201108300636"_s;
        QTest::newRow("2, to the hour") << 2 << u"2011-08-30 06"_s << u"2011083006"_s;
        QTest::newRow("3, to the day") << 3 << u"2011-08-30"_s << u"20110830"_s;
        QTest::newRow("4, year and month") << 4 << u"2011-08"_s << u"201108"_s;
        QTest::newRow("5, year") << 5 << u"2011"_s << u"2011"_s;
        QTest::newRow("-1, to the second") << -1 << u"2011-08-30 06:36:48"_s << u"20110830063648"_s;
    }

    void formatStampPrecisions()
    {
        QFETCH(int, precision);
        QFETCH(QString, separated);
        QFETCH(QString, plain);
        QCOMPARE(formatStamp(kMoment, qint16(precision), true), separated);
        QCOMPARE(formatStamp(kMoment, qint16(precision), false), plain);
    }

    void layoutOfLines_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("distinct"); // questions the source can make
        QTest::addColumn<int>("calls"); // questions asked of it
        QTest::addColumn<int>("placed");
        QTest::newRow("two by one, plenty") << 2 << 1 << 1000 << 2 << 2;
        QTest::newRow("five by hundred, three distinct") << 5 << 100 << 3 << 1499 << 3;
        QTest::newRow("three by three, nine distinct") << 3 << 3 << 9 << 9 << 9;
        QTest::newRow("three by three, seven distinct") << 3 << 3 << 7 << 26 << 7;
        QTest::newRow("no rows") << 4 << 0 << 1 << 0 << 0;
    }

    // Distinct questions fill the cells left to right, then down; a source that
    // repeats itself is given up after a fixed number of attempts.
    void layoutOfLines()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(int, distinct);
        QFETCH(int, calls);
        QFETCH(int, placed);
        int made = 0;
        auto source = [&] {
            const int n = made++ % distinct + 1;
            return u"%1 ÷ 7 ＝ %2"_s.arg(7 * n).arg(n);
        };
        const Worksheet sheet
            = Worksheet::generate(source, 7, 1, qint16(columns), qint16(rows), kMoment);
        QCOMPARE(made, calls);
        QCOMPARE(sheet.questionCount(), placed);
        // As many rows as the questions placed fill.
        const int rowCount = (placed + columns - 1) / columns;
        QCOMPARE(sheet.rowCount(), rowCount);
        QCOMPARE(sheet.table(Worksheet::Sheet::Questions).size(), rowCount);
        for (int i = 0; i < rowCount * columns; ++i) {
            const int row = i / columns, column = i % columns;
            const QString answer = sheet.cell(Worksheet::Sheet::Answers, row, column);
            const QString question = sheet.cell(Worksheet::Sheet::Questions, row, column);
            if (i < placed) {
                QCOMPARE(answer, sheet.lines().at(i));
                QCOMPARE(question, answer.left(answer.indexOf(u'＝') + 1));
            } else {
                QVERIFY(answer.isEmpty() && question.isEmpty());
            }
        }
        // The window's table shows the same cells and keeps the rules of item models when
        // a sheet replaces another.
        SheetModel model(Worksheet::Sheet::Answers);
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setWorksheet(sheet);
        QCOMPARE(model.rowCount(), rowCount);
        QCOMPARE(model.columnCount(), placed > 0 ? columns : 0);
        if (placed > 0)
            QCOMPARE(model.index(rowCount - 1, 0).data().toString(),
                sheet.cell(Worksheet::Sheet::Answers, rowCount - 1, 0));
        model.setWorksheet({});
        QCOMPARE(model.rowCount(), 0);
    }

    void titlesAndPageTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString number = recordNumber(5, 3, 60, kMoment);
        QTest::newRow("sheet number") << number << u"05_3_60_20110830063648"_s;
        QTest::newRow("type 10 number")
            << recordNumber(10, 1, 7, kMoment) << u"10_1_7_20110830063648"_s;
        QTest::newRow("default title") << sheetTitle(
            u"【题型】〖难度〗数量 题(对___题,错___题) _____年___月___日,用时___分钟"_s, 5, 3,
            60) << u"【A × B】〖三级〗60 题(对___题,错___题) _____年___月___日,用时___分钟"_s;
        QTest::newRow("no variable") << sheetTitle(u"三年级口算"_s, 5, 3, 60) << u"三年级口算"_s;
        QTest::newRow("数量 twice")
            << sheetTitle(u"数量题，共数量题"_s, 2, 1, 7) << u"7题，共7题"_s;
        QTest::newRow("question header") << questionPageHeader(u"标题"_s) << u"标题\\t"_s;
        QTest::newRow("question footer")
            << questionPageFooter(number)
            << u"\\t【05_3_60_20110830063648】"_s + QString(44, u' ') + u"〖 第\\p页，共\\P页 〗"_s;
        QTest::newRow("answer header") << answerPageHeader(
            5, 3, 60, number) << u"\\t【A × B】〖三级〗60 题（05_3_60_20110830063648）答案"_s;
        QTest::newRow("footer sections")
            << SheetPainter::pageTextSections(questionPageFooter(u"X"_s), 2, 5).join(u'|')
            << u"|【X】"_s + QString(44, u' ') + u"〖 第2页，共5页 〗|"_s;
    }

    void titlesAndPageTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void pageRanges_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<bool>("reads");
        QTest::addColumn<QList<int>>("pages");
        const QString example = u"-2,4,6-8,10-"_s;
        QTest::newRow("the prompt's example, 12 pages")
            << example << 12 << true << QList { 1, 2, 4, 6, 7, 8, 10, 11, 12 };
        QTest::newRow("the prompt's example, 3 pages") << example << 3 << true << QList { 1, 2 };
        QTest::newRow("full width") << u"－２，４，６－８，１０－"_s << 12 << true
                                    << QList { 1, 2, 4, 6, 7, 8, 10, 11, 12 };
        QTest::newRow("other range marks, list comma")
            << u"1～2、4——5，7~8、10—"_s << 10 << true << QList { 1, 2, 4, 5, 7, 8, 10 };
        QTest::newRow("blanks and overlaps")
            << u" 2 - 4 , 3\u3000,4"_s << 5 << true << QList { 2, 3, 4 };
        QTest::newRow("open end from the last") << u"5-"_s << 5 << true << QList { 5 };
        QTest::newRow("range past the last") << u"4-9"_s << 5 << true << QList { 4, 5 };
        QTest::newRow("only past the last") << u"6,8-"_s << 5 << true << QList<int> {};
        QTest::newRow("huge number") << u"99999999999"_s << 5 << true << QList<int> {};
        QTest::newRow("empty") << u" "_s << 5 << false << QList<int> {};
        QTest::newRow("page 0") << u"0-2"_s << 5 << false << QList<int> {};
        QTest::newRow("backwards") << u"4-2"_s << 5 << false << QList<int> {};
        QTest::newRow("lone dash") << u"-"_s << 5 << false << QList<int> {};
        QTest::newRow("empty entry") << u"1,,2"_s << 5 << false << QList<int> {};
        QTest::newRow("letters") << u"a-b"_s << 5 << false << QList<int> {};
        QTest::newRow("two dashes") << u"1-2-3"_s << 5 << false << QList<int> {};
        QTest::newRow("negative number") << u"--2"_s << 5 << false << QList<int> {};
        QTest::newRow("blank between pages") << u"1 3"_s << 5 << false << QList<int> {};
    }

    void pageRanges()
    {
        QFETCH(QString, text);
        QFETCH(int, pageCount);
        QFETCH(bool, reads);
        QFETCH(QList<int>, pages);
        const PageRange range = PageRange::read(text);
        QCOMPARE(range.isValid(), reads);
        QCOMPARE(range.pagesOf(pageCount), pages);
    }

    void sheetEntries_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption"); // empty: does not read
        QTest::newRow("plain") << u"5:3:8"_s << u"A × B 三级 8 题"_s;
        QTest::newRow("carry and blank")
            << u"1:4:12:carry:second"_s << u"A + B 四级 进位 填第二个数 12 题"_s;
        QTest::newRow("blank before carry")
            << u"2:4:12:any:nocarry"_s << u"A - B 四级 不退位 任填一个数 12 题"_s;
        // Read, though no question of it can be made: the form says so (QuestionForm::problem).
        QTest::newRow("third of two") << u"1:2:5:third"_s << u"A + B 二级 填第三个数 5 题"_s;
        for (const QString &bad : { u"1:4"_s, u"0:1:5"_s, u"11:1:5"_s, u"1:6:5"_s, u"1:1:0"_s,
                 u"1:1:501"_s, u"1:1:+5"_s, u"1:1: 5"_s, u"1:1:5:carry:nocarry"_s,
                 u"1:1:5:first:any"_s, u"1:1:5:sideways"_s, u"a:b:c"_s, QString() })
            QTest::addRow("bad %s", qPrintable(bad)) << bad << QString();
    }

    void sheetEntries()
    {
        QFETCH(QString, text);
        QFETCH(QString, caption);
        const std::optional<SheetEntry> entry = SheetEntry::read(text);
        QCOMPARE(entry.has_value(), !caption.isEmpty());
        if (!entry)
            return;
        QCOMPARE(entry->caption(), caption);
        QCOMPARE(SheetEntry::read(entry->toText()), entry);
    }

    void mixedSheets_data()
    {
        QTest::addColumn<QString>("entries");
        QTest::addColumn<bool>("shuffle");
        QTest::addColumn<QStringList>("shortfalls");
        QTest::newRow("a teacher's week")
            << u"1:4:12:carry,2:4:12:nocarry,5:3:8,7:3:8:second"_s << false << QStringList();
        QTest::newRow("shuffled") << u"1:4:12:carry,2:4:12:nocarry,5:3:8,7:3:8:second"_s << true
                                  << QStringList();
        QTest::newRow("blank any of three, twice the same kind")
            << u"4:2:30:any,4:2:30:carry:any"_s << false << QStringList();
        // 45 facts of A + B at level 1, and those of the second entry already on the sheet.
        QTest::newRow("short entries")
            << u"1:1:60,1:1:5"_s << false
            << QStringList { u"第 1 项“A + B 一级 60 题”只出了 45 道不同的题"_s,
                   u"第 2 项“A + B 一级 5 题”只出了 0 道不同的题"_s };
    }

    // Questions distinct across the sheet, each entry's of its form, in blocks in the order of
    // the entries unless shuffled; a short entry is said, not hidden.
    void mixedSheets()
    {
        QFETCH(QString, entries);
        QFETCH(bool, shuffle);
        QFETCH(QStringList, shortfalls);
        const QList<SheetEntry> list = sheetentries::read(entries).value();
        const auto make = [&list](bool mixed, QStringList *said) {
            SeededRandom rnd(8);
            QuestionMaker maker(rnd);
            return Worksheet::generateMixed(maker, list, 4, mixed, kMoment, said);
        };
        QStringList said;
        const Worksheet sheet = make(shuffle, &said);
        QCOMPARE(said, shortfalls);
        QVERIFY(sheet.number().startsWith(u"00_0_%1_"_s.arg(sheet.questionCount())));
        QCOMPARE(QSet<QString>(sheet.lines().cbegin(), sheet.lines().cend()).size(),
            sheet.questionCount());
        const Worksheet blocks = shuffle ? make(false, nullptr) : sheet;
        qsizetype next = 0;
        for (const SheetEntry &entry : list) {
            for (int i = 0; i < entry.count && next < blocks.questionCount(); ++i) {
                const QString line = blocks.lines().at(next++);
                QVERIFY2(carry::isOfKind(blankform::wholeLine(line), entry.form.carry)
                        && blankform::isBlank(line) == (entry.form.blank != BlankPlace::None),
                    qPrintable(entry.caption() + u": "_s + line));
            }
        }
        if (shuffle) {
            QStringList sorted = sheet.lines(), unshuffled = blocks.lines();
            QVERIFY(sorted != unshuffled);
            std::sort(sorted.begin(), sorted.end());
            std::sort(unshuffled.begin(), unshuffled.end());
            QCOMPARE(sorted, unshuffled);
        }
        QCOMPARE(sheetTitle(u"【题型】〖难度〗数量题"_s, sheet).section(u'〗', 0, 0),
            u"【综合练习】〖"_s + sheet.levelName());
    }

    // A sheet short of its rows and columns says how many distinct questions its form has:
    // as many as a long draw of another maker finds, and at least what the sheet holds.
    void shortSheetsSayWhy_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("carry"); // 0 any, 1 with, 2 without
        QTest::addColumn<bool>("isShort");
        QTest::newRow("A − B 二级 必须退位") << 2 << 2 << 1 << true;
        QTest::newRow("A + B 一级 必须进位") << 1 << 1 << 1 << true;
        QTest::newRow("A + B 一级") << 1 << 1 << 0 << true;
        QTest::newRow("A × B 三级") << 5 << 3 << 0 << false;
    }
    void shortSheetsSayWhy()
    {
        QFETCH(int, type);
        QFETCH(int, level);
        QFETCH(int, carry);
        QFETCH(bool, isShort);
        SheetRecipe recipe;
        recipe.form = QuestionForm { qint16(type), qint16(level) };
        recipe.form.carry = CarryKind(carry);
        recipe.columns = 5;
        recipe.rows = 20;
        SeededRandom rnd(7);
        QuestionMaker maker(rnd);
        const Worksheet sheet = recipe.make(maker, kMoment, nullptr);
        const QString note = recipe.shortNote(sheet);
        QCOMPARE(!note.isEmpty(), isShort);
        if (!isShort)
            return;
        SeededRandom other(12345);
        QuestionMaker drawer(other);
        QSet<QString> lines;
        for (int draw = 0; draw < 200000; ++draw)
            lines.insert(drawer.make(recipe.form));
        QCOMPARE(note,
            u"这种题只有 %1 道不同的，卷子出了 %2 题（选的是 100 题）"_s.arg(lines.size())
                .arg(sheet.questionCount()));
        QVERIFY(sheet.questionCount() <= lines.size());
    }

    void printedLayouts_data()
    {
        // Type, level, columns, rows, font and row height of a seeded sheet; the pages it takes
        // (0: not counted), the worksheet window's note (empty: printed as chosen) and the
        // columns the lines need where the chosen ones are too narrow even at the floor size
        // (0: they fit).
        QTest::addColumn<QList<int>>("sheet");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("fitting");
        const auto row
            = [](const char *name, QList<int> sheet, int pages, const QString &note,
                  int fitting = 0) { QTest::newRow(name) << sheet << pages << note << fitting; };
        row("100 rows 适合 三号", { 6, 3, 4, 100, 3, 3 }, 5, u"四列放不下三号字，打印时用12.5磅"_s);
        row("100 rows 整页: rows raised", { 6, 3, 4, 100, 3, 1 }, 3,
            u"整页100行放不下三号字，打印时用五号、每页47行"_s);
        row("1 row 整页", { 6, 3, 4, 1, 3, 1 }, 1, u"四列放不下三号字，打印时用12.5磅"_s);
        row("30 rows 最大 二号", { 6, 3, 4, 30, 5, 5 }, 3, u"四列放不下二号字，打印时用12.5磅"_s);
        row("2 列 二号, 四则 三级", { 10, 3, 2, 20, 5, 3 }, 0, {});
        row("3 列 小二, A+B 五级", { 1, 5, 3, 20, 4, 3 }, 0, {});
        row("3 列 三号, 四则 三级", { 10, 3, 3, 20, 3, 3 }, 0, u"三列放不下三号字，打印时用四号"_s);
        row("4 列 四号, A×B 三级", { 5, 3, 4, 20, 2, 3 }, 0, {});
        row("4 列 二号, A÷B 五级", { 7, 5, 4, 20, 5, 3 }, 0, u"四列放不下二号字，打印时用14.5磅"_s);
        row("5 列 小四, A+B 一级", { 1, 1, 5, 20, 1, 3 }, 0, {});
        row("5 列 三号, A+B 一级", { 1, 1, 5, 20, 3, 3 }, 0, u"五列放不下三号字，打印时用四号"_s);
        row("5 列 三号, 四则 三级: too narrow", { 10, 3, 5, 20, 3, 3 }, 0,
            u"五列放不下三号字，打印时用五号"_s, 3);
        row("5 列 三号, 整页 60 行: rows raised", { 1, 1, 5, 60, 3, 1 }, 0,
            u"整页60行放不下三号字，打印时用五号、每页47行"_s);
    }

    // Pages take whole rows in order, as many as fit, between header and footer; one size for
    // the whole sheet, never below 五号: every line with the room for the longest answer fits
    // its column, and half a point more would not. Columns that cannot hold the lines at 五号
    // give way to the most that can.
    void printedLayouts()
    {
        QFETCH(QList<int>, sheet);
        QFETCH(int, pages);
        QFETCH(QString, note);
        QFETCH(int, fitting);
        const int font = sheet[4];
        auto [printedSheet, choices]
            = printed(5, sheet[0], sheet[1], sheet[2], sheet[3], font, sheet[5]);
        const auto documentWith
            = [&, &printedSheet = printedSheet, &choices = choices](int columns) {
                  Worksheet narrower = printedSheet;
                  narrower.setColumns(qint16(columns));
                  return questionDocument(narrower, choices, u"T"_s);
              };
        SheetDocument document = documentWith(sheet[2]);
        SheetLayout layout = SheetLayout::compute(document);
        QCOMPARE(printedSizeNote(layout, choices), note);
        QCOMPARE(layout.overflows, fitting > 0);
        QCOMPARE(columnsThatFit(documentWith, sheet[2]), fitting > 0 ? fitting : sheet[2]);
        if (fitting > 0) {
            printedSheet.setColumns(qint16(fitting));
            document = documentWith(fitting);
            layout = SheetLayout::compute(document);
            QVERIFY(SheetLayout::compute(documentWith(fitting + 1)).overflows);
        }
        QVERIFY(pages == 0 || layout.pageCount() == pages);
        int next = 0;
        for (const SheetLayout::Page &page : layout.pages) {
            QCOMPARE(page.firstRow, next);
            QVERIFY(page.rowCount * layout.rowHeight <= layout.gridRect.height() + 1e-6);
            next += page.rowCount;
        }
        QCOMPARE(next, printedSheet.rowCount());
        if (layout.pageCount() > 1)
            QVERIFY(
                (layout.pages.first().rowCount + 1) * layout.rowHeight > layout.gridRect.height());
        QVERIFY(layout.gridRect.top() >= layout.headerRect.bottom());
        QVERIFY(layout.gridRect.bottom() <= layout.footerRect.top());
        QVERIFY(SheetLayout::printableRect().contains(layout.headerRect | layout.footerRect));

        QVERIFY(layout.cellPoints >= SheetLayout::kFloorPoints);
        QCOMPARE(layout.cellPoints == sheetformat::fontPoints(qint16(font)), note.isEmpty());
        const QFontMetricsF metrics(layout.cellFont());
        constexpr double kFiveMm = 5 * 1440 / 25.4;
        QVERIFY(layout.answerRoom >= 2.5 * metrics.horizontalAdvance(u'0'));
        for (const QString &line : printedSheet.lines()) {
            const QuestionParts parts = splitQuestionLine(line);
            QVERIFY(layout.answerRoom >= parts.answer.size() * kFiveMm - 1e-6);
            QVERIFY2(
                metrics.horizontalAdvance(parts.question) + layout.answerRoom <= layout.textWidth(),
                qPrintable(line));
        }
        QVERIFY(metrics.height() <= layout.rowHeight);
        if (!note.isEmpty() && layout.cellPoints > SheetLayout::kFloorPoints) {
            document.cellPoints = layout.cellPoints + 0.5;
            QVERIFY(SheetLayout::compute(document).limit != SheetLayout::Limit::None);
        }
    }

    void nothingDrawnInTheMarginsOrAnswerRoom()
    {
        // The largest font must shrink to fit five columns of type 10.
        const auto [sheet, choices] = printed(9, 10, 3, 5, 40, 5);
        const SheetPainter painter(
            questionDocument(sheet, choices, sheetTitle(u"【题型】"_s, 10, 3, 200)));

        const qreal dpi = 100;
        const auto toImage = [dpi](const QRectF &twips) {
            return QRectF(twips.topLeft() * dpi / 1440, twips.size() * dpi / 1440);
        };
        QImage image(int(SheetLayout::kPaperWidth * dpi / 1440),
            int(SheetLayout::kPaperHeight * dpi / 1440), QImage::Format_RGB32);
        const SheetLayout &layout = painter.layout();
        const QRect inside = toImage(layout.headerRect | layout.footerRect).toAlignedRect();
        for (int page = 0; page < painter.pageCount(); ++page) {
            image.fill(Qt::white);
            QPainter p(&image);
            painter.paintPage(p, page, dpi, dpi);
            p.end();
            // The room after each line stays blank, up to the next column's text.
            QList<QRect> answerRooms;
            for (int row = 0; row < layout.pages.at(page).rowCount; ++row) {
                for (int column = 0; column < layout.columns; ++column) {
                    const QRectF cell = layout.cellRect(row, column);
                    answerRooms << toImage(
                        cell.adjusted(cell.width() - SheetLayout::kCellPadding - layout.answerRoom,
                            0, SheetLayout::kCellPadding, 0))
                                       .toRect();
                }
            }
            int inked = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    if (image.pixel(x, y) == qRgb(255, 255, 255))
                        continue;
                    const QString where = u"page %1 ink at %2,%3"_s.arg(page).arg(x).arg(y);
                    QVERIFY2(inside.contains(x, y), qPrintable(where));
                    for (const QRect &room : std::as_const(answerRooms))
                        QVERIFY2(!room.contains(x, y), qPrintable(where));
                    ++inked;
                }
            }
            QVERIFY(inked > 1000);
        }
    }

    // A 竖式 answer read back from its PDF's text: every digit a glyph of its own in its square,
    // the squares at least 7 mm apart, the quotient's digits over the dividend's.
    void columnFormDigitsReadBack()
    {
        SheetDocument document;
        document.vertical = document.showsWorking = true;
        document.rows = { { u"408 ÷ 4 ＝ 102"_s } };
        document.columns = 1;
        document.columnWidthTwips = sheetformat::columnWidthTwips(2);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"竖式.pdf"_s);
        QString error;
        QVERIFY2(writeSheetPdf(document, path, &error), qPrintable(error));
        const QString words = QString::fromUtf8(
            readback::output(QStringLiteral(QRTA_PDFTOTEXT), { u"-bbox"_s, path, u"-"_s }));
        static const QRegularExpression word(
            uR"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">(\d)<)re"_s);
        QMap<int, QMap<double, QString>> rows; // by the top in points, then the centre
        for (auto it = word.globalMatch(words); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            rows[qRound(m.captured(2).toDouble())].insert(
                (m.captured(1).toDouble() + m.captured(3).toDouble()) / 2, m.captured(4));
        }
        QStringList read;
        for (const auto &row : std::as_const(rows))
            read << row.values().join(QString());
        // The line's one-digit number, then the squares row by row.
        QCOMPARE(
            read, (QStringList { u"4"_s, u"102"_s, u"4408"_s, u"4"_s, u"8"_s, u"8"_s, u"0"_s }));
        const QList<double> quotient = rows.values().at(1).keys();
        const QList<double> dividend = rows.values().at(2).keys().mid(1);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(qRound(quotient[i] * 10), qRound(dividend[i] * 10));
        QVERIFY(dividend[1] - dividend[0] >= 7 / 25.4 * 72);
    }

    // A 竖式 answer sheet's cells stand where the question sheet's do, whatever columns were
    // asked for: its longer lines print smaller rather than push a cell to the next row.
    void columnFormSheetsAlign()
    {
        SeededRandom rnd(4);
        QuestionMaker maker(rnd);
        const QDateTime now(QDate(2026, 12, 8), QTime(9, 0));
        for (const qint16 type : { 1, 2, 3, 4, 5, 7 }) {
            for (qint16 columns = 2; columns <= 5; ++columns) {
                Worksheet sheet = Worksheet::generate(maker, type, 5, columns, 4, now);
                sheet.setVertical(true);
                SheetChoices choices;
                choices.columns = columns;
                const FittedSheet questions = fittedToFloor(questionDocument(sheet, choices, {}));
                const FittedSheet answers = fittedToFloor(answerDocument(sheet, 5, now));
                QCOMPARE(answers.document.columns, questions.document.columns);
                QCOMPARE(answers.layout.rowHeight, questions.layout.rowHeight);
            }
        }
    }

    void pdfWholeOrNothing()
    {
        const auto [sheet, choices] = printed(2, 2, 3, 3, 60);
        const SheetDocument document = questionDocument(sheet, choices, u"标题"_s);

        QTemporaryDir dir;
        QString error;
        const QString good = dir.filePath(u"q.pdf"_s);
        QVERIFY2(writeSheetPdf(document, good, &error), qPrintable(error));
        QFile file(good);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        // Its text as printed: the title and every question, ready for the answer.
        const QString text = readback::pdfText(good);
        QVERIFY2(text.startsWith(u"标题"_s), qPrintable(text.left(100)));
        for (const QString &line : sheet.lines())
            QVERIFY2(text.contains(readback::unspaced(line.section(u'＝', 0, 0) + u'＝')),
                qPrintable(line));

        // Stopped after its first page, a writing leaves the file it would have
        // replaced as it was, and nothing beside it.
        QVERIFY(SheetPainter(document).pageCount() > 1);
        QVERIFY(!writeSheetsPdf(
            { document }, good, &error, {}, [](int done, int) { return done < 2; }));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QFile kept(good);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), pdf);
        QCOMPARE(
            QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { u"q.pdf"_s });
    }
};

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
