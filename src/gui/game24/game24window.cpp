#include "game24window.h"

#include "cjkfont.h"
#include "game24backdrop.h"
#include "game24card.h"
#include "game24layout.h"
#include "solutionsdialog.h"
#include "chrome/hcommand.h"
#include "chrome/operationbutton.h"
#include "chrome/palette.h"
#include "chrome/pictureregistry.h"
#include "chrome/pictureview.h"
#include "chrome/titlestrip.h"
#include "chrome/windowchrome.h"

#include "game24/keys.h"
#include "program/appcontext.h"
#include "store/settings.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>
#include <optional>

using namespace Qt::Literals::StringLiterals;
using namespace game24layout;

namespace {

constexpr int kRightPicture = 1060;
constexpr int kWrongPicture = 1061;
constexpr int kDropArrow = 1062;
constexpr int kStepPixels = 25;

const QString kGoal = u"第三步算出 24\n就成功啦！"_s;

// The game's texts each carry their own face, colours and frame.
QLabel *styled(QLabel *label, const QFont &font, const QString &style,
    Qt::Alignment alignment = Qt::AlignVCenter | Qt::AlignLeft)
{
    label->setFont(font);
    label->setStyleSheet(style);
    label->setAlignment(alignment);
    return label;
}

// Step lines grow with the numbers; a long one gets a smaller face rather than lose its end.
void setFittedText(QLabel *label, const QString &text)
{
    QFont font = label->font();
    int pixels = kStepPixels;
    font.setPixelSize(pixels);
    while (pixels > 12 && QFontMetricsF(font).horizontalAdvance(text) > label->width() - 4)
        font.setPixelSize(--pixels);
    label->setFont(font);
    label->setText(text);
}

} // namespace

Game24Window::Game24Window(AppContext &context, RandomSource &rnd, QWidget *parent)
    : FeatureWindow(u"24点口算游戏"_s, kWindow, parent)
    , m_context(context)
    , m_rnd(rnd)
    , m_deck(context.database())
{
    setFont(cjkFont(10.5));
    buildUi();
    addKeys();

    const int level = std::clamp(
        m_context.settings().game24Level(), 1, int(PuzzleDeck::levelCaptions().size()));
    m_levelList->setCurrentIndex(level - 1);
    // Unguarded: a file that cannot be read keeps the window from opening, and its opener
    // says why.
    m_deck.load(level);
    dealNext();
    connect(m_levelList, &QComboBox::currentIndexChanged, this,
        [this](int index) { chooseLevel(index + 1); });
}

void Game24Window::buildUi()
{
    // The backdrop covers the base's face: it paints the window's own ground and outline.
    auto *backdrop = new Game24Backdrop(this);
    titleStrip()->setSubtitle(u"四个数，加减乘除，算出 24"_s);

    styled(
        addLabel(u"难度："_s, kLevelCaption), cjkFont(14, true), palette::inkStyle(palette::kInk));
    m_levelList = new QComboBox(this);
    m_levelList->setGeometry(kLevelList);
    m_levelList->setFont(cjkFont(13, true));
    m_levelList->addItems(PuzzleDeck::levelCaptions());
    m_levelList->setStyleSheet(
        u"QComboBox { color: %2; background: white; border: 2px solid %3;"
        " border-radius: 10px; padding-left: 10px; }"
        " QComboBox::drop-down { width: 30px; border: none; }"
        " QComboBox::down-arrow { image: url(%1); width: 16px; height: 10px; }"
        " QComboBox QAbstractItemView { background: white; selection-background-color: %4;"
        " selection-color: %5; }"_s.arg(PictureRegistry::resourcePath(kDropArrow),
            palette::css(palette::kInk), palette::css(palette::kLevelListOutline),
            palette::css(palette::kLevelListChoice), palette::css(palette::kNoteInk)));
    m_levelList->setFocusPolicy(Qt::StrongFocus);

    m_progress = styled(addLabel(QString(), kProgress), cjkFont(15, true),
        u"color: white; background: %1; border: 2px solid %2; border-radius: 17px;"_s.arg(
            palette::gradient(palette::kProgressTop, palette::kProgressBottom),
            palette::css(palette::kProgressOutline)),
        Qt::AlignCenter);
    m_progress->setToolTip(u"第几题 / 本轮还没算出的题数"_s);

    buildTable();
    buildNotebook();

    m_goal = styled(addLabel(kGoal, kVerdictBox), cjkFont(15, true),
        palette::inkStyle(palette::kGoalInk), Qt::AlignCenter);
    m_goal->setWordWrap(true);
    m_goal->setContentsMargins(16, 0, 16, 0);
    m_right = new PictureView(kRightPicture, this);
    m_wrong = new PictureView(kWrongPicture, this);
    for (PictureView *picture : { m_right, m_wrong }) {
        picture->move(kVerdictAt);
        picture->hide();
    }

    styled(addLabel(u"想不出来？点【查看答案】看看吧。"_s, kAnswerBox), cjkFont(11),
        palette::inkStyle(palette::kPlaceholderInk), Qt::AlignCenter);
    m_answer = styled(addLabel(QString(), kAnswerBox), cjkFont(14, true),
        u"color: %1; background: %2; border: 2px solid %3; border-radius: 14px;"
        " padding: 4px 10px;"_s.arg(palette::css(palette::kNoteInk),
            palette::gradient(palette::kNoteTop, palette::kNoteBottom),
            palette::css(palette::kNoteOutline)),
        Qt::AlignCenter);
    m_answer->setWordWrap(true);
    m_answer->hide();

    styled(addLabel(u"键盘：1～7 点牌　＋－*/ 选运算\nF1 提示　F5 下一题　Esc 退出"_s, kKeysHint),
        cjkFont(9), palette::inkStyle(palette::kQuietInk));
    buildButtons();

    backdrop->lower();
    setButtons(m_buttons);
    chrome()->addButtonResetSurface(backdrop);
    chrome()->addButtonResetSurface(this);
}

void Game24Window::buildTable()
{
    styled(addLabel(u"先点一张牌 → 再选 ＋ － × ÷ → 然后点另一张牌"_s, kHint), cjkFont(12, true),
        palette::inkStyle(palette::kTableInk), Qt::AlignCenter);

    for (int i = 0; i < Board::kCardCount; ++i) {
        const auto kind = i < 4     ? Game24Card::Kind::Number
            : i < Board::kFinalCard ? Game24Card::Kind::Result
                                    : Game24Card::Kind::Final;
        auto *card = new Game24Card(i, kind, this);
        card->setGeometry(cardGeometry(i));
        connect(card, &Game24Card::clicked, this, &Game24Window::clickCard);
        m_cards[size_t(i)] = card;
    }

    m_operationGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto *button = new OperationButton(Board::Operation(i), this);
        button->move(kOperationColumns[i], kOperationRow);
        m_operationGroup->addButton(button, i);
        m_operations[size_t(i)] = button;
    }
    connect(m_operationGroup, &QButtonGroup::idClicked, this,
        [this](int id) { chooseOperation(Board::Operation(id)); });
}

void Game24Window::buildNotebook()
{
    styled(addLabel(u"计算过程"_s, kNotebookTitle), cjkFont(13, true),
        u"color: white; background: %1; border-radius: 15px;"_s.arg(
            palette::css(palette::kNotebookBadge)),
        Qt::AlignCenter);
    QFont stepFont = cjkFont(10, true);
    stepFont.setPixelSize(kStepPixels);
    for (int i = 0; i < 3; ++i) {
        styled(addLabel(QString::number(i + 1), { kStepBadgeX, kStepRows[i] + 8, 28, 28 }),
            cjkFont(12, true),
            u"color: white; background: %1; border-radius: 14px;"_s.arg(
                palette::css(palette::kStepBadge)),
            Qt::AlignCenter);
        m_steps[size_t(i)]
            = styled(addLabel(QString(), { kStepTextX, kStepRows[i], kStepTextWidth, kStepHeight }),
                stepFont, palette::inkStyle(palette::kInk));
    }
}

void Game24Window::buildButtons()
{
    m_buttons = { makeCloseGlyph(Close, QString()), new HCommand(picture::kNextPuzzle, Next, this),
        new HCommand(picture::kClearWorking, Clear, this),
        new HCommand(picture::kShowAnswer, ShowAnswer, this),
        new HCommand(picture::kLeave, Leave, this), new HCommand(picture::kHint, Hint, this),
        new HCommand(picture::kAllSolutions, AllSolutions, this) };
    for (int i = Next; i <= Leave; ++i)
        m_buttons[i]->move(kButtonColumns[i - Next], kButtonRow);
    m_buttons[Hint]->move(kHintButtons[0], kButtonRow);
    m_buttons[AllSolutions]->move(kHintButtons[1], kButtonRow);
    m_buttons[Hint]->setToolTip(u"看一步怎么算（F1），再点看下一步"_s);
    m_buttons[AllSolutions]->setToolTip(u"算完三步或看过答案以后，列出这道题的全部算法"_s);
    m_buttons[AllSolutions]->setEnabled(false);
    m_buttons[Clear]->setToolTip(u"这道题从头再算一遍"_s);
    m_buttons[ShowAnswer]->setToolTip(u"显示或隐藏一种算法"_s);
    for (HCommand *button : std::as_const(m_buttons))
        connect(button, &HCommand::clicked, this, &Game24Window::onButton);
}

void Game24Window::chooseLevel(int level)
{
    if (!runOrReport(u"这一级的题目无法读取"_s, [this, level] { m_deck.load(level); })) {
        // The puzzle on the table stays, and the list names the level it belongs to.
        const QSignalBlocker blocker(m_levelList);
        m_levelList->setCurrentIndex(m_deck.level() - 1);
        return;
    }
    dealNext();
}

void Game24Window::dealNext()
{
    m_answer->hide();
    if (m_deck.isEmpty()) {
        // No cards at all rather than the last level's, which would look playable.
        m_board = Board();
        m_puzzleId = 0;
        m_answer->clear();
        m_progress->setText(u"【 0 / 0 】"_s);
    } else {
        const PuzzleDeck::Deal deal = m_deck.deal(m_rnd);
        m_board.deal(deal.cards);
        m_puzzleId = deal.id;
        m_answer->setText(deal.answerText);
        m_progress->setText(deal.progressText);
    }
    m_board.setOperation(Board::Operation::Add);
    clearBoard();
}

void Game24Window::clearBoard()
{
    m_board.clear();
    m_hints.reset();
    m_hint = {};
    showBoard();
}

void Game24Window::toggleAnswer()
{
    m_answer->setVisible(m_answer->isHidden());
    showBoard();
}

void Game24Window::clickCard(int card)
{
    const Board::Outcome outcome = m_board.click(card);
    // A hint is for the board it was asked on; a step played makes it stale.
    if (outcome == Board::Outcome::Stepped || outcome == Board::Outcome::Solved
        || outcome == Board::Outcome::Missed)
        m_hint = {};
    showBoard();
    // Not kept, the puzzle only comes again in this round; the game goes on either way.
    if (outcome == Board::Outcome::Solved)
        runOrReport(u"这道题算对了，但没有记下来"_s, [this] { m_deck.markSolved(m_puzzleId); });
    const QString refusal = Board::refusalText(outcome);
    if (!refusal.isEmpty())
        showMessage(this, refusal);
}

void Game24Window::chooseOperation(Board::Operation operation)
{
    m_board.setOperation(operation);
    m_operations[size_t(operation)]->setChecked(true);
}

void Game24Window::showBoard()
{
    for (int i = 0; i < Board::kCardCount; ++i)
        m_cards[size_t(i)]->setCard(m_board.caption(i), m_board.state(i));
    // Played steps first; the hint's steps, not played, in the rows after them.
    int played = 0;
    while (played < 3 && !m_board.stepLine(played).isEmpty())
        ++played;
    for (int i = 0; i < 3; ++i) {
        QLabel *row = m_steps[size_t(i)];
        const int hinted = i - played;
        const bool isHint = i >= played && hinted < m_hint.steps.size();
        row->setStyleSheet(
            isHint ? palette::inkStyle(palette::kHintedStepInk) : palette::inkStyle(palette::kInk));
        row->setToolTip(isHint ? u"提示：还没有算，照这样点牌试试"_s : QString());
        setFittedText(row, isHint ? m_hint.steps.at(hinted) : m_board.stepLine(i));
    }
    m_operations[size_t(m_board.operation())]->setChecked(true);
    const std::optional<bool> verdict = m_board.verdict();
    m_right->setVisible(verdict == true);
    m_wrong->setVisible(verdict == false);
    m_goal->setVisible(!verdict);
    const bool dealt = !m_deck.isEmpty();
    // While hinted steps show, the goal gives way to what the hint says next.
    m_goal->setText(!dealt ? u"题库是空的"_s : m_hint.message.isEmpty() ? kGoal : m_hint.message);
    for (const Button needsPuzzle : { Next, Clear, ShowAnswer, Hint })
        m_buttons[needsPuzzle]->setEnabled(dealt);
    // After the third step the picture has judged it; a hint would have nowhere to show.
    m_buttons[Hint]->setEnabled(dealt && !verdict);
    m_buttons[AllSolutions]->setEnabled(dealt && (verdict.has_value() || !m_answer->isHidden()));
}

bool Game24Window::mayLeave()
{
    return runOrReport(
        u"选好的难度没有保存"_s,
        [this] { m_context.settings().setGame24Level(m_levelList->currentIndex() + 1); },
        Report::WindowStaysOpen);
}

void Game24Window::onButton(qint16 index)
{
    // The keys come here too, also for buttons an empty level has disabled.
    if (!m_buttons.at(index)->isEnabled())
        return;
    switch (index) {
    case Close:
    case Leave:
        leave();
        break;
    case Next:
        dealNext();
        break;
    case Clear:
        clearBoard();
        break;
    case ShowAnswer:
        toggleAnswer();
        break;
    case Hint:
        showHint();
        break;
    case AllSolutions:
        showAllSolutions();
        break;
    }
}

void Game24Window::showHint()
{
    m_hint = m_hints.next(m_board);
    showBoard();
}

void Game24Window::showAllSolutions()
{
    if (!m_buttons[AllSolutions]->isEnabled())
        return;
    QList<int> hand;
    for (int card = 0; card < 4; ++card)
        hand << m_board.caption(card).toInt();
    if (solutionsViewer) {
        solutionsViewer(hand);
        return;
    }
    SolutionsDialog dialog(hand, this);
    dialog.exec();
}

void Game24Window::addKeys()
{
    addShortcut(Qt::Key_Escape, [this] { onButton(Close); });
    // A held key would deal, or step through the hint, over and over.
    addShortcut(Qt::Key_F5, [this] { onButton(Next); })->setAutoRepeat(false);
    addShortcut(Qt::Key_F1, [this] { onButton(Hint); })->setAutoRepeat(false);
    // Digits and signs reach the game whichever of its controls has the focus, as the layout
    // of the keyboard makes them: as shortcuts, Shift+1 would click a card on some layouts
    // and Shift+7 make "/" and "7" ambiguous on others.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

bool Game24Window::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (event->type() != QEvent::KeyPress || widget == nullptr || widget->window() != this)
        return FeatureWindow::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (const std::optional<int> card = game24::cardOfKey(key->key(), key->modifiers())) {
        // A held key would choose and release the card over and over.
        if (!key->isAutoRepeat())
            clickCard(*card);
        return true;
    }
    if (const auto operation = game24::operationOfKey(key->key(), key->modifiers())) {
        chooseOperation(*operation);
        return true;
    }
    return FeatureWindow::eventFilter(watched, event);
}
