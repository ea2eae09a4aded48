#pragma once

#include "questionform.h"
#include "factbank.h"

#include <QString>

class RandomSource;

// The one entry point through which windows and tools obtain questions. It
// owns the two fact banks, which cycle for as long as the maker lives.
class QuestionMaker
{
public:
    explicit QuestionMaker(RandomSource &rnd);

    // A question line of the type at the level; empty for an unknown type or
    // a level the type's generator does not know.
    QString make(qint16 type, qint16 level);
    // A line of the form: only lines that carry or borrow, or only lines that never do, and
    // with its blank (blankform); empty where no line of the form can be made
    // (QuestionForm::problem tells beforehand).
    QString make(const QuestionForm &form);

    RandomSource &random() { return m_rnd; }

private:
    RandomSource &m_rnd;
    FactBank m_additionFacts { FactBank::Kind::Addition };
    FactBank m_subtractionFacts { FactBank::Kind::Subtraction };
};

// The process-wide maker over processRandom().
QuestionMaker &processQuestionMaker();
QString makeQuestion(qint16 type, qint16 level);
