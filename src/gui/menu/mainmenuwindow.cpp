#include "mainmenuwindow.h"

#include "cjkfont.h"
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
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSize kWindowSize(800, 520);
constexpr QPoint kTipAt(60, 312);
constexpr QRect kFooter(12, 476, 776, 34);
constexpr QPointF kCrownCentre(450, 200);
constexpr QSizeF kCrownRadii(236, 150);
const QString kComingSoon = u"即将推出"_s;

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

void paintSky(QPainter &painter)
{
    QLinearGradient sky(0, TitleStrip::kHeight, 0, 420);
    sky.setColorAt(0, rgb(0x63bff3));
    sky.setColorAt(0.55, rgb(0xaee0fb));
    sky.setColorAt(1, rgb(0xeaf8ff));
    painter.fillRect(QRectF(0, 0, kWindowSize.width(), 430), sky);

    // Faint puffs far behind the cloud button give the sky some depth.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 90));
    for (const QRectF &puff : { QRectF(160, 52, 70, 26), QRectF(196, 44, 64, 30),
             QRectF(560, 150, 60, 20), QRectF(590, 144, 70, 26), QRectF(704, 180, 60, 22) })
        painter.drawEllipse(puff);

    // Two birds.
    QPen wing(rgb(0x35607e), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(wing);
    painter.setBrush(Qt::NoBrush);
    for (const QPointF &bird : { QPointF(186, 104), QPointF(208, 92) }) {
        QPainterPath path(bird + QPointF(-7, -3));
        path.quadTo(bird + QPointF(-3, -5), bird);
        path.quadTo(bird + QPointF(3, -5), bird + QPointF(7, -3));
        painter.drawPath(path);
    }
}

void paintHillsAndGrass(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(rgb(0xb5e39a));
    painter.drawEllipse(QRectF(-120, 360, 520, 150));
    painter.setBrush(rgb(0xa4da86));
    painter.drawEllipse(QRectF(470, 356, 460, 160));

    QPainterPath grass(QPointF(0, 420));
    grass.cubicTo(QPointF(140, 400), QPointF(260, 430), QPointF(400, 414));
    grass.cubicTo(QPointF(540, 398), QPointF(660, 428), QPointF(800, 408));
    grass.lineTo(800, 520);
    grass.lineTo(0, 520);
    grass.closeSubpath();
    QLinearGradient green(0, 400, 0, 520);
    green.setColorAt(0, rgb(0x86d35a));
    green.setColorAt(1, rgb(0x4ea736));
    painter.setBrush(green);
    painter.drawPath(grass);

    // Little flowers scattered over the lawn.
    const struct
    {
        QPointF at;
        int petals;
    } flowers[] = {
        { { 150, 446 }, 0xffffff },
        { { 236, 458 }, 0xffd43b },
        { { 318, 440 }, 0xff8fab },
        { { 560, 452 }, 0xffffff },
        { { 620, 438 }, 0xffd43b },
        { { 700, 456 }, 0xff8fab },
        { { 760, 436 }, 0xffffff },
        { { 520, 436 }, 0xff8fab },
    };
    for (const auto &flower : flowers) {
        painter.setBrush(rgb(flower.petals));
        for (int i = 0; i < 5; ++i) {
            const qreal angle = i * 2 * M_PI / 5;
            painter.drawEllipse(
                flower.at + QPointF(3.2 * std::cos(angle), 3.2 * std::sin(angle)), 2.6, 2.6);
        }
        painter.setBrush(rgb(0xf59f00));
        painter.drawEllipse(flower.at, 2, 2);
    }
}

void paintTree(QPainter &painter)
{
    const qreal cx = kCrownCentre.x();
    QPainterPath trunk(QPointF(cx - 22, 330));
    trunk.cubicTo(QPointF(cx - 20, 380), QPointF(cx - 26, 420), QPointF(cx - 44, 446));
    trunk.lineTo(cx + 44, 446);
    trunk.cubicTo(QPointF(cx + 26, 420), QPointF(cx + 20, 380), QPointF(cx + 22, 330));
    trunk.closeSubpath();
    QLinearGradient bark(cx - 40, 0, cx + 40, 0);
    bark.setColorAt(0, rgb(0x8a5a2b));
    bark.setColorAt(0.45, rgb(0xb07a42));
    bark.setColorAt(1, rgb(0x6b4220));
    painter.setPen(QPen(rgb(0x5a3716), 1.5));
    painter.setBrush(bark);
    painter.drawPath(trunk);
    painter.setPen(QPen(rgb(0x6b4220), 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(cx - 6, 372), QPointF(cx - 2, 400));
    painter.drawLine(QPointF(cx + 8, 388), QPointF(cx + 10, 418));

    // The crown: a dark body, round bumps along its rim, and light patches where the sun
    // falls from the upper left.
    const QRectF body(
        kCrownCentre - QPointF(kCrownRadii.width(), kCrownRadii.height()), kCrownRadii * 2);
    painter.setPen(Qt::NoPen);
    QRadialGradient leaves(kCrownCentre + QPointF(-60, -50), 300);
    leaves.setColorAt(0, rgb(0x7cc95a));
    leaves.setColorAt(0.6, rgb(0x4fa83e));
    leaves.setColorAt(1, rgb(0x3a8a30));
    painter.setBrush(rgb(0x347d2b));
    constexpr int bumps = 22;
    for (int i = 0; i < bumps; ++i) {
        const qreal angle = i * 2 * M_PI / bumps;
        const QPointF rim(kCrownCentre.x() + (kCrownRadii.width() - 22) * std::cos(angle),
            kCrownCentre.y() + (kCrownRadii.height() - 20) * std::sin(angle));
        painter.drawEllipse(rim, 36 + 6 * (i % 3), 34 + 5 * ((i + 1) % 3));
    }
    painter.setBrush(leaves);
    painter.drawEllipse(body.adjusted(6, 6, -6, -6));
    for (int i = 0; i < bumps; ++i) {
        const qreal angle = (i + 0.5) * 2 * M_PI / bumps;
        const QPointF rim(kCrownCentre.x() + (kCrownRadii.width() - 34) * std::cos(angle),
            kCrownCentre.y() + (kCrownRadii.height() - 30) * std::sin(angle));
        painter.drawEllipse(rim, 34, 30);
    }
    for (const auto &[centre, radius] :
        { std::pair { QPointF(-80, -84), 110.0 }, std::pair { QPointF(80, -96), 80.0 } }) {
        QRadialGradient light(kCrownCentre + centre, radius);
        light.setColorAt(0, QColor(0xd8, 0xf5, 0xa8, 90));
        light.setColorAt(1, QColor(0xd8, 0xf5, 0xa8, 0));
        painter.setBrush(light);
        painter.drawEllipse(kCrownCentre + centre, radius, radius * 0.6);
    }
}

void paintFooter(QPainter &painter)
{
    painter.setPen(QPen(QColor(255, 255, 255, 230), 1));
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawRoundedRect(QRectF(kFooter), 10, 10);

    painter.setPen(rgb(0x6b7f8f));
    painter.setFont(cjkFont(9));
    painter.drawText(QRectF(122, kFooter.y(), 200, kFooter.height()), Qt::AlignVCenter,
        u"勾选出题打印，不勾在线测试"_s);
    painter.setPen(rgb(0xa8b8c4));
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
    setFocusPolicy(Qt::StrongFocus);

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
    connect(m_modeBox, &QCheckBox::toggled, this, &MainMenuWindow::updateAvailability);

    m_newsButton = new QPushButton(u"弹出资讯"_s, this);
    m_newsButton->setObjectName(u"newsButton"_s);
    m_newsButton->setFocusPolicy(Qt::TabFocus);
    m_newsButton->setCursor(Qt::PointingHandCursor);
    m_newsButton->setStyleSheet(
        u"QPushButton { color: white; font-weight: bold; border: 1px solid #d9480f;"
        " border-radius: 12px; padding: 0 14px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffa94d, stop:1 #f76707); }"
        "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        " stop:0 #ffc078, stop:1 #fd7e14); }"
        "QPushButton:pressed { background: #e8590c; }"_s);
    m_newsButton->setFixedHeight(24);
    m_newsButton->adjustSize();
    m_newsButton->move(400, kFooter.center().y() - 11);
    connect(m_newsButton, &QPushButton::clicked, this, [this] {
        if (m_openers.news)
            m_openers.news(this);
    });

    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0x1c, 0x64, 0xb4));
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
    connect(m_chrome, &WindowChrome::pointerOverSurface, this, [this](QWidget *surface) {
        if (surface == this)
            pointerOverBackground();
    });

    // The rest of the start-up belongs to the window: the worksheet/test choice, the rounded
    // outline (WindowChrome), and the tip that may follow the buttons from now on.
    m_modeBox->setChecked(m_context.settings().system3() == u"1"_s);
    updateAvailability();
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
    if (m_openers.openUrl)
        m_openers.openUrl(index == 2 ? programinfo::homePage() : programinfo::parentsPage());
}

void MainMenuWindow::buttonHovered(qint16 command)
{
    if (const int tip = menu::tipPictureOf(command); tip != 0) {
        showTip(tip);
        m_tipFlag = true;
    }
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

void MainMenuWindow::updateAvailability()
{
    const bool typesOpen = bool(opensWorksheet() ? m_openers.worksheet : m_openers.test);
    const auto offer = [](HCommand *button, bool available) {
        button->setEnabled(available);
        button->setToolTip(available ? QString() : kComingSoon);
    };
    for (qint16 command = menu::FirstType; command <= menu::LastType; ++command)
        offer(m_buttons.at(command), typesOpen);
    offer(m_buttons.at(menu::Game24), bool(m_openers.game24));
    offer(m_buttons.at(menu::Records), bool(m_openers.records));
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
        runOrReport(this, u"“出题/测试”的选择没有保存"_s, [this] {
            m_context.settings().write(u"system_3"_s, opensWorksheet() ? u"1"_s : u"0"_s);
        });
        m_context.close();
        emit exited();
    }
    event->accept();
}

void MainMenuWindow::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_background.isNull() || m_background.devicePixelRatio() != ratio) {
        m_background = QPixmap(size() * ratio);
        m_background.setDevicePixelRatio(ratio);
        m_background.fill(Qt::transparent);
        QPainter painter(&m_background);
        painter.setRenderHint(QPainter::Antialiasing);
        paintBackground(painter);
    }

    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
    painter.drawPixmap(kTipAt, PictureRegistry::pixmap(m_tipPicture, ratio));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x1f, 0x6f, 0xb8), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(WindowChrome::outlinePath(size()));

    if (!m_painted) {
        m_painted = true;
        QTimer::singleShot(0, this, &MainMenuWindow::firstPainted);
    }
}

void MainMenuWindow::paintBackground(QPainter &painter) const
{
    paintSky(painter);
    paintHillsAndGrass(painter);
    paintTree(painter);
    paintFooter(painter);
}
