#include "solutionsdialog.h"

#include "cjkfont.h"
#include "chrome/palette.h"
#include "chrome/hcommand.h"
#include "chrome/titlestrip.h"

#include "game24/solver.h"

#include <QLabel>
#include <QListWidget>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSize kSize(380, 440);

} // namespace

SolutionsDialog::SolutionsDialog(const QList<int> &hand, QWidget *parent)
    : FeatureWindow(u"全部解法"_s, kSize, parent, Face::Cream)
{

    if (hand.size() == 4) {
        for (const game24::Solution &solution :
            game24::solve({ hand[0], hand[1], hand[2], hand[3] }))
            m_solutions << solution.expression + u" = 24"_s;
    }

    HCommand *close = makeCloseGlyph(0, u"关闭"_s);
    connect(close, &HCommand::clicked, this, &FeatureWindow::leave);
    setButtons({ close });

    QStringList numbers;
    for (int n : hand)
        numbers << QString::number(n);
    auto *heading = new QLabel(m_solutions.isEmpty()
            ? u"%1 用整数一步步算不出 24。"_s.arg(numbers.join(u"、"_s))
            : u"%1 一共有 %2 种算法："_s.arg(numbers.join(u"、"_s)).arg(m_solutions.size()),
        this);
    heading->setGeometry(16, TitleStrip::kHeight + 8, kSize.width() - 32, 24);
    heading->setFont(cjkFont(11, true));
    heading->setStyleSheet(palette::inkStyle(palette::kNoteInk));
    auto *rule = new QLabel(
        u"只是加、乘的先后或顺序不同，或者乘 1、除以 1 的地方不同的，算一种。"_s, this);
    rule->setGeometry(16, TitleStrip::kHeight + 32, kSize.width() - 32, 34);
    rule->setWordWrap(true);
    rule->setFont(cjkFont(9));
    rule->setStyleSheet(palette::inkStyle(palette::kSolutionsRule));
    rule->setVisible(!m_solutions.isEmpty());

    auto *list = new QListWidget(this);
    list->setGeometry(16, TitleStrip::kHeight + 70, kSize.width() - 32,
        kSize.height() - TitleStrip::kHeight - 86);
    list->setFont(cjkFont(15, true));
    list->setStyleSheet(u"QListWidget { background: white; border: 2px solid %1;"
                        " border-radius: 10px; color: %2; padding: 6px; }"
                        " QListWidget::item { padding: 4px; }"_s.arg(
                            palette::css(palette::kSolutionsOutline), palette::css(palette::kInk)));
    list->addItems(m_solutions);
}
