#include "sheetreader.h"

#include "digitreader.h"
#include "digitsplitter.h"

#include "quiz/inkweighing.h"
#include "worksheet/scannablesheet.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace sheetreader {

namespace {

// Likelihoods below this are the model's rounding, not evidence.
double logOf(double probability)
{
    return std::log(std::max(probability, 1e-9));
}

InkWeighing weigh(const SplitRoom &split, const QString &expected)
{
    InkWeighing ink;
    ink.doubtful = split.messy;
    std::vector<DigitGuess> guesses;
    for (const cv::Mat &piece : split.digits) {
        const DigitGuess guess = DigitReader::builtIn().read(piece);
        if (guess.digit < 0)
            ink.doubtful = true;
        if (guess.digit >= 0)
            guesses.push_back(guess);
    }
    if (guesses.empty())
        return ink;

    double bestScore = 0;
    for (const DigitGuess &guess : guesses) {
        ink.best += QChar(u'0' + guess.digit);
        bestScore += logOf(guess.confidence);
    }
    // The other readings worth weighing: the best with one digit changed, likeliest first.
    struct Other
    {
        QString digits;
        double score;
    };
    std::vector<Other> others;
    for (size_t i = 0; i < guesses.size(); ++i) {
        for (int digit = 0; digit < 10; ++digit) {
            if (digit == guesses[i].digit)
                continue;
            QString digits = ink.best;
            digits[qsizetype(i)] = QChar(u'0' + digit);
            others.push_back({ digits,
                bestScore - logOf(guesses[i].confidence)
                    + logOf(guesses[i].probabilities[size_t(digit)]) });
        }
    }
    std::sort(others.begin(), others.end(),
        [](const Other &a, const Other &b) { return a.score > b.score; });
    std::erase_if(others, [&](const Other &other) { return other.digits == expected; });

    // Each piece is read as one digit: an answer of another length the pieces cannot score.
    if (expected.size() == ink.best.size()) {
        ink.expectedScore = 0;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const int digit = expected[i].digitValue();
            ink.expectedScore += digit < 0 ? InkWeighing::kNever
                                           : logOf(guesses[size_t(i)].probabilities[size_t(digit)]);
        }
    }
    if (ink.best == expected) {
        ink.rival = others.front().digits;
        ink.rivalScore = others.front().score;
        ink.runnerUpScore = others.size() > 1 ? others[1].score : InkWeighing::kNever;
    } else {
        ink.rival = ink.best;
        ink.rivalScore = bestScore;
        ink.runnerUpScore = others.empty() ? InkWeighing::kNever : others.front().score;
    }
    return ink;
}

} // namespace

ReadAnswer readRoom(const cv::Mat &straightenedPage, const QRectF &room, const QString &expected)
{
    const cv::Rect pixels = pagefinder::pixelRect(room)
        & cv::Rect(0, 0, straightenedPage.cols, straightenedPage.rows);
    if (pixels.empty())
        return {};
    return answerFromInk(weigh(digitsplitter::split(straightenedPage(pixels)), expected), expected,
        DigitReader::kClearMargin);
}

QMap<int, ReadAnswer> readAnswers(const StraightenedPage &page, const ScannableSheet &sheet)
{
    QMap<int, ReadAnswer> answers;
    for (const ScanRoom &room : sheet.rooms) {
        if (room.page == page.code.page)
            answers.insert(room.position, readRoom(page.image, room.room, room.answer));
    }
    return answers;
}

} // namespace sheetreader
