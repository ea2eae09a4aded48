#include "questionmaker.h"

#include "generators.h"
#include "numbers.h"
#include "operandline.h"
#include "randomsource.h"

QuestionMaker::QuestionMaker(RandomSource &rnd)
    : m_rnd(rnd)
{ }

QString QuestionMaker::make(qint16 type, qint16 level)
{
    switch (type) {
    case 1:
        return makeAdditionQuestion(level, m_rnd, m_additionFacts);
    case 2:
        return makeSubtractionQuestion(level, m_rnd, m_subtractionFacts);
    case 3:
        // A fresh coin per question: type 3 keeps no state of its own.
        return m_rnd.next() >= 0.5f ? makeAdditionQuestion(level, m_rnd, m_additionFacts)
                                    : makeSubtractionQuestion(level, m_rnd, m_subtractionFacts);
    case 4:
        return makeThreeTermQuestion(level, m_rnd);
    case 5:
        return makeMultiplicationQuestion(level, m_rnd);
    case 6:
        return makeMulAddSubQuestion(level, m_rnd);
    case 7:
        return makeDivisionQuestion(level, m_rnd);
    case 8:
        return makeDivAddSubQuestion(level, m_rnd);
    case 9:
        return makeMulDivChainQuestion(level, m_rnd);
    case 10:
        return makeMixedQuestion(level, m_rnd);
    default:
        return QString();
    }
}

QString QuestionMaker::make(const QuestionForm &form)
{
    QString line;
    if (form.carry == CarryKind::Any || !carry::appliesTo(form.type)) {
        line = make(form.type, form.level);
    } else {
        // Lines of the level drawn as always, kept when they are of the kind: the sheet stays
        // one its type and level could print. Even the rarest kind a level makes turns up
        // within a few hundred lines; the ceiling only stops a level that makes none.
        constexpr int kAttempts = 100000;
        for (int attempt = 0; attempt < kAttempts && line.isEmpty(); ++attempt) {
            const QString drawn = make(form.type, form.level);
            if (carry::isOfKind(drawn, form.carry))
                line = drawn;
        }
    }
    if (form.blank == BlankPlace::None || line.isEmpty())
        return line;
    const qsizetype operands = OperandLine::read(line).operands.size();
    const int index = form.blank == BlankPlace::Any ? randomInt(0, qint16(operands - 1), m_rnd)
                                                    : int(form.blank) - 1;
    return blankform::make(line, index).value_or(QString());
}

QuestionMaker &processQuestionMaker()
{
    static QuestionMaker maker(processRandom());
    return maker;
}

QString makeQuestion(qint16 type, qint16 level)
{
    return processQuestionMaker().make(type, level);
}
