#include "game24/puzzletable.h"
#include "generate/randomsource.h"
#include "store/database.h"
#include "store/datafile.h"
#include "store/settingscodec.h"
#include "support/arithmetic.h"
#include "support/reaches24.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

QString handKey(QList<qint64> numbers)
{
    std::sort(numbers.begin(), numbers.end());
    QStringList parts;
    for (qint64 n : numbers)
        parts << QString::number(n);
    return parts.join(u',');
}

} // namespace

class TestPuzzles : public QObject
{
    Q_OBJECT

private slots:
    void storedTableIsCompleteAndRight();
};

void TestPuzzles::storedTableIsCompleteAndRight()
{
    QSet<QString> solvable;
    for (long a = 1; a <= 13; ++a)
        for (long b = a; b <= 13; ++b)
            for (long c = b; c <= 13; ++c)
                for (long d = c; d <= 13; ++d)
                    if (reaches24({ a, b, c, d }))
                        solvable.insert(handKey({ a, b, c, d }));

    QTemporaryDir dir;
    auto db = datafile::open(dir.filePath(u"QRTA.dat"_s));
    Statement rows = db->prepare("SELECT a24_id, a24_nd, a24_pl, a24_sjs, a24_n1, a24_n2, a24_n3,"
                                 " a24_n4, a24_da FROM tab_24 ORDER BY a24_id");
    QSet<QString> stored;
    int perLevel[6] = {};
    qint64 expectedId = 1;
    while (rows.next()) {
        QCOMPARE(rows.integer(0), expectedId++);
        const qint64 level = rows.integer(1);
        QVERIFY(level >= 1 && level <= 5);
        ++perLevel[level];
        QCOMPARE(rows.integer(2), 0);
        QVERIFY(rows.integer(3) >= 0 && rows.integer(3) <= 999);
        const QList<qint64> numbers { rows.integer(4), rows.integer(5), rows.integer(6),
            rows.integer(7) };
        const QString key = handKey(numbers);
        QVERIFY2(!stored.contains(key), qPrintable(u"stored twice: "_s + key));
        stored.insert(key);

        // The worked answer uses the four numbers once and reaches 24 in
        // whole-number steps.
        const QString answer = settingscodec::decode(rows.text(8), 2, game24::answerSalt());
        const Evaluation e = ExpressionEvaluator::evaluate(answer);
        QVERIFY2(e.parsed && e.exactDivisions && e.value == 24, qPrintable(key + u": "_s + answer));
        QCOMPARE(handKey(e.numbers), key);
    }
    QCOMPARE(stored, solvable);
    const int total = int(stored.size());
    for (int level = 1; level <= 5; ++level)
        QVERIFY2(qAbs(perLevel[level] - total / 5) <= 1,
            qPrintable(u"level %1 has %2 of %3"_s.arg(level).arg(perLevel[level]).arg(total)));
}

QTEST_GUILESS_MAIN(TestPuzzles)
#include "tst_puzzles.moc"
