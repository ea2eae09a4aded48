#include "inkweighing.h"

#include "testitem.h"

#include <algorithm>

ReadAnswer answerFromInk(const InkWeighing &ink, const QString &expected, double margin)
{
    ReadAnswer answer { ink.best, false };
    if (ink.best.isEmpty() || ink.doubtful)
        return answer;
    // Where the rival is the right answer after all (another spelling of the same number),
    // it cannot speak against it.
    const bool rivalDiffers = !answersMatch(ink.rival, expected);
    if (ink.expectedScore - (rivalDiffers ? ink.rivalScore : InkWeighing::kNever) >= margin)
        return { expected, true };
    if (rivalDiffers && ink.rivalScore - std::max(ink.expectedScore, ink.runnerUpScore) >= margin)
        return { ink.rival, true };
    return answer;
}
