#include "digitreader.h"

struct DigitReader::Model
{
};

const DigitReader &DigitReader::builtIn()
{
    static const DigitReader reader;
    return reader;
}

DigitGuess DigitReader::read(const cv::Mat &) const
{
    return {};
}

DigitReader::DigitReader() = default;
DigitReader::~DigitReader() = default;
DigitReader::DigitReader(DigitReader &&) noexcept = default;
DigitReader &DigitReader::operator=(DigitReader &&) noexcept = default;
