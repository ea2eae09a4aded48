#pragma once

#include "chrome/featurewindow.h"
#include "game24/board.h"
#include "game24/hintguide.h"
#include "game24/puzzledeck.h"
#include "generate/randomsource.h"

#include <QList>

#include <array>
#include <functional>

class AppContext;
class Game24Card;
class HCommand;
class OperationButton;
class PictureView;
class QButtonGroup;
class QComboBox;
class QLabel;

// 24点口算游戏: puzzles of the chosen level dealt one after another; the child combines the
// four numbers two at a time with the mouse or the keypad until one is left. The board and
// the deck hold the rules; the window shows them and saves the level on the way out.
class Game24Window final : public FeatureWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Game24Window)

public:
    enum Button : qint16 {
        Close = 0,
        Next = 1,
        Clear = 2,
        ShowAnswer = 3,
        Leave = 4,
        Hint = 5,
        AllSolutions = 6,
    };

    explicit Game24Window(
        AppContext &context, RandomSource &rnd = processRandom(), QWidget *parent = nullptr);

    // The level list's choice, 1 … 5: loads that level's puzzles and deals the first.
    void chooseLevel(int level);
    void dealNext();
    // The same puzzle from the start.
    void clearBoard();
    void toggleAnswer();
    // One more step of a way to 24 from the board as it stands.
    void showHint();
    // Every way the hand reaches 24, once the third step is done or the answer shown.
    void showAllSolutions();
    // How the solutions are shown; tests put a recorder here.
    std::function<void(const QList<int> &hand)> solutionsViewer;
    void clickCard(int card);
    void chooseOperation(Board::Operation operation);

    const Board &board() const { return m_board; }
    const PuzzleDeck &deck() const { return m_deck; }
    // The puzzle on the cards, 0 before any was dealt.
    qint64 puzzleId() const { return m_puzzleId; }
    QComboBox *levelList() const { return m_levelList; }
    HCommand *button(Button index) const { return m_buttons.at(index); }
    Game24Card *card(int index) const { return m_cards.at(size_t(index)); }
    OperationButton *operationButton(Board::Operation operation) const
    {
        return m_operations.at(size_t(operation));
    }
    QLabel *progressLabel() const { return m_progress; }
    // The goal, a hint that leads nowhere, or the word that there is no puzzle to deal.
    QLabel *goalLabel() const { return m_goal; }
    QLabel *answerLabel() const { return m_answer; }
    QLabel *stepLabel(int step) const { return m_steps.at(size_t(step)); }
    PictureView *rightPicture() const { return m_right; }
    PictureView *wrongPicture() const { return m_wrong; }

protected:
    // The level is kept for the next game; the window stays until it is.
    bool mayLeave() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildUi();
    void buildTable();
    void buildNotebook();
    void buildButtons();
    void addKeys();
    void showBoard();
    void onButton(qint16 index);

    AppContext &m_context;
    RandomSource &m_rnd;
    PuzzleDeck m_deck;
    Board m_board;
    HintGuide m_hints;
    HintGuide::Hint m_hint; // shown until the board changes
    qint64 m_puzzleId = 0;

    QComboBox *m_levelList = nullptr;
    QLabel *m_progress = nullptr;
    std::array<Game24Card *, Board::kCardCount> m_cards {};
    std::array<OperationButton *, 4> m_operations {};
    QButtonGroup *m_operationGroup = nullptr;
    std::array<QLabel *, 3> m_steps {};
    PictureView *m_right = nullptr;
    PictureView *m_wrong = nullptr;
    QLabel *m_goal = nullptr;
    QLabel *m_answer = nullptr;
    QList<HCommand *> m_buttons;
};
