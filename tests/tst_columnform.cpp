#include "worksheet/columnform.h"

#include "generate/questionmaker.h"
#include "generate/randomsource.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A form as text, a row of the grid a line: each square's glyph (operators as + - x), then
// "|" and what is small in each square (a carry digit, "." for a borrowing dot). A rule is a
// line of its own under its row, "-" under each square it runs across; long division's
// bracket a line of "_" over the dividend, with ")" in the square left of it.
QStringList picture(const ColumnForm &form, bool working)
{
    const QString blank(form.columns, u' ');
    QList<QString> main(form.rows, blank), marks(form.rows, blank), rules(form.rows),
        brackets(form.rows);
    for (const ColumnGlyph &glyph : form.glyphs) {
        if (glyph.working && !working)
            continue;
        switch (glyph.kind) {
        case ColumnGlyph::Kind::Digit:
            main[glyph.row][glyph.column] = glyph.text;
            break;
        case ColumnGlyph::Kind::Operator:
            main[glyph.row][glyph.column] = glyph.text == u'＋' ? u'+'
                : glyph.text == u'－'                           ? u'-'
                                                                : u'x';
            break;
        case ColumnGlyph::Kind::Carry:
            marks[glyph.row][glyph.column] = glyph.text;
            break;
        case ColumnGlyph::Kind::BorrowDot:
            marks[glyph.row][glyph.column] = u'.';
            break;
        case ColumnGlyph::Kind::Rule:
            if (rules[glyph.row].isEmpty())
                rules[glyph.row] = blank;
            rules[glyph.row].replace(glyph.column, glyph.span, QString(glyph.span, u'-'));
            break;
        case ColumnGlyph::Kind::Bracket:
            brackets[glyph.row] = blank;
            brackets[glyph.row].replace(glyph.column, glyph.span, QString(glyph.span, u'_'));
            main[glyph.row][glyph.column - 1] = u')';
            break;
        }
    }
    QStringList lines;
    for (int row = 0; row < form.rows; ++row) {
        if (!brackets[row].isEmpty())
            lines << brackets[row];
        lines << main[row] + u'|' + marks[row];
        if (!rules[row].isEmpty())
            lines << rules[row];
    }
    return lines;
}

} // namespace

class TestColumnForm : public QObject
{
    Q_OBJECT

private slots:
    // Each form as the answer sheet draws it, working and all.
    void answerSheetForms_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("picture");
        QTest::newRow("carries across three columns")
            << u"999 ＋ 1 ＝ 1000"_s
            << QStringList { u"  999|     "_s, u"+   1| 111 "_s, u"-----"_s, u" 1000|     "_s };
        QTest::newRow("borrowing across zeros")
            << u"1000 － 1 ＝ 999"_s
            << QStringList { u" 1000| ... "_s, u"-   1|     "_s, u"-----"_s, u"  999|     "_s };
        QTest::newRow("two steps, a borrow then a carry")
            << u"45 － 17 ＋ 8 ＝"_s
            << QStringList { u"  45|  . "_s, u"- 17|    "_s, u"----"_s, u"  28|    "_s,
                   u"+  8|  1 "_s, u"----"_s, u"  36|    "_s };
        QTest::newRow("a lower factor ending in zero")
            << u"36 × 40 ＝ 1440"_s
            << QStringList { u"   36|     "_s, u"x  40|     "_s, u"-----"_s, u"    0|     "_s,
                   u" 144 |     "_s, u"-----"_s, u" 1440|     "_s };
        QTest::newRow("the longer factor on top")
            << u"36 × 204 ＝"_s
            << QStringList { u"   204|      "_s, u"x   36|      "_s, u"------"_s,
                   u"  1224|      "_s, u"  612 |      "_s, u"------"_s, u"  7344|      "_s };
        QTest::newRow("one-digit lower factor, no partial products")
            << u"7 × 8 ＝ 56"_s
            << QStringList { u"  7|   "_s, u"x 8|   "_s, u"---"_s, u" 56|   "_s };
        QTest::newRow("a zero in the middle of the quotient")
            << u"408 ÷ 4 ＝ 102"_s
            << QStringList { u"  102|     "_s, u"  ___"_s, u"4)408|     "_s, u"  4  |     "_s,
                   u"  -  "_s, u"    8|     "_s, u"    8|     "_s, u"    -"_s, u"    0|     "_s,
                   u"     |     "_s, u"     |     "_s };
        QTest::newRow("a zero at the end of the quotient")
            << u"120 ÷ 3 ＝ 40"_s
            << QStringList { u"   40|     "_s, u"  ___"_s, u"3)120|     "_s, u"  12 |     "_s,
                   u"  -- "_s, u"    0|     "_s, u"     |     "_s, u"     |     "_s,
                   u"     |     "_s, u"     |     "_s };
        QTest::newRow("a two-digit divisor")
            << u"4851 ÷ 99 ＝ 49"_s
            << QStringList { u"     49|       "_s, u"   ____"_s, u"99)4851|       "_s,
                   u"   396 |       "_s, u"   --- "_s, u"    891|       "_s, u"    891|       "_s,
                   u"    ---"_s, u"      0|       "_s, u"       |       "_s, u"       |       "_s };
    }

    void answerSheetForms()
    {
        QFETCH(QString, line);
        const std::optional<ColumnForm> form = columnform::of(line);
        QVERIFY(form);
        QTEST(picture(*form, true), "picture");
        QCOMPARE(form->line, line);
    }

    // The question sheet shows the numbers and nothing of the result: the squares are as many
    // as such numbers could need, whatever the answer.
    void questionSheetGivesNothingAway()
    {
        const std::optional<ColumnForm> carries = columnform::of(u"999 ＋ 1 ＝"_s);
        const std::optional<ColumnForm> none = columnform::of(u"100 ＋ 1 ＝"_s);
        QVERIFY(carries && none);
        QCOMPARE(picture(*carries, false),
            (QStringList { u"  999|     "_s, u"+   1|     "_s, u"-----"_s, u"     |     "_s }));
        QCOMPARE(picture(*none, false).size(), picture(*carries, false).size());
        QCOMPARE(none->columns, carries->columns);
        const std::optional<ColumnForm> twoSteps = columnform::of(u"4851 ÷ 99 ＝"_s);
        const std::optional<ColumnForm> oneStep = columnform::of(u"1980 ÷ 99 ＝"_s);
        QVERIFY(twoSteps && oneStep);
        QCOMPARE(oneStep->rows, twoSteps->rows);
        // Nor do the rules of the steps: only the working draws them.
        for (const QString &line : { u"4851 ÷ 99 ＝"_s, u"36 × 204 ＝"_s }) {
            const QStringList question = picture(*columnform::of(line), false);
            QVERIFY2(question.filter(u"-"_s).size() <= 1, qPrintable(question.join(u'/')));
        }
    }

    // Every question the program makes of the types taught in columns has its form, at
    // every level, carrying or not.
    void everyMadeQuestionHasAForm()
    {
        SeededRandom rnd(5);
        QuestionMaker maker(rnd);
        for (const qint16 type : { 1, 2, 3, 4, 5, 7 }) {
            for (qint16 level = 1; level <= 5; ++level) {
                for (int i = 0; i < 300; ++i) {
                    const QString line = maker.make(QuestionForm { type, level });
                    QVERIFY2(columnform::of(line), qPrintable(line));
                }
            }
        }
    }

    void linesWithoutAForm_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("a partial result below zero") << u"5 － 8 ＋ 9 ＝ 6"_s;
        QTest::newRow("mixed operations") << u"3 ＋ 4 × 2 ＝ 11"_s;
        QTest::newRow("brackets") << u"(3 ＋ 4) × 2 ＝ 14"_s;
        QTest::newRow("a division with a remainder") << u"7 ÷ 2 ＝"_s;
        QTest::newRow("by zero") << u"7 ÷ 0 ＝"_s;
        QTest::newRow("a blank for a number") << u"3 ＋ （　） ＝ 7"_s;
        QTest::newRow("no equals sign") << u"3 ＋ 4"_s;
    }

    void linesWithoutAForm()
    {
        QFETCH(QString, line);
        QVERIFY(!columnform::of(line));
    }
};

QTEST_APPLESS_MAIN(TestColumnForm)
#include "tst_columnform.moc"
