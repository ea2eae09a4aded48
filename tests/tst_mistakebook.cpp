#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "store/database.h"
#include "store/datafile.h"
#include "store/migrations.h"
#include "store/settings.h"
#include "test/mistakebook.h"
#include "test/testsession.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QString path = dir.filePath(u"QRTA.dat"_s);
    std::unique_ptr<Database> db = datafile::open(path);
    Settings settings { *db, processRandom() };
    SeededRandom rnd { 23 };
    QuestionMaker maker { rnd };

    Fixture() { settings.load(); }

    // A marked test of type 5 level 2 with the items at the given positions
    // answered wrong; returns the questions answered wrong.
    QStringList takeTest(const QList<int> &wrongPositions)
    {
        TestSession session(*db, settings);
        session.generate(maker, 5, 2, 10, QDateTime::currentDateTime());
        session.confirm();
        QStringList wrong;
        for (int i = 0; i < session.items().size(); ++i) {
            const TestItem &item = session.items()[i];
            const bool isWrong = wrongPositions.contains(i + 1);
            if (isWrong)
                wrong << item.question;
            session.recordAnswer(i, isWrong ? item.answer + u"9"_s : item.answer);
        }
        session.mark();
        return wrong;
    }
};

} // namespace

class TestMistakeBook : public QObject
{
    Q_OBJECT

private slots:
    void masteryRule();
    void markingFeedsTheBook();
    void olderFileGainsTheBook();
};

void TestMistakeBook::masteryRule()
{
    Fixture f;
    MistakeBook book(*f.db);
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

void TestMistakeBook::markingFeedsTheBook()
{
    Fixture f;
    const QStringList wrong = f.takeTest({ 2, 5, 9 });
    const QList<Mistake> book = MistakeBook(*f.db).toLearn();
    QStringList inBook;
    for (const Mistake &m : book) {
        inBook << m.question;
        QCOMPARE(m.type, qint16(5));
        QCOMPARE(m.level, qint16(2));
        QVERIFY(!m.answer.isEmpty());
    }
    std::sort(inBook.begin(), inBook.end());
    QStringList expected = wrong;
    expected.removeDuplicates();
    std::sort(expected.begin(), expected.end());
    QCOMPARE(inBook, expected);
}

void TestMistakeBook::olderFileGainsTheBook()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"QRTA.dat"_s);
    QString number;
    {
        // A file as the program wrote it before the book existed.
        auto db = datafile::open(path);
        Settings settings(*db, processRandom());
        settings.load();
        SeededRandom rnd(1);
        QuestionMaker maker(rnd);
        TestSession session(*db, settings);
        session.generate(maker, 2, 1, 10, QDateTime::currentDateTime());
        session.confirm();
        number = session.number();
        db->exec("DROP TABLE tab_ctb");
        db->exec("PRAGMA user_version = 0");
    }
    {
        auto db = datafile::open(path);
        QCOMPARE(migrations::versionOf(*db), migrations::kCurrentVersion);
        MistakeBook(*db).recordMarked({}, 1, 1, QDateTime::currentDateTime());
        Statement tests = db->prepare("SELECT count(*) FROM tab_test_mx WHERE mx_bh = ?");
        tests.bind(1, number);
        tests.next();
        QCOMPARE(tests.integer(0), 10);
        db->exec("INSERT INTO tab_ctb (ctb_mc, ctb_daan) VALUES ('x', '1')");
    }
    // The second open finds the file current and changes nothing.
    auto db = datafile::open(path);
    Statement book = db->prepare("SELECT count(*) FROM tab_ctb");
    book.next();
    QCOMPARE(book.integer(0), 1);
}

QTEST_GUILESS_MAIN(TestMistakeBook)
#include "tst_mistakebook.moc"
