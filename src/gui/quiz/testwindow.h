#pragma once

#include "answergrid.h"
#include "chrome/featurewindow.h"
#include "generate/questionmaker.h"
#include "quiz/testsession.h"

#include <QList>

class AppContext;
class FormChooser;
struct Mistake;
class HCommand;
class QComboBox;
class QLabel;
class QSpinBox;
class QTimer;
class TestItemModel;

// 电脑测试: a timed test of the current question type taken on screen. With no current test
// number the child chooses a level and a count, generates, confirms and answers; with one,
// that unfinished test is taken up again with its answers and its clock. Every answer is
// stored the moment its cell is left.
class TestWindow final : public FeatureWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TestWindow)

public:
    enum Button : qint16 { Exit = 0, Generate = 1, Confirm = 2, Finish = 3, CloseGlyph = 4 };

    explicit TestWindow(AppContext &context, QuestionMaker &maker = processQuestionMaker(),
        QWidget *parent = nullptr);

    void generate();
    // A test of questions from the wrong-answer book instead of new ones: it
    // goes on like any test, from confirming on.
    void startPractice(const QList<Mistake> &mistakes);
    void confirm();
    // Hands the test in; an unanswered question stops it with a message.
    void finish();
    // Leaves the window as its 退出 button does; a running test keeps its answers and clock.
    void exitWindow() { leave(); }
    // One second of the clock.
    void tick();
    // Esc closes only where the choices are still shown; while answering it belongs to the
    // answer being typed, which it restores.
    void reject() override;

    const TestSession &session() const { return m_session; }
    HCommand *button(Button index) const { return m_buttons.at(index); }
    AnswerGrid *grid() const { return m_grid; }
    TestItemModel *itemModel() const { return m_items; }
    QComboBox *levelList() const { return m_level; }
    FormChooser *formChooser() const { return m_form; }
    QSpinBox *countBox() const { return m_count; }
    QTimer *clock() const { return m_clock; }
    QLabel *numberLabel() const { return m_numberLabel; }
    QLabel *progressLine() const { return m_progressLine; }
    QLabel *hintLine() const { return m_hintLine; }

protected:
    // A running test keeps its answers and clock for later; it stays open when they could
    // not be written.
    bool mayLeave() override;

private:
    void buildUi();
    void addKeys();
    void showType(qint16 type);
    void restoreChoices();
    void showResumed();
    void showNumber();
    void showGrid();
    void showAnswering();
    void showMarked();
    void showProgress();
    void showClock();
    void saveClock();
    bool isOffered(Button index) const;

    AppContext &m_context;
    QuestionMaker &m_maker;
    qint16 m_type;
    TestSession m_session;

    QList<HCommand *> m_buttons;
    QLabel *m_levelCaption = nullptr;
    QComboBox *m_level = nullptr;
    FormChooser *m_form = nullptr;
    QuestionForm m_generatedForm;
    QLabel *m_numberLabel = nullptr;
    QSpinBox *m_count = nullptr;
    QLabel *m_range = nullptr;
    QLabel *m_testInfo = nullptr;
    QLabel *m_placeholder = nullptr;
    AnswerGrid *m_grid = nullptr;
    TestItemModel *m_items = nullptr;
    QLabel *m_progressLine = nullptr;
    QLabel *m_clockLabel = nullptr;
    QLabel *m_hintLine = nullptr;
    QTimer *m_clock = nullptr;
};
