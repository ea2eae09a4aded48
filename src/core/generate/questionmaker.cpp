#include "questionmaker.h"

#include "generators.h"
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

QuestionMaker &processQuestionMaker()
{
    static QuestionMaker maker(processRandom());
    return maker;
}

QString makeQuestion(qint16 type, qint16 level)
{
    return processQuestionMaker().make(type, level);
}
