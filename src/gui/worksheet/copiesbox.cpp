#include "copiesbox.h"

using namespace Qt::Literals::StringLiterals;

CopiesBox::CopiesBox(QWidget *parent)
    : CountBox(parent)
{
    setRange(1, kMaxCopies);
}

void CopiesBox::setClasses(const QStringList &classes)
{
    const std::optional<QString> chosen = wholeClass();
    m_classes = classes;
    setMinimum(1 - int(classes.size()));
    // A class gone from the file leaves one copy, never another class's.
    if (chosen && classes.contains(*chosen))
        chooseClass(*chosen);
    else
        setValue(std::max(value(), 1));
    setToolTip(classes.isEmpty()
            ? u"多于一份时，打印与导出整套卷子，每份题目不同"_s
            : u"多于一份时，打印与导出整套卷子，每份题目不同。调到 1 以下是“全班”："
              "名单上每人一份，印上姓名"_s);
}

std::optional<QString> CopiesBox::wholeClass() const
{
    const int index = classIndex(value());
    return value() < 1 && index < m_classes.size() ? std::optional(m_classes[index]) : std::nullopt;
}

void CopiesBox::chooseClass(const QString &className)
{
    if (const qsizetype index = m_classes.indexOf(className); index >= 0)
        setValue(-int(index));
}

QString CopiesBox::textFromValue(int value) const
{
    return value >= 1 || classIndex(value) >= m_classes.size() ? CountBox::textFromValue(value)
                                                               : m_classes[classIndex(value)];
}

int CopiesBox::classAt(const QString &text) const
{
    const QString typed = text.trimmed();
    for (qsizetype i = 0; i < m_classes.size(); ++i) {
        if (typed == m_classes[i] || typed == m_classes[i] + u"全班"_s)
            return int(i);
    }
    return -1;
}

int CopiesBox::valueFromText(const QString &text) const
{
    if (const int index = classAt(text); index >= 0)
        return -index;
    return CountBox::valueFromText(text);
}

QValidator::State CopiesBox::validate(QString &text, int &pos) const
{
    if (classAt(text) >= 0)
        return QValidator::Acceptable;
    // A class's name on its way as it is typed.
    const QString typed = text.trimmed();
    if (!typed.isEmpty() && !typed.front().isDigit()) {
        for (const QString &name : m_classes) {
            if (QString(name + u"全班"_s).startsWith(typed))
                return QValidator::Intermediate;
        }
    }
    return CountBox::validate(text, pos);
}
