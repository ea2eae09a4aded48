#pragma once

#include "quiz/inkweighing.h"

#include <opencv2/core.hpp>

#include <memory>
#include <vector>

// Reads the handwritten answer in a room of a straightened page as a whole: a convolutional
// network gives, for each narrow column of the ink, how likely each digit is to be written
// there, and the likelihood of a whole reading sums over every way its digits can lie along
// the columns (CTC). So digits written close, touching or across one another are read
// together, and the expected answer is scored against the ink rather than against a
// reading. The model holds two such networks trained from different seeds; a reading's
// probability is the average of theirs, so that where they disagree the room is unsure.
// Not thread-safe: the network keeps its buffers between rooms.
class AnswerRecogniser
{
public:
    // onnx: the model as trainanswers.py writes it; throws std::runtime_error if it is not one.
    explicit AnswerRecogniser(const std::vector<uchar> &onnx);
    ~AnswerRecogniser();
    AnswerRecogniser(AnswerRecogniser &&) noexcept;
    AnswerRecogniser &operator=(AnswerRecogniser &&) noexcept;

    // room: the room's pixels as cut from the straightened page, 8-bit grey, dark ink on light
    // paper. expected: the answer's digits. The ink is doubtful where too much of the room is
    // ink to be an answer, a piece as wide as two digits holds one digit read, ink lies apart
    // from every digit read, or the reading holds a stroke that is no digit (X).
    InkWeighing weigh(const cv::Mat &room, const QString &expected) const;

    // The model built into the reader (resources/reader/answers.onnx), loaded on first use;
    // throws std::runtime_error if it is missing.
    static const AnswerRecogniser &builtIn();
    // By how much (natural log) one reading must beat the other for marking to believe it.
    // Chosen with QRTA_TRIAL_TUNE=1 scripts/scan-trial, on photographed sheets written with the
    // half of the held-out digits the trial never reports on (2,640 answers, half of them in a
    // fine pen's line). Alike on both sides, 2.0 gave 1.10 % wrong verdicts and 6.9 % unsure,
    // 3.0 0.68 % and 10.1 %, 5.0 0.23 % and 17.3 %: nearly every wrong verdict came from
    // calling a right answer wrong, which kWrongMargin guards. With it, a right verdict needing
    // 0.5 left 5.0 % unsure, 0.75 5.7 %, 1.0 6.4 %, 1.25 7.0 %, 1.5 7.8 %, 2.0 9.0 %, none
    // with a wrong answer called right. At 0.75 a child's wrong answer is only called right
    // when the right reading is twice as likely as anything else the ink could say; below it
    // that guard grows thin for writing unlike the sheet's, above it each quarter costs most
    // of a point in doubts. 0.75.
    static constexpr double kMargin = 0.75;
    // By how much another reading must beat the right answer for marking to call it wrong.
    // A child's right answer misread keeps the right reading fairly likely; a different
    // number written leaves it tens behind. On the same tuning sheets, with 2.5 for right,
    // a wrong margin of 5 left 0.61 % wrong verdicts and 8.8 % unsure, 8 0.15 % and 9.5 %, 10
    // 0.04 % and 10.4 %, 12 none and 11.5 %; with 0.75 for right, 8 left 4.8 % unsure, 10
    // 5.7 %, 12 7.3 %. 10 leaves one right answer in 2,640 called wrong, where 12 would cost
    // one and a half points more in doubts.
    static constexpr double kWrongMargin = 10;

    // The network's view of a room: kInputHeight × kInputWidth CV_32F, the ink's strength 0
    // to 1, its height scaled to a fixed size and centred; empty when the room holds no ink.
    static cv::Mat networkInput(const cv::Mat &room);
    static constexpr int kInputHeight = 32;
    static constexpr int kInputWidth = 128;

private:
    struct Model;
    std::unique_ptr<Model> m_model;
};
