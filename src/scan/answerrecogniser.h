#pragma once

#include <opencv2/core.hpp>

#include <limits>
#include <memory>
#include <string>
#include <vector>

// What the reader made of one answer room, knowing the answer the room should hold.
struct AnswerReading
{
    enum class Verdict { Right, Wrong, Unsure };

    // The likeliest digits the room holds, left to right; empty when it holds no ink. May
    // hold an X where the ink is no digit (a crossing-out, a scribble, a stray stroke).
    std::string best;
    Verdict verdict = Verdict::Unsure;
    // Natural logarithms of the probability that the room holds the expected answer, and
    // that it holds the likeliest other reading (rival).
    double expectedScore = -std::numeric_limits<double>::infinity();
    double rivalScore = -std::numeric_limits<double>::infinity();
    std::string rival;
    // What the ink says of the best reading besides its score: too much of the room is ink
    // to be an answer (crowded), a piece of ink as wide as two digits holds one read digit
    // (merged), ink lies apart from every digit read (unread: a stroke the reading leaves
    // out). Any of them leaves the room unsure.
    bool crowded = false;
    bool merged = false;
    bool unread = false;
};

// Reads the handwritten answer in a room of a straightened page as a whole: a convolutional
// network gives, for each narrow column of the ink, how likely each digit is to be written
// there, and the likelihood of a whole reading sums over every way its digits can lie along
// the columns (CTC). So digits written close, touching or across one another are read
// together, and the expected answer is scored against the ink rather than against a
// reading: a room is right only when the expected answer is clearly likelier than anything
// else, wrong only when something else is clearly likelier than it.
// Not thread-safe: the network keeps its buffers between rooms.
class AnswerRecogniser
{
public:
    // By how much (natural log of the probability ratio) the expected answer must beat every
    // other reading to be right, and another reading beat it to be wrong.
    struct Margins
    {
        double right = 2.5;
        double wrong = 2.5;
    };

    // onnx: the model as trainanswers.py writes it; throws std::runtime_error if it is not one.
    explicit AnswerRecogniser(const std::vector<uchar> &onnx);
    ~AnswerRecogniser();
    AnswerRecogniser(AnswerRecogniser &&) noexcept;
    AnswerRecogniser &operator=(AnswerRecogniser &&) noexcept;

    // room: the room's pixels as cut from the straightened page, 8-bit grey, dark ink on light
    // paper. expected: the answer's digits.
    AnswerReading read(const cv::Mat &room, const std::string &expected) const;
    AnswerReading read(const cv::Mat &room, const std::string &expected, Margins margins) const;

    // The network's view of a room: kInputHeight × kInputWidth CV_32F, the ink's strength 0
    // to 1, its height scaled to a fixed size and centred; empty when the room holds no ink.
    static cv::Mat networkInput(const cv::Mat &room);
    // The verdict on a reading at other margins than those it was read with.
    static AnswerReading::Verdict verdictOf(
        const AnswerReading &reading, const std::string &expected, Margins margins);
    static constexpr int kInputHeight = 32;
    static constexpr int kInputWidth = 128;

private:
    struct Model;
    std::unique_ptr<Model> m_model;
};
