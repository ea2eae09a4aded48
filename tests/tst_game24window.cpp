#include "game24card.h"
#include "game24window.h"
#include "hcommand.h"
#include "operationbutton.h"
#include "pictureview.h"

#include "shell/appcontext.h"
#include "store/database.h"
#include "store/settings.h"
#include "support/busydatafile.h"
#include "support/messagecatcher.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using Op = Board::Operation;
Q_DECLARE_METATYPE(Board::Operation)

namespace {

// Every puzzle of the level shows these numbers, so that a test knows what it is dealt.
void setNumbers(Database &db, int level, const QList<int> &numbers)
{
    Statement update = db.prepare(
        "UPDATE tab_24 SET a24_n1 = ?, a24_n2 = ?, a24_n3 = ?, a24_n4 = ? WHERE a24_nd = ?");
    for (int i = 0; i < 4; ++i)
        update.bind(i + 1, numbers.at(i));
    update.bind(5, level);
    update.run();
}

qint64 queryNumber(Database &db, const char *sql, qint64 value)
{
    Statement select = db.prepare(sql);
    select.bind(1, value);
    return select.next() ? select.integer(0) : -1;
}

// Clicks the card a move names, by its key: "rN" is the result of step N, a number the first
// number card still free that shows it.
void pressCard(Game24Window &window, const QString &move, Qt::KeyboardModifiers modifier)
{
    int card = -1;
    if (move.startsWith(u'r')) {
        card = 3 + move.mid(1).toInt();
    } else {
        for (int i = 0; i < 4 && card < 0; ++i) {
            if (window.board().caption(i) == move
                && window.board().state(i) == Board::CardState::Normal)
                card = i;
        }
    }
    QVERIFY2(card >= 0, qPrintable(move));
    QTest::keyClick(&window, Qt::Key(Qt::Key_1 + card), modifier);
}

void play(Game24Window &window, const QStringList &moves, Qt::KeyboardModifiers modifier)
{
    static const QHash<QString, Qt::Key> signs { { u"+"_s, Qt::Key_Plus },
        { u"-"_s, Qt::Key_Minus }, { u"*"_s, Qt::Key_Asterisk }, { u"/"_s, Qt::Key_Slash } };
    for (const QString &move : moves) {
        if (signs.contains(move))
            QTest::keyClick(&window, signs.value(move), modifier);
        else
            pressCard(window, move, modifier);
    }
}

} // namespace

class TestGame24Window : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void opensAtSavedLevelAndFollowsTheList_data();
    void opensAtSavedLevelAndFollowsTheList();
    void keysFromAnyControl_data();
    void keysFromAnyControl();
    void playedToTheEnd_data();
    void playedToTheEnd();
    void refusedDivision_data();
    void refusedDivision();
    void nextPuzzleAndAnswer();
    void clearStartsTheSamePuzzleAgain();
    void leavingSavesTheLevel_data();
    void leavingSavesTheLevel();
    void busyFileNeitherStopsTheGameNorLosesTheLevel();
    void emptyLevelDealsNothing();
    void hintsAndAllSolutions();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppContext> m_context;
};

void TestGame24Window::init()
{
    m_context.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    m_context = AppContext::open(m_dir->filePath(u"QRTA.dat"_s));
}

void TestGame24Window::opensAtSavedLevelAndFollowsTheList_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<int>("chosen");
    QTest::newRow("first start, then 5") << u"1"_s << 5;
    QTest::newRow("saved 4, then 2") << u"4"_s << 2;
    QTest::newRow("saved 3, then 1") << u"3"_s << 1;
}

void TestGame24Window::opensAtSavedLevelAndFollowsTheList()
{
    QFETCH(QString, saved);
    QFETCH(int, chosen);
    Database &db = m_context->database();
    m_context->settings().write(u"system_4"_s, saved);
    SeededRandom rnd(4);
    Game24Window window(*m_context, rnd);
    QCOMPARE(window.windowTitle(), u"24点口算游戏"_s);
    QCOMPARE(window.levelList()->count(), 5);
    QCOMPARE(window.levelList()->currentIndex(), saved.toInt() - 1);
    QCOMPARE(queryNumber(db, "SELECT a24_nd FROM tab_24 WHERE a24_id = ?", window.puzzleId()),
        saved.toInt());

    window.levelList()->setCurrentIndex(chosen - 1);
    QCOMPARE(window.deck().level(), chosen);
    QCOMPARE(
        queryNumber(db, "SELECT a24_nd FROM tab_24 WHERE a24_id = ?", window.puzzleId()), chosen);
    const qint64 count
        = queryNumber(db, "SELECT count(*) FROM tab_24 WHERE a24_pl = 0 AND a24_nd = ?", chosen);
    QCOMPARE(window.progressLabel()->text(), u"【 1 / %1 】"_s.arg(count));
    for (int card = 0; card < 4; ++card)
        QVERIFY(!window.card(card)->caption().isEmpty());
}

void TestGame24Window::keysFromAnyControl_data()
{
    QTest::addColumn<int>("target"); // 0 the window, 1 the level list, 2 the next button
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("chosen"); // -1: no card chosen
    QTest::addColumn<Op>("operation");
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("keypad 1") << 0 << int(Qt::Key_1) << keypad << 0 << Op::Subtract;
    QTest::newRow("keypad 4 on the list") << 1 << int(Qt::Key_4) << keypad << 3 << Op::Subtract;
    QTest::newRow("digit 2 on a button") << 2 << int(Qt::Key_2) << 0 << 1 << Op::Subtract;
    QTest::newRow("keypad 5: an empty result")
        << 0 << int(Qt::Key_5) << keypad << -1 << Op::Subtract;
    QTest::newRow("keypad 7: the final card")
        << 1 << int(Qt::Key_7) << keypad << -1 << Op::Subtract;
    QTest::newRow("ctrl+3 is no card")
        << 0 << int(Qt::Key_3) << int(Qt::ControlModifier) << -1 << Op::Subtract;
    QTest::newRow("keypad +") << 1 << int(Qt::Key_Plus) << keypad << -1 << Op::Add;
    QTest::newRow("shift + on the main keys")
        << 0 << int(Qt::Key_Plus) << int(Qt::ShiftModifier) << -1 << Op::Add;
    QTest::newRow("keypad *") << 2 << int(Qt::Key_Asterisk) << keypad << -1 << Op::Multiply;
    QTest::newRow("keypad /") << 0 << int(Qt::Key_Slash) << keypad << -1 << Op::Divide;
    QTest::newRow("slash on the list") << 1 << int(Qt::Key_Slash) << 0 << -1 << Op::Divide;
}

void TestGame24Window::keysFromAnyControl()
{
    QFETCH(int, target);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, chosen);
    QFETCH(Op, operation);
    Game24Window window(*m_context);
    window.chooseOperation(Op::Subtract);
    const int level = window.levelList()->currentIndex();
    QWidget *const targets[] = { &window, window.levelList(), window.button(Game24Window::Next) };
    const QString progress = window.progressLabel()->text();

    QTest::keyClick(targets[target], Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(window.board().chosenCard().value_or(-1), chosen);
    for (int card = 0; card < 4; ++card)
        QCOMPARE(window.card(card)->state() == Board::CardState::Chosen, card == chosen);
    QCOMPARE(window.board().operation(), operation);
    QVERIFY(window.operationButton(operation)->isChecked());
    // Neither the list nor the button took the key for itself.
    QCOMPARE(window.levelList()->currentIndex(), level);
    QCOMPARE(window.progressLabel()->text(), progress);
}

void TestGame24Window::playedToTheEnd_data()
{
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("played"); // a24_pl afterwards; -1: not judged yet
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("solved on the keypad")
        << QList { 1, 2, 3, 4 }
        << QStringList { u"1"_s, u"+"_s, u"2"_s, u"r1"_s, u"+"_s, u"3"_s, u"r2"_s, u"*"_s, u"4"_s }
        << keypad << QStringList { u"〖1+2=3〗"_s, u"〖3+3=6〗"_s, u"〖6×4=24〗"_s } << 1;
    QTest::newRow("solved on the main keys, with a division")
        << QList { 12, 12, 12, 12 }
        << QStringList { u"12"_s, u"+"_s, u"12"_s, u"12"_s, u"/"_s, u"12"_s, u"r1"_s, u"*"_s,
               u"r2"_s }
        << 0 << QStringList { u"〖12+12=24〗"_s, u"〖12÷12=1〗"_s, u"〖24×1=24〗"_s } << 1;
    QTest::newRow("missed, below zero on the way")
        << QList { 2, 5, 3, 1 }
        << QStringList { u"2"_s, u"-"_s, u"5"_s, u"r1"_s, u"*"_s, u"3"_s, u"r2"_s, u"-"_s, u"1"_s }
        << keypad << QStringList { u"〖2-5=-3〗"_s, u"〖-3×3=-9〗"_s, u"〖-9-1=-10〗"_s } << 0;
    QTest::newRow("24 after two steps is not judged")
        << QList { 4, 6, 1, 1 } << QStringList { u"4"_s, u"*"_s, u"6"_s, u"r1"_s, u"1"_s } << keypad
        << QStringList { u"〖4×6=24〗"_s, u"〖24×1=24〗"_s, QString() } << -1;
}

void TestGame24Window::playedToTheEnd()
{
    QFETCH(QList<int>, numbers);
    QFETCH(QStringList, moves);
    QFETCH(int, modifiers);
    QFETCH(QStringList, steps);
    QFETCH(int, played);
    Database &db = m_context->database();
    setNumbers(db, 1, numbers);
    Game24Window window(*m_context);
    const int loaded = window.deck().size();

    play(window, moves, Qt::KeyboardModifiers(modifiers));
    for (int step = 0; step < 3; ++step)
        QCOMPARE(window.stepLabel(step)->text(), steps.at(step));
    QCOMPARE(window.rightPicture()->isVisibleTo(&window), played == 1);
    QCOMPARE(window.wrongPicture()->isVisibleTo(&window), played == 0);
    const char *flag = "SELECT a24_pl FROM tab_24 WHERE a24_id = ?";
    QCOMPARE(queryNumber(db, flag, window.puzzleId()), std::max(played, 0));
    // Marked in the file at once, but still in the round the window loaded.
    QCOMPARE(window.deck().size(), loaded);
    if (played >= 0) {
        for (int card = 0; card < 6; ++card)
            QCOMPARE(window.card(card)->state(), Board::CardState::Used);
    }
}

void TestGame24Window::refusedDivision_data()
{
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QStringList>("moves"); // the last one is the refused divisor
    QTest::addColumn<QString>("message");
    QTest::newRow("8 ÷ 3") << QList { 8, 3, 3, 8 } << QStringList { u"8"_s, u"/"_s, u"3"_s }
                           << u"走弯路了，不能整除！"_s;
    QTest::newRow("8 ÷ (3 − 3)") << QList { 3, 3, 8, 8 }
                                 << QStringList { u"3"_s, u"-"_s, u"3"_s, u"8"_s, u"/"_s, u"r1"_s }
                                 << u"除数不能为零！"_s;
}

void TestGame24Window::refusedDivision()
{
    QFETCH(QList<int>, numbers);
    QFETCH(QStringList, moves);
    QFETCH(QString, message);
    setNumbers(m_context->database(), 1, numbers);
    Game24Window window(*m_context);
    play(window, moves.mid(0, moves.size() - 1), Qt::KeypadModifier);
    const std::optional<int> first = window.board().chosenCard();
    QVERIFY(first);

    MessageCatcher shown;
    shown.arm();
    play(window, moves.mid(moves.size() - 1), Qt::KeypadModifier);
    QCOMPARE(shown.text, message);
    QCOMPARE(window.board().chosenCard(), first);
    QCOMPARE(window.card(*first)->state(), Board::CardState::Chosen);
    for (int card = 0; card < 6; ++card) {
        if (card != *first && !window.card(card)->caption().isEmpty()
            && window.board().state(card) != Board::CardState::Used)
            QCOMPARE(window.card(card)->state(), Board::CardState::Normal);
    }
    QVERIFY(!window.rightPicture()->isVisibleTo(&window));
}

void TestGame24Window::nextPuzzleAndAnswer()
{
    Game24Window window(*m_context);
    const int n = window.deck().size();
    QCOMPARE(window.progressLabel()->text(), u"【 1 / %1 】"_s.arg(n));
    QVERIFY(!window.answerLabel()->isVisibleTo(&window));

    HCommand *answer = window.button(Game24Window::ShowAnswer);
    QTest::mouseClick(answer, Qt::LeftButton);
    QVERIFY(window.answerLabel()->isVisibleTo(&window));
    QVERIFY(window.answerLabel()->text().startsWith(u"【答案】："_s));
    QVERIFY(window.answerLabel()->text().size() > 8);
    QTest::mouseClick(answer, Qt::LeftButton);
    QVERIFY(!window.answerLabel()->isVisibleTo(&window));

    QTest::mouseClick(answer, Qt::LeftButton);
    QTest::keyClick(&window, Qt::Key_1, Qt::KeypadModifier);
    QTest::keyClick(&window, Qt::Key_Asterisk, Qt::KeypadModifier);
    const qint64 first = window.puzzleId();
    QTest::keyClick(window.levelList(), Qt::Key_F5);
    QCOMPARE(window.progressLabel()->text(), u"【 2 / %1 】"_s.arg(n));
    QVERIFY(window.puzzleId() != first);
    QVERIFY(!window.answerLabel()->isVisibleTo(&window));
    QVERIFY(!window.board().chosenCard());
    QVERIFY(window.operationButton(Op::Add)->isChecked());

    QTest::mouseClick(window.button(Game24Window::Next), Qt::LeftButton);
    QCOMPARE(window.progressLabel()->text(), u"【 3 / %1 】"_s.arg(n));
}

void TestGame24Window::clearStartsTheSamePuzzleAgain()
{
    Game24Window window(*m_context);
    QStringList numbers;
    for (int card = 0; card < 4; ++card)
        numbers << window.card(card)->caption();
    QTest::mouseClick(window.card(2), Qt::LeftButton);
    QTest::mouseClick(window.operationButton(Op::Add), Qt::LeftButton);
    QTest::mouseClick(window.card(0), Qt::LeftButton);
    QCOMPARE(
        window.card(4)->caption(), QString::number(numbers.at(2).toInt() + numbers.at(0).toInt()));
    QVERIFY(!window.stepLabel(0)->text().isEmpty());

    QTest::mouseClick(window.button(Game24Window::Clear), Qt::LeftButton);
    for (int card = 0; card < 4; ++card) {
        QCOMPARE(window.card(card)->caption(), numbers.at(card));
        QCOMPARE(window.card(card)->state(), Board::CardState::Normal);
    }
    QVERIFY(window.card(4)->caption().isEmpty());
    QVERIFY(window.stepLabel(0)->text().isEmpty());
    QCOMPARE(window.progressLabel()->text(), u"【 1 / %1 】"_s.arg(window.deck().size()));
}

void TestGame24Window::leavingSavesTheLevel_data()
{
    QTest::addColumn<int>("way"); // 0 Esc, 1 close glyph, 2 退出 button, 3 the window manager
    QTest::newRow("Esc") << 0;
    QTest::newRow("close glyph") << 1;
    QTest::newRow("退出(Esc)") << 2;
    QTest::newRow("window manager") << 3;
}

void TestGame24Window::leavingSavesTheLevel()
{
    QFETCH(int, way);
    Game24Window window(*m_context);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.levelList()->setCurrentIndex(2);
    switch (way) {
    case 0:
        QTest::keyClick(window.levelList(), Qt::Key_Escape);
        break;
    case 1:
        QTest::mouseClick(window.button(Game24Window::Close), Qt::LeftButton);
        break;
    case 2:
        QTest::mouseClick(window.button(Game24Window::Leave), Qt::LeftButton);
        break;
    case 3:
        window.close();
        break;
    }
    QVERIFY(!window.isVisible());
    QCOMPARE(m_context->settings().system4(), u"3"_s);
    QCOMPARE(m_context->settings().read(u"system_4"_s), u"3"_s);
}

void TestGame24Window::busyFileNeitherStopsTheGameNorLosesTheLevel()
{
    setNumbers(m_context->database(), 3, { 1, 2, 3, 4 });
    Game24Window window(*m_context);
    window.show();
    window.levelList()->setCurrentIndex(2);
    MessageCatcher solved;
    MessageCatcher closing;
    {
        BusyDataFile busy(m_context->database().path());
        solved.arm();
        play(window, { u"1"_s, u"+"_s, u"2"_s, u"r1"_s, u"+"_s, u"3"_s, u"r2"_s, u"*"_s, u"4"_s },
            Qt::KeypadModifier);
        QVERIFY(window.rightPicture()->isVisibleTo(&window));
        closing.arm();
        window.close();
        QVERIFY(window.isVisible());
    }
    const QString busy = u"：数据文件正被另一个程序使用。"_s;
    QVERIFY2(solved.text.contains(busy), qPrintable(solved.text));
    QVERIFY2(closing.text.contains(busy) && closing.text.endsWith(u"窗口没有关闭，请稍后再试。"_s),
        qPrintable(closing.text));
    QTest::mouseClick(window.button(Game24Window::Next), Qt::LeftButton);
    QVERIFY(!window.card(0)->caption().isEmpty());
    window.close();
    QVERIFY(!window.isVisible());
    QCOMPARE(m_context->settings().read(u"system_4"_s), u"3"_s);
}

void TestGame24Window::emptyLevelDealsNothing()
{
    m_context->database().exec("DELETE FROM tab_24 WHERE a24_nd = 2");
    Game24Window window(*m_context);
    window.levelList()->setCurrentIndex(1);
    QCOMPARE(window.goalLabel()->text(), u"题库是空的"_s);
    for (int card = 0; card < 4; ++card)
        QVERIFY(window.card(card)->caption().isEmpty());
    for (const auto button :
        { Game24Window::Next, Game24Window::Clear, Game24Window::ShowAnswer, Game24Window::Hint })
        QVERIFY(!window.button(button)->isEnabled());
    QTest::keyClick(&window, Qt::Key_F1); // a key stands for a disabled button: nothing happens
    QVERIFY(window.stepLabel(0)->text().isEmpty());

    window.levelList()->setCurrentIndex(0);
    QVERIFY(!window.card(0)->caption().isEmpty());
    QVERIFY(window.button(Game24Window::Hint)->isEnabled());
}

void TestGame24Window::hintsAndAllSolutions()
{
    Game24Window window(*m_context);
    QList<QList<int>> shown;
    window.solutionsViewer = [&shown](const QList<int> &hand) { shown << hand; };
    HCommand *all = window.button(Game24Window::AllSolutions);
    QVERIFY(!all->isEnabled());

    // F1 names a step of a way to 24 in the first empty row, without playing it.
    QTest::keyClick(window.levelList(), Qt::Key_F1);
    const QString first = window.stepLabel(0)->text();
    QVERIFY2(first.startsWith(u"〖"_s) && first.endsWith(u"〗"_s), qPrintable(first));
    QVERIFY(window.board().stepLine(0).isEmpty());
    QVERIFY(window.stepLabel(1)->text().isEmpty());
    QTest::keyClick(&window, Qt::Key_F1);
    QCOMPARE(window.stepLabel(0)->text(), first);
    QVERIFY(!window.stepLabel(1)->text().isEmpty());

    // The board cleared, the hint goes with it.
    QTest::mouseClick(window.button(Game24Window::Clear), Qt::LeftButton);
    QVERIFY(window.stepLabel(0)->text().isEmpty());

    QTest::mouseClick(window.button(Game24Window::ShowAnswer), Qt::LeftButton);
    QVERIFY(all->isEnabled());
    QTest::mouseClick(all, Qt::LeftButton);
    QCOMPARE(shown.size(), 1);
    QList<int> hand = shown.first();
    std::sort(hand.begin(), hand.end());
    QList<int> cards;
    for (int card = 0; card < 4; ++card)
        cards << window.board().caption(card).toInt();
    std::sort(cards.begin(), cards.end());
    QCOMPARE(hand, cards);

    // Nothing reaches 24 from here: the verdict box says so without wrapping a line, so
    // that the name of the button to press stays whole.
    setNumbers(m_context->database(), window.deck().level(), { 3, 3, 8, 8 });
    window.chooseLevel(window.deck().level());
    QTest::keyClick(&window, Qt::Key_F1);
    const QLabel *goal = window.goalLabel();
    QVERIFY2(goal->text().contains(u"【重新计算】"_s), qPrintable(goal->text()));
    for (const QString &line : goal->text().split(u'\n'))
        QVERIFY2(QFontMetrics(goal->font()).horizontalAdvance(line) <= goal->contentsRect().width(),
            qPrintable(line));
}

QTEST_MAIN(TestGame24Window)
#include "tst_game24window.moc"
