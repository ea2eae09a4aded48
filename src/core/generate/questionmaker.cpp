#include "questionmaker.h"

#include "addsubgenerators.h"
#include "randomsource.h"

QuestionMaker::QuestionMaker(RandomSource &rnd) : m_rnd(rnd) { }

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
