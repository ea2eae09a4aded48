#include "mainmenuwindow.h"

#include "childtag.h"
#include "cjkfont.h"
#include "chrome/palette.h"
#include "chrome/hcommand.h"
#include "chrome/messagebox.h"
#include "chrome/pictureregistry.h"
#include "chrome/titlestrip.h"
#include "chrome/windowchrome.h"

#include "program/appcontext.h"
#include "program/menucommands.h"
#include "program/programinfo.h"
#include "store/settings.h"
#include "quiz/testpruning.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSize kWindowSize(800, 520);
constexpr QPoint kTipAt(60, 312);
constexpr QRect kFooter(12, 476, 776, 34);

struct Place
{
    qint16 bmpid;
    QPoint at;
};

// The buttons by command index. The apples hang in two arcs in the crown of the tree.
constexpr std::array<Place, menu::CommandCount> kPlaces { {
    { 1, { 724, 8 } },
    { 2, { 751, 8 } },
    { 11, { 250, 122 } },
    { 12, { 334, 104 } },
    { 13, { 418, 96 } },
    { 14, { 502, 104 } },
    { 15, { 586, 122 } },
    { 16, { 250, 220 } },
    { 17, { 334, 206 } },
    { 18, { 418, 200 } },
    { 19, { 502, 206 } },
    { 20, { 586, 220 } },
    { 21, { 656, 44 } },
    { 22, { 18, 42 } },
    { 23, { 36, 368 } },
} };

struct LinkPlace
{
    qint16 index;
    QString text;
    int x;
};

const std::array<LinkPlace, 3> kLinkPlaces { {
    { 1, u"关于晨曦算苑"_s, 556 },
    { 2, u"官方网站"_s, 656 },
    { 3, u"家长园地"_s, 728 },
} };

QColor rgb(int value)
{
    return QColor::fromRgb(QRgb(value));
}

// The words of the footer are in the program's font, which only the running program knows;
// the footer itself is part of the landscape.
void paintFooterWords(QPainter &painter)
{
    painter.setPen(rgb(palette::kFooterInk));
    painter.setFont(cjkFont(9));
    painter.drawText(QRectF(122, kFooter.y(), 200, kFooter.height()), Qt::AlignVCenter,
        u"勾选出题打印，不勾在线测试"_s);
    painter.setPen(rgb(palette::kFooterRule));
    painter.setFont(cjkFont(10));
    for (const int x : { 644, 716 })
        painter.drawText(QRectF(x, kFooter.y(), 10, kFooter.height()), Qt::AlignCenter, u"|"_s);
}

} // namespace

MainMenuWindow::MainMenuWindow(AppContext &context, MenuOpeners openers, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_openers(std::move(openers))
{
    setWindowTitle(programinfo::productName());
    setFixedSize(kWindowSize);
    setFont(cjkFont(10));
    // It takes the keys while nothing else has the focus, but is no Tab stop: nothing on it
    // would show that the keyboard is there.
    setFocusPolicy(Qt::ClickFocus);

    m_chrome = new WindowChrome(this);
    m_titleStrip = new TitleStrip(programinfo::title(), this);
    m_titleStrip->setSubtitle(programinfo::subtitle());
    m_titleStrip->setVersion(programinfo::version());
    m_titleStrip->setGeometry(0, 0, kWindowSize.width(), TitleStrip::kHeight);
    m_chrome->setTitleStrip(m_titleStrip);
    m_chrome->addButtonResetSurface(m_titleStrip);
    m_chrome->addButtonResetSurface(this);
    m_chrome->addLinkResetSurface(this);

    for (qint16 command = 0; command < menu::CommandCount; ++command) {
        const Place &place = kPlaces.at(command);
        auto *button = new HCommand(place.bmpid, command, this);
        button->move(place.at);
        m_buttons.append(button);
        connect(button, &HCommand::clicked, this, &MainMenuWindow::runCommand);
        connect(button, &HCommand::mouseMoved, this, &MainMenuWindow::buttonHovered);
    }
    m_buttons.at(menu::Minimise)->setToolTip(u"最小化"_s);
    m_buttons.at(menu::Exit)->setToolTip(u"退出"_s);
    m_chrome->setButtons(m_buttons);

    m_modeBox = new QCheckBox(u"出题/测试"_s, this);
    m_modeBox->setObjectName(u"modeBox"_s);
    m_modeBox->setFocusPolicy(Qt::TabFocus);
    m_modeBox->adjustSize();
    m_modeBox->move(kFooter.x() + 14, kFooter.center().y() - m_modeBox->height() / 2 + 1);

    m_newsButton = new QPushButton(u"弹出资讯"_s, this);
    m_newsButton->setObjectName(u"newsButton"_s);
    m_newsButton->setFocusPolicy(Qt::TabFocus);
    m_newsButton->setCursor(Qt::PointingHandCursor);
    m_newsButton->setStyleSheet(
        u"QPushButton { color: white; font-weight: bold; border: 1px solid %1;"
        " border-radius: 12px; padding: 0 14px; background: %2; }"
        "QPushButton:hover { background: %3; }"
        "QPushButton:focus { border: 2px solid %4; }"
        "QPushButton:pressed { background: %5; }"_s.arg(palette::css(palette::kAccentInk),
            palette::gradient(palette::kOrangeTop, palette::kOrangeBottom),
            palette::gradient(palette::kOrangeHoverTop, palette::kOrangeHoverBottom),
            palette::css(palette::kInk), palette::css(palette::kOrangePressed)));
    m_newsButton->setFixedHeight(24);
    m_newsButton->adjustSize();
    m_newsButton->move(400, kFooter.center().y() - 11);
    connect(m_newsButton, &QPushButton::clicked, this, [this] {
        if (m_openers.news)
            m_openers.news(this);
    });

    // Whose tests the windows show: beside the child in the landscape.
    m_childTag = new ChildTag(m_context, this);
    m_childTag->move(112, 446);

    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, QColor(palette::kLinkInk));
    for (const LinkPlace &place : kLinkPlaces) {
        auto *label = new QLabel(place.text, this);
        label->setObjectName(u"link%1"_s.arg(place.index));
        label->setPalette(linkPalette);
        label->adjustSize();
        label->move(place.x, kFooter.center().y() - label->height() / 2 + 1);
        m_links.append(label);
        m_chrome->addLinkLabel(place.index, label);
    }
    connect(m_chrome, &WindowChrome::linkActivated, this, &MainMenuWindow::openLink);

    // Tab goes through the apples in their order, then the cloud, the sun and the child, the
    // footer, and the window's glyphs last.
    QList<QWidget *> order;
    for (qint16 command = menu::FirstType; command < menu::CommandCount; ++command)
        order.append(m_buttons.at(command));
    order << m_childTag << m_modeBox << m_newsButton;
    for (QLabel *link : std::as_const(m_links))
        order.append(link);
    order << m_buttons.at(menu::Minimise) << m_buttons.at(menu::Exit);
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    // The tip follows the keyboard as it follows the pointer.
    for (HCommand *button : std::as_const(m_buttons))
        connect(button, &HCommand::focusShown, this, &MainMenuWindow::buttonHovered);
    for (QWidget *other : { static_cast<QWidget *>(m_childTag), static_cast<QWidget *>(m_modeBox),
             static_cast<QWidget *>(m_newsButton) })
        other->installEventFilter(this);
    for (QLabel *link : std::as_const(m_links))
        link->installEventFilter(this);
    connect(m_chrome, &WindowChrome::pointerOverSurface, this, [this](QWidget *surface) {
        if (surface == this)
            pointerOverBackground();
    });

    // The rest of the start-up belongs to the window: the worksheet/test choice, the rounded
    // outline (WindowChrome), and the tip that may follow the buttons from now on.
    m_modeBox->setChecked(m_context.settings().menuOpensWorksheet());
    m_tipPicture = menu::kDefaultTip;
    m_tipFlag = true;
    setFocus();
}

MainMenuWindow::~MainMenuWindow() = default;

HCommand *MainMenuWindow::button(qint16 command) const
{
    return m_buttons.value(command);
}

bool MainMenuWindow::opensWorksheet() const
{
    return m_modeBox->isChecked();
}

void MainMenuWindow::runCommand(qint16 command)
{
    if (m_closed)
        return;
    switch (command) {
    case menu::Minimise:
        showMinimized();
        break;
    case menu::Exit:
    case menu::Child:
        close();
        break;
    case menu::Game24:
        if (m_openers.game24)
            m_openers.game24(this);
        break;
    case menu::Records:
        if (m_openers.records) {
            // Old tests stay a while longer; the list opens all the same.
            runOrReport(this, u"旧的测试记录没有清理"_s,
                [this] { pruneTestRecords(m_context.database()); });
            m_openers.records(this);
        }
        break;
    default:
        if (const qint16 type = menu::questionTypeOf(command); type != 0)
            openQuestionType(type);
        break;
    }
}

void MainMenuWindow::openQuestionType(qint16 type)
{
    const MenuOpeners::Opener &open = opensWorksheet() ? m_openers.worksheet : m_openers.test;
    if (!open)
        return;
    m_context.setCurrentType(type);
    if (!opensWorksheet())
        m_context.setCurrentTestNo(QString());
    open(this);
}

void MainMenuWindow::openLink(qint16 index)
{
    if (index == 1) {
        if (m_openers.about)
            m_openers.about(this);
        return;
    }
    openPage(
        this, m_openers.openUrl, index == 2 ? programinfo::homePage() : programinfo::parentsPage());
}

void MainMenuWindow::buttonHovered(qint16 command)
{
    if (const int tip = menu::tipPictureOf(command); tip != 0) {
        showTip(tip);
        m_tipFlag = true;
    } else if (button(command)->showsFocus()) {
        // A glyph has no tip: the keyboard on it leaves no other button's tip behind.
        pointerOverBackground();
    }
}

bool MainMenuWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The keyboard on the footer: no button is reached, and the tip greets again.
    if (event->type() == QEvent::FocusIn) {
        m_chrome->resetButtonHover();
        pointerOverBackground();
    }
    return QWidget::eventFilter(watched, event);
}

void MainMenuWindow::pointerOverBackground()
{
    if (m_tipFlag) {
        showTip(menu::kDefaultTip);
        m_tipFlag = false;
    }
}

void MainMenuWindow::showTip(int number)
{
    if (number == m_tipPicture)
        return;
    m_tipPicture = number;
    update(QRect(kTipAt, PictureRegistry::pictureSize(number)));
}

void MainMenuWindow::keyPressEvent(QKeyEvent *event)
{
    if (const std::optional<qint16> command = menu::commandForKey(event->key())) {
        runCommand(*command);
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainMenuWindow::closeEvent(QCloseEvent *event)
{
    // Whoever closes the menu - its buttons, Esc or the window manager - ends the program,
    // and the worksheet/test choice is kept for the next start.
    if (!m_closed) {
        m_closed = true;
        // The program ends all the same: the choice is only for the next start.
        runOrReport(this, u"“出题/测试”的选择没有保存"_s,
            [this] { m_context.settings().setMenuOpensWorksheet(opensWorksheet()); });
        m_context.close();
        emit exited();
    }
    event->accept();
}

void MainMenuWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    WindowChrome::paintBackdrop(painter, this, PictureRegistry::kMenuLandscape);
    paintFooterWords(painter);
    painter.drawPixmap(kTipAt, PictureRegistry::pixmap(m_tipPicture, devicePixelRatioF()));

    if (!m_painted) {
        m_painted = true;
        QTimer::singleShot(0, this, &MainMenuWindow::firstPainted);
    }
}
