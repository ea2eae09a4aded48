#pragma once

#include "sheetmarking.h"

#include <QString>

#include <limits>

// What a recogniser made of the ink in one answer room, with the answer the room should hold
// weighed against it. Scores are natural logarithms of likelihoods, comparable within one
// room only.
struct InkWeighing
{
    static constexpr double kNever = -std::numeric_limits<double>::infinity();

    QString best; // the likeliest reading; empty where the room holds no ink
    double expectedScore = kNever; // of the right answer's digits
    QString rival; // the likeliest reading other than the right answer
    double rivalScore = kNever;
    double runnerUpScore = kNever; // of the likeliest reading that is neither of them
    // The ink holds more than a reading of it says: strokes apart from every digit read, a
    // crossing-out, a piece as wide as two digits read as one.
    bool doubtful = false;
};

// The reading marking takes from a room: the right answer, sure, where the ink says it
// clearly rather than anything else; the rival, sure, where the ink clearly says the rival
// rather than the right answer or anything else; otherwise the likeliest reading, unsure, for
// the parent to look at. margin: by how much one reading must be likelier than the other
// (natural logarithm of the ratio) for the marking to believe it, as the recogniser was tuned.
// Doubtful ink and an empty room are never sure: a skipped question is the parent's to judge, and a
// child's right answer is never filed as wrong on a guess.
ReadAnswer answerFromInk(const InkWeighing &ink, const QString &expected, double margin);
// The same with a margin of its own for a wrong verdict: a misreading of what the child wrote
// right still finds the right answer fairly likely, where a different number written leaves
// it far behind, so that a wider margin for wrong turns misreadings into doubts and keeps
// wrong answers sure.
ReadAnswer answerFromInk(
    const InkWeighing &ink, const QString &expected, double rightMargin, double wrongMargin);
