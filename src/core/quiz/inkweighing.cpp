#include "inkweighing.h"

#include "testitem.h"

#include <algorithm>

ReadAnswer answerFromInk(const InkWeighing &ink, const QString &expected, double margin)
{
    return answerFromInk(ink, expected, margin, margin);
}

ReadAnswer answerFromInk(
    const InkWeighing &ink, const QString &expected, double rightMargin, double wrongMargin)
{
    ReadAnswer answer { ink.best, false };
    if (ink.best.isEmpty() || ink.doubtful)
        return answer;
    // Where the rival is the right answer after all (another spelling of the same number),
    // it cannot speak against it.
    const bool rivalDiffers = !answersMatch(ink.rival, expected);
    if (ink.expectedScore - (rivalDiffers ? ink.rivalScore : InkWeighing::kNever) >= rightMargin)
        return { expected, true };
    if (rivalDiffers && ink.rivalScore - ink.expectedScore >= wrongMargin
        && ink.rivalScore - ink.runnerUpScore >= rightMargin)
        return { ink.rival, true };
    return answer;
}
