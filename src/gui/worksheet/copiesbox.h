#pragma once

#include "chrome/countbox.h"

#include <QStringList>

#include <optional>

// 份数: a count of copies, each with questions of its own, or below one copy a class of the
// data file, "全班": one copy for each pupil, printed with the pupil's name. A class shows as
// its name; "全班" is said beside it.
class CopiesBox final : public CountBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CopiesBox)

public:
    static constexpr int kMaxCopies = 60;

    explicit CopiesBox(QWidget *parent = nullptr);

    // The classes offered below one copy, in the order of the file's list.
    void setClasses(const QStringList &classes);
    // The class chosen, where one is.
    std::optional<QString> wholeClass() const;
    void chooseClass(const QString &className);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString &text) const override;
    QValidator::State validate(QString &text, int &pos) const override;

private:
    // The class a value below one stands for: 0 the first, -1 the second and so on.
    static int classIndex(int value) { return -value; }
    int classAt(const QString &text) const;

    QStringList m_classes;
};
