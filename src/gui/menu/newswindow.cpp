#include "newswindow.h"

#include "cjkfont.h"
#include "chrome/hcommand.h"
#include "chrome/palette.h"
#include "chrome/titlestrip.h"
#include "chrome/windowchrome.h"

#include <QLabel>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSize kWindowSize(540, 290);
constexpr QRect kListArea(14, 46, 176, 230);
constexpr QRect kArticleArea(202, 46, 324, 230);
constexpr qint16 kCloseButton = 0;

struct Article
{
    QString headline;
    QString heading;
    QString text;
};

const QList<Article> &articles()
{
    static const QList<Article> list = {
        { u"7.0 版新在哪里"_s, u"晨曦算苑 7.0 版新在哪里"_s,
            u"新的苹果树菜单：十个苹果就是十种题型，按数字键 1～9、0 也能直接打开。"
            "“出题/测试”勾选时出练习卷打印，不勾时在电脑上限时测试，"
            "程序会记住你上次的选择。测试成绩自动保存最近一百次。"_s },
        { u"口算窍门：凑十法"_s, u"口算窍门：凑十法"_s,
            u"9 ＋ 6 怎么算得快？把 6 分成 1 和 5，先用 1 和 9 凑成 10，"
            "再加上 5，就是 15。记住“一九、二八、三七、四六、五五”这几对好朋友，"
            "进位加法就又快又准。"_s },
        { u"家长园地：每天十分钟"_s, u"家长园地：每天十分钟"_s,
            u"口算贵在坚持，不在多。每天选一种题型做十分钟，"
            "先求准确、再求速度；错题让孩子自己再算一遍，比多做一张卷子更有用。"
            "测试成绩里可以看到每次的用时和错题。"_s },
        { u"24点怎么玩"_s, u"24点怎么玩"_s,
            u"点一点白云就能开始：程序发给你四个数，每个数用一次。"
            "每一步挑两个数，用加、减、乘、除算出一个新数，除法要能整除；"
            "三步算出 24 就赢了。比如 4、7、8、8：\n"
            "〖8÷8=1〗〖7-1=6〗〖6×4=24〗\n"
            "想不出来也没关系，多玩几次就有感觉了。"_s },
    };
    return list;
}

} // namespace

NewsWindow::NewsWindow(QWidget *parent)
    : FeatureWindow(u"晨曦资讯"_s, kWindowSize, parent, Face::Paper)
{
    setFont(cjkFont(10));
    titleStrip()->setSubtitle(u"小窍门和新消息"_s);
    chrome()->addLinkResetSurface(this);

    HCommand *close = makeCloseGlyph(kCloseButton, u"关闭"_s);
    connect(close, &HCommand::clicked, this, &FeatureWindow::leave);
    setButtons({ close });

    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, QColor(palette::kLinkInk));
    int y = kListArea.y() + 14;
    for (qint16 index = 0; index < articles().size(); ++index) {
        auto *label = new QLabel(u"• "_s + articles().at(index).headline, this);
        label->setObjectName(u"link%1"_s.arg(index));
        label->setPalette(linkPalette);
        label->adjustSize();
        label->move(kListArea.x() + 10, y);
        y += label->height() + 14;
        m_headlines.append(label);
        chrome()->addLinkLabel(index, label);
    }
    connect(chrome(), &WindowChrome::linkActivated, this, &NewsWindow::showArticle);

    m_heading = new QLabel(this);
    m_heading->setFont(cjkFont(12, true));
    m_heading->setStyleSheet(palette::inkStyle(palette::kAccentInk));
    m_heading->setGeometry(
        kArticleArea.x() + 14, kArticleArea.y() + 12, kArticleArea.width() - 28, 26);
    m_article = new QLabel(this);
    m_article->setWordWrap(true);
    m_article->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_article->setStyleSheet(palette::inkStyle(palette::kBodyInk));
    m_article->setGeometry(kArticleArea.adjusted(14, 46, -14, -12));
    showArticle(0);
}

void NewsWindow::showArticle(qint16 index)
{
    if (index < 0 || index >= articles().size())
        return;
    m_shown = index;
    m_heading->setText(articles().at(index).heading);
    m_article->setText(articles().at(index).text);
    for (qsizetype i = 0; i < m_headlines.size(); ++i) {
        QFont font = m_headlines.at(i)->font();
        font.setBold(i == index);
        m_headlines.at(i)->setFont(font);
        m_headlines.at(i)->adjustSize();
    }
}

void NewsWindow::paintEvent(QPaintEvent *event)
{
    FeatureWindow::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(palette::kNewsListOutline), 1));
    painter.setBrush(QColor(255, 255, 255, 170));
    painter.drawRoundedRect(QRectF(kListArea).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(kArticleArea).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
}
