#include "formchooser.h"

#include "cjkfont.h"

#include <QComboBox>
#include <QWidget>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

QComboBox *list(QWidget *window, const QRect &place, const QString &toolTip)
{
    auto *box = new QComboBox(window);
    box->setGeometry(place);
    box->setFont(cjkFont(10.5));
    box->setToolTip(toolTip);
    return box;
}

} // namespace

FormChooser::FormChooser(QWidget *window, const QRect &carryPlace, const QRect &blankPlace)
    : QObject(window)
    , m_carry(list(window, carryPlace, u"进位、退位"_s))
    , m_blank(list(window, blankPlace, u"填空题：空出一个数，让孩子填"_s))
    , m_blankPlace(blankPlace)
{ }

void FormChooser::setType(qint16 type)
{
    const QuestionForm chosen = form(1);
    m_type = type;
    m_carry->clear();
    m_carry->addItem(type == 1 ? u"进位不限"_s
            : type == 2        ? u"退位不限"_s
                               : u"进退位不限"_s,
        int(CarryKind::Any));
    m_carry->addItem(
        u"必须"_s + QuestionForm::carryName(type, CarryKind::With), int(CarryKind::With));
    m_carry->addItem(QuestionForm::carryName(type, CarryKind::Without), int(CarryKind::Without));
    m_blank->clear();
    for (int place = int(BlankPlace::None); place <= int(BlankPlace::Any); ++place) {
        if (QuestionForm::offersBlank(type, BlankPlace(place)))
            m_blank->addItem(QuestionForm::blankName(BlankPlace(place)), place);
    }
    setForm({ type, 1, chosen.carry, chosen.blank });
    setVisible(true);
}

void FormChooser::setForm(const QuestionForm &form)
{
    m_carry->setCurrentIndex(std::max(0, m_carry->findData(int(form.carry))));
    m_blank->setCurrentIndex(std::max(0, m_blank->findData(int(form.blank))));
}

QuestionForm FormChooser::form(qint16 level) const
{
    QuestionForm form { m_type, level };
    if (carry::appliesTo(m_type))
        form.carry = CarryKind(m_carry->currentData().toInt());
    if (QuestionForm::offersBlank(m_type, BlankPlace::First))
        form.blank = BlankPlace(m_blank->currentData().toInt());
    return form;
}

void FormChooser::setVisible(bool visible)
{
    m_carry->setVisible(visible && carry::appliesTo(m_type));
    m_blank->setVisible(visible && QuestionForm::offersBlank(m_type, BlankPlace::First));
    // Side by side, the blank closes up where a type has no carrying to choose.
    const bool sideBySide = m_carry->y() == m_blankPlace.y();
    m_blank->move(sideBySide && m_carry->isHidden() ? m_carry->pos() : m_blankPlace.topLeft());
}
