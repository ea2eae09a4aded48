#pragma once

#include "generate/questionform.h"

#include <QObject>
#include <QRect>

class QComboBox;
class QWidget;

// Two small lists beside a window's level: whether the questions must carry or borrow (for
// the types that have the choice) and which operand the child fills in (for the types that
// have operands to leave out). A list shows only where the type offers it.
class FormChooser final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormChooser)

public:
    FormChooser(QWidget *window, const QRect &carryPlace, const QRect &blankPlace);

    QComboBox *carryList() const { return m_carry; }
    QComboBox *blankList() const { return m_blank; }

    // Fills the lists for the type and shows those it offers; a chosen form it offers stays.
    void setType(qint16 type);
    void setForm(const QuestionForm &form);
    QuestionForm form(qint16 level) const;
    // Shows or hides the lists the type offers, as the window's other choices come and go.
    void setVisible(bool visible);

private:
    QComboBox *m_carry;
    QComboBox *m_blank;
    QRect m_blankPlace;
    qint16 m_type = 0;
};
