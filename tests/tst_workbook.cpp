#include "children/gradebook.h"
#include "quiz/testsession.h"
#include "worksheet/sheetworkbook.h"
#include "worksheet/worksheet.h"

#include "support/readback.h"
#include "support/testdata.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime kMoment(QDate(2011, 8, 30), QTime(6, 36, 48));

// Rows of a sheet as a person lays the lines out: left to right, then down;
// question cells end at the first "＝".
QList<QStringList> layOut(const QStringList &lines, int columns, bool questions)
{
    QList<QStringList> rows;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i % columns == 0)
            rows << QStringList(columns, QString());
        const QString &line = lines.at(i);
        const qsizetype equals = line.indexOf(u'＝');
        rows.last()[i % columns] = questions && equals >= 0 ? line.left(equals + 1) : line;
    }
    return rows;
}

// One worksheet of the dump against what it should show. The answer sheet has
// nothing merged and an empty A1.
void checkSheet(const QJsonObject &sheet, const QString &name, bool questions, const QString &title,
    int columns, const QList<QStringList> &rows)
{
    QCOMPARE(sheet.value(u"name"_s).toString(), name);
    const QString merged = u"A1:%1%2"_s.arg(QChar(u'A' + columns - 1)).arg(1);
    QCOMPARE(sheet.value(u"merged"_s).toArray(), questions ? QJsonArray { merged } : QJsonArray());

    const QJsonArray columnStyles = sheet.value(u"columns"_s).toArray();
    QCOMPARE(columnStyles.size(), columns);
    for (const QJsonValue &column : columnStyles) {
        // 76 / columns, rounded half to even.
        QCOMPARE(column[u"width"_s].toDouble(), (QList { 38.0, 25.0, 19.0, 15.0 }.at(columns - 2)));
        QCOMPARE(column[u"format"_s].toString(), u"@"_s);
        QVERIFY(column[u"horizontal"_s].isNull()); // general
        QCOMPARE(column[u"fontName"_s].toString(), QString::fromLatin1(kWorkbookFontName));
    }

    QJsonArray heights { 25.0 };
    for (qsizetype row = 0; row < rows.size(); ++row)
        heights << 20.0;
    QCOMPARE(sheet.value(u"rowHeights"_s).toArray(), heights);

    const QJsonArray cells = sheet.value(u"cells"_s).toArray();
    QCOMPARE(cells.size(), rows.size() + 1);
    const QJsonObject a1 = cells.at(0)[0].toObject();
    QCOMPARE(a1[u"value"_s].toString(), title);
    QCOMPARE(a1[u"value"_s].isNull(), title.isEmpty());
    QCOMPARE(a1[u"format"_s].toString(), u"@"_s);
    QCOMPARE(a1[u"horizontal"_s].toString(), u"center"_s);
    QCOMPARE(a1[u"vertical"_s].toString(), u"center"_s);
    QCOMPARE(a1[u"fontSize"_s].toDouble(), 12.0);
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const QJsonArray found = cells.at(row + 1).toArray();
        QCOMPARE(found.size(), columns);
        for (int column = 0; column < columns; ++column) {
            const QJsonObject cell = found.at(column).toObject();
            const QString expected = rows.at(row).at(column);
            QCOMPARE(cell[u"value"_s].isNull(), expected.isEmpty());
            if (expected.isEmpty())
                continue;
            QCOMPARE(cell[u"value"_s].toString(), expected);
            QCOMPARE(cell[u"type"_s].toString(), u"s"_s);
            QCOMPARE(cell[u"format"_s].toString(), u"@"_s);
        }
    }
}

} // namespace

class TestWorkbook : public QObject
{
    Q_OBJECT

private slots:
    void handMadeSheets_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>(
            "copies"); // written as a class set, a question and an answer sheet each
        QTest::newRow("two columns, one question, no title")
            << 2 << 1 << QStringList { u" 5 ＋  3 ＝  8"_s } << QString() << 1;
        // Lines a spreadsheet program would take for a formula, a date or a
        // number if they were not kept as text.
        QTest::newRow("seven questions in three columns")
            << 3 << 3
            << QStringList { u"=1+2 ＝ 3"_s, u"3/4 ＝ 0.75"_s, u"007"_s, u"2011-08-30"_s,
                   u"1E5 ＝ 100000"_s, u"TRUE ＝ 1"_s, u"  12 ＝ 12  "_s }
            << u"=SUM(A2:C4)"_s << 1;
        QTest::newRow("five columns, one short of a row")
            << 5 << 2
            << QStringList { u"(1＋2)×3 ＝ 9"_s, u"1 ＋ 1 ＝ 2"_s, u"-1"_s, u"10 ÷ 2 ＝ 5"_s }
            << u"【A + B】〖一级〗"_s << 3;
    }

    void handMadeSheets()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(QStringList, lines);
        QFETCH(QString, title);
        QFETCH(int, copies);

        // Each copy a second later, so that each has a number of its own; an older file of the
        // same name is replaced, and nothing else is left beside it.
        QList<TitledSheet> set;
        for (int copy = 0; copy < copies; ++copy) {
            qsizetype next = 0;
            set.append({ Worksheet::generate([&] { return lines.at(next++ % lines.size()); }, 1, 1,
                             qint16(columns), qint16(rows), kMoment.addSecs(copy)),
                title });
            QCOMPARE(set.last().sheet.lines(), lines);
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(u"卷子.xlsx"_s);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("an older file") > 0);
        old.close();
        QString error;
        QVERIFY2(copies == 1 ? writeSheetWorkbook(set[0].sheet, title, path, &error)
                             : writeSheetWorkbook(set, path, &error),
            qPrintable(error));
        QCOMPARE(error, QString());
        const QJsonArray sheets = readback::workbookSheets(path);
        QCOMPARE(sheets.size(), 2 * copies);
        for (int copy = 0; copy < copies; ++copy) {
            const QString number = set[copy].sheet.number();
            checkSheet(sheets.at(2 * copy).toObject(), number, true, title, columns,
                layOut(lines, columns, true));
            checkSheet(sheets.at(2 * copy + 1).toObject(), number + u"(答案)"_s, false, QString(),
                columns, layOut(lines, columns, false));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList { u"卷子.xlsx"_s });
    }

    // A class's gradebook read back by another program: a row for each pupil in list order,
    // a column for each marked test any of them has, "right/total" where a pupil has it and
    // nothing where not; then each pupil's share right of every type.
    void gradebookOfAClass()
    {
        TestData d;
        const QDateTime monday(QDate(2026, 12, 7), QTime(9, 0));
        QList<Child> pupils;
        for (const QString &name : { u"王小明"_s, u"李华"_s, u"张三"_s })
            pupils << childlist::add(d.db(), name, u"二班"_s);
        childlist::add(d.db(), u"邻班的"_s, u"三班"_s);
        // Pupil, type, day, wrong answers.
        const auto take = [&](int pupil, qint16 type, int day, int wrong) {
            TestSession session(d.db(), d.settings());
            session.setChild(pupils[pupil].id);
            session.generate(d.maker, type, 1, 10, monday.addDays(day));
            session.confirm();
            session.setElapsed(60 + day);
            for (int i = 0; i < 10; ++i)
                session.recordAnswer(i, i < wrong ? u"9999"_s : session.items()[i].answer);
            QVERIFY(session.mark().complete);
        };
        take(0, 1, 0, 2);
        take(1, 1, 0, 0);
        take(1, 3, 1, 5);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"成绩.xlsx"_s);
        const auto readBack = [&](const QList<ResultTable> &tables) {
            QString error;
            if (!writeResultTables(tables, path, &error))
                qWarning() << error;
            QStringList read;
            for (const QJsonValue &sheet : readback::workbookSheets(path)) {
                read << sheet[u"name"].toString();
                for (const QJsonValue &row : sheet[u"cells"].toArray()) {
                    QStringList cells;
                    for (const QJsonValue &cell : row.toArray())
                        cells << cell[u"value"].toVariant().toString();
                    read << cells.join(u'|');
                }
            }
            return read;
        };
        QCOMPARE(readBack(Gradebook::of(d.db(), u"二班"_s).tables()),
            (QStringList { u"成绩"_s, u"姓名|12月7日 A + B 一级|12月8日 A ± B 一级"_s,
                u"王小明|8/10|"_s, u"李华|10/10|5/10"_s, u"张三||"_s, u"各题型正确率"_s,
                u"姓名|A + B（%）|A ± B（%）"_s, u"王小明|80|"_s, u"李华|100|50"_s, u"张三||"_s }));
        // A family's export: one child's history, oldest first, and its shares.
        QCOMPARE(readBack(ChildHistory::of(d.db(), pupils[1]).tables()),
            (QStringList { u"测试记录"_s, u"日期|题型|难度|成绩|正确率（%）|用时"_s,
                u"12月7日|A + B|一级|10/10|100|00:01:00"_s,
                u"12月8日|A ± B|一级|5/10|50|00:01:01"_s, u"各题型正确率"_s,
                u"题型|答对|题数|正确率（%）"_s, u"A + B|10|10|100"_s, u"A ± B|5|10|50"_s }));
    }
};

QTEST_MAIN(TestWorkbook)
#include "tst_workbook.moc"
