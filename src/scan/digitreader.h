#pragma once

#include <opencv2/core.hpp>

#include <array>
#include <memory>
#include <string>

// One handwritten digit recognised: the digit and how sure the recogniser is of it,
// 0 (a guess) to 1 (certain).
struct DigitGuess
{
    int digit = -1;
    double confidence = 0;
    std::array<double, 10> probabilities {}; // of each digit; confidence is the digit's
};

// The recogniser of handwritten digits, trained by scripts/train-reader and built into the
// program: nothing is downloaded.
class DigitReader
{
public:
    // A reading is sure above this confidence. Chosen on digits the model was never trained on
    // so that a wrong reading is rarely sure while nearly every right one is: 0.9 let through
    // half again as many wrong readings of the same digits drawn larger or thicker.
    static constexpr double kSureAbove = 0.95;
    // The same bar for readings of whole answers: the likeliest beats the nearest other by
    // 0.95 to 0.05 in one digit.
    static constexpr double kClearMargin = 2.9444389791664403; // ln 19

    // The model built into the program, loaded once.
    static const DigitReader &builtIn();

    // ink: one digit's crop, white ink on black, any size (as digitsplitter gives it). No ink
    // gives digit -1 with confidence 0.
    DigitGuess read(const cv::Mat &ink) const;

    // A model as the trainer writes it (OpenCV's FileStorage text); throws std::runtime_error
    // if it is not one.
    explicit DigitReader(const std::string &modelText);

    DigitReader();
    ~DigitReader();
    DigitReader(DigitReader &&) noexcept;
    DigitReader &operator=(DigitReader &&) noexcept;

private:
    struct Model;
    std::unique_ptr<Model> m_model;
};
