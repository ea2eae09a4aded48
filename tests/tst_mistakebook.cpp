#include "support/testdata.h"

#include "store/datafile.h"
#include "store/migrations.h"
#include "quiz/mistakebook.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestMistakeBook : public QObject
{
    Q_OBJECT

private slots:
    void masteryRule();
    void markingFeedsTheBook();
    void practiceRunsAreTestsThatCountTowardsLearning();
    void olderFileGainsTheBook();
};

void TestMistakeBook::masteryRule()
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

void TestMistakeBook::markingFeedsTheBook()
{
    TestData d;
    const QString number = d.store({ .type = 5, .level = 2, .wrong = { 1, 4, 8 } });
    QStringList wrong;
    for (const TestItem &item : loadTestItems(d.db(), number, ItemOrder::Question)) {
        if (item.error == 1)
            wrong << item.question;
    }
    QCOMPARE(wrong.size(), 3);
    QStringList inBook;
    for (const Mistake &m : MistakeBook(d.db()).toLearn()) {
        inBook << m.question;
        QCOMPARE(m.type, qint16(5));
        QCOMPARE(m.level, qint16(2));
        QVERIFY(!m.answer.isEmpty());
    }
    wrong.removeDuplicates();
    wrong.sort();
    inBook.sort();
    QCOMPARE(inBook, wrong);
}

void TestMistakeBook::practiceRunsAreTestsThatCountTowardsLearning()
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

void TestMistakeBook::olderFileGainsTheBook()
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

QTEST_GUILESS_MAIN(TestMistakeBook)
#include "tst_mistakebook.moc"
