#pragma once

#include "testchoices.h"
#include "testitem.h"

#include "generate/questionform.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

class Database;
class QuestionMaker;
class Settings;
struct Mistake;

// The result of handing a test in.
struct MarkResult
{
    bool complete = false; // false: some item is unanswered, nothing was marked
    int wrong = 0;
    QString timeText; // "hh:mm:ss"
};

// One on-screen test, from generation to marking. Nothing reaches the data
// file before confirm(); after it, every answer is written the moment it is
// recorded, so a crash loses at most the answer being typed.
class TestSession
{
public:
    static constexpr int kMaxSeconds = 10800; // the clock stops at three hours
    // A running clock is written to the file this often, so that a crash loses little time.
    static constexpr int kSaveEverySeconds = 10;

    // Where the questions came from: made on screen, the wrong-answer book's practice, or a
    // sheet written on paper and photographed.
    enum class Origin { Screen, Practice, PhotographedSheet };
    // Made but not stored yet; stored and being answered; handed in and marked.
    enum class State { NotStarted, Running, Marked };

    TestSession(Database &db, Settings &settings);

    // A new test of count questions, kept in memory only; calling it again
    // replaces the questions and the number.
    void generate(QuestionMaker &maker, qint16 type, qint16 level, int count, const QDateTime &now)
    {
        generate(maker, QuestionForm { type, level }, count, now);
    }
    // The same with questions of a form; a blank question keeps its blank in the question
    // and the number that fills it as the answer.
    void generate(QuestionMaker &maker, const QuestionForm &form, int count, const QDateTime &now);
    // A practice test of questions from the wrong-answer book, in the order
    // given; it is kept like any test, named "错题重练" and numbered with type 00.
    void generatePractice(const QList<Mistake> &mistakes, const QDateTime &now);
    // A sheet written on paper and photographed: its questions under the sheet's number, the
    // type and level named as the records show them. It is stored as it is (never renumbered)
    // and leaves the test window's choices alone. Its questions' own types and levels, which a
    // mixed sheet's differ in, go with its wrong answers into the book.
    void takeSheet(const QString &number, const QString &typeName, const QString &levelName,
        const QList<TestItem> &items);
    Origin origin() const { return m_origin; }
    State state() const;
    bool isPractice() const { return m_origin == Origin::Practice; }
    static QString practiceName(); // "错题重练"
    // What a test of the type is called in titles: "①〖A+B〗" …, the practice name for 0.
    static QString typeLabel(qint16 type);
    // What this test is called in titles: its type's label, or a photographed mixed sheet's
    // "综合练习".
    QString label() const;

    // The child the test is stored for; the first child unless set.
    void setChild(qint64 child) { m_child = child; }
    // Stores the choices, the header and every item in one transaction.
    void confirm();
    // Loads an unfinished or marked test; false when no such test exists.
    bool resume(const QString &number);

    void recordAnswer(int index, const QString &digits);
    // One more second on the clock; false once it has stopped. A photographed sheet has no
    // clock: the child's time was spent on paper, and a parent's typing is not the child's.
    bool tick();
    // Whether the clock has run long enough since it was last saved to be saved now.
    bool clockSaveDue() const;
    void saveElapsed();
    // Leaving a running test: every answer and the clock, in one transaction.
    void leave();
    // Hands the test in; items are reordered wrong first when any are wrong. A marked test
    // is not handed in again.
    MarkResult mark();

    const QString &number() const { return m_number; }
    qint16 type() const { return m_type; }
    qint16 level() const { return m_level; }
    int elapsed() const { return m_elapsed; }
    void setElapsed(int seconds);
    bool isConfirmed() const { return m_confirmed; }
    bool isPhotographed() const { return m_origin == Origin::PhotographedSheet; }
    bool isMarked() const { return m_marked; }
    const QList<TestItem> &items() const { return m_items; }
    int answeredCount() const;
    // The first question not answered yet, where a test goes on; -1 when all are.
    int firstUnanswered() const;
    // How many were wrong, as marking found and the record keeps it; 0 before marking.
    int wrongCount() const { return m_wrong; }

private:
    // Forgets the test held: a new one of that origin, numbered number, begins.
    void begin(Origin origin, const QString &number, const QList<TestItem> &items);
    void writeAnswer(const TestItem &item);
    // The types and levels of a photographed sheet's questions, as its data file row keeps
    // them; false for a test made on screen.
    bool rememberSheetForms();

    Database &m_db;
    Settings &m_settings;
    QString m_number;
    qint16 m_type = 0;
    qint16 m_level = 0;
    Origin m_origin = Origin::Screen;
    std::optional<qint64> m_child;
    int m_elapsed = 0;
    int m_unsavedSeconds = 0;
    bool m_confirmed = false;
    bool m_marked = false;
    int m_wrong = 0;
    QList<TestItem> m_items;
    QString m_sheetTypeName, m_sheetLevelName; // of a photographed sheet
    QHash<int, QuestionForm> m_formOfPosition; // of a photographed sheet's questions
};
