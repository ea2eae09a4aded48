#include "questionline.h"

QuestionParts splitQuestionLine(const QString &line)
{
    const qsizetype at = line.indexOf(QChar(kEqualsSign));
    if (at < 0)
        return { line, QString() };
    // Only blanks are trimmed, as the answer column is compared as typed.
    QStringView rest = QStringView(line).mid(at + 1);
    while (!rest.isEmpty() && rest.front() == u' ')
        rest = rest.mid(1);
    while (!rest.isEmpty() && rest.back() == u' ')
        rest.chop(1);
    return { line.left(at + 1), rest.toString() };
}
