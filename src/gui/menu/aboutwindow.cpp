#include "aboutwindow.h"

#include "cjkfont.h"
#include "chrome/hcommand.h"
#include "chrome/palette.h"
#include "chrome/pictureregistry.h"
#include "chrome/titlestrip.h"
#include "chrome/windowchrome.h"
#include "menuopeners.h"

#include "program/programinfo.h"

#include <QLabel>
#include <QPainter>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSize kWindowSize(440, 316);
constexpr qint16 kCloseButton = 0;
constexpr qint16 kLeaveButton = 1;
constexpr QPoint kIconAt(26, 46);

} // namespace

AboutWindow::AboutWindow(UrlOpener openUrl, QWidget *parent)
    : FeatureWindow(u"关于%1"_s.arg(programinfo::productName()), kWindowSize, parent, Face::Sky)
    , m_openUrl(std::move(openUrl))
{
    setFont(cjkFont(10));
    titleStrip()->setTitle(u"关于%1"_s.arg(programinfo::title()));

    HCommand *close = makeCloseGlyph(kCloseButton, u"关闭"_s);
    auto *leave = new HCommand(picture::kLeave, kLeaveButton, this);
    leave->move(
        (kWindowSize.width() - leave->width()) / 2, kWindowSize.height() - leave->height() - 16);
    for (HCommand *button : { close, leave })
        connect(button, &HCommand::clicked, this, &FeatureWindow::leave);
    // As in the other windows, the first focus is the window's own button's; the glyph in
    // the corner comes last.
    setTabOrder(leave, close);
    leave->setFocus();
    chrome()->setButtons({ close, leave });
    chrome()->addButtonResetSurface(this);
    chrome()->addLinkResetSurface(this);

    auto *name = new QLabel(programinfo::productName(), this);
    name->setFont(cjkFont(20, true));
    name->setStyleSheet(palette::inkStyle(palette::kAccentInk));
    name->adjustSize();
    name->move(112, 50);

    auto *version = new QLabel(
        u"版本 %1　·　%2"_s.arg(programinfo::version(), programinfo::subtitle()), this);
    version->setStyleSheet(palette::inkStyle(palette::kVersionInk));
    version->adjustSize();
    version->move(114, name->geometry().bottom() + 2);

    auto *text = new QLabel(u"十种口算题型，从“A + B”到四则混合，每种分几级难度。"
                            "可以出练习卷和答案打印出来，也可以在电脑上限时测试、"
                            "自动批改、保存成绩；做累了，还能玩一玩24点。"
                            "一切都在本机，不用联网。"_s,
        this);
    text->setWordWrap(true);
    text->setFixedWidth(kWindowSize.width() - 56);
    text->setStyleSheet(palette::inkStyle(palette::kBodyInk));
    text->adjustSize();
    text->move(28, 136);

    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, QColor(palette::kLinkInk));
    const std::pair<qint16, QString> links[] = {
        { 0, u"官方网站"_s },
        { 1, u"意见反馈"_s },
    };
    int x = 28;
    for (const auto &[index, caption] : links) {
        auto *label = new QLabel(caption, this);
        label->setObjectName(u"link%1"_s.arg(index));
        label->setPalette(linkPalette);
        label->adjustSize();
        label->move(x, text->geometry().bottom() + 12);
        x += label->width() + 24;
        chrome()->addLinkLabel(index, label);
    }
    connect(chrome(), &WindowChrome::linkActivated, this, &AboutWindow::openLink);
}

void AboutWindow::openLink(qint16 index)
{
    openPage(
        this, m_openUrl, index == 0 ? programinfo::homePage() : programinfo::feedbackAddress());
}

void AboutWindow::paintEvent(QPaintEvent *event)
{
    FeatureWindow::paintEvent(event);
    QPainter painter(this);
    painter.drawPixmap(
        kIconAt, PictureRegistry::pixmap(PictureRegistry::kProgramIcon, devicePixelRatioF()));
}
