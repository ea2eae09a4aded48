#include "digitreader.h"

#include "digitimage.h"
#include "digitnet.h"

#include <QFile>

#include <stdexcept>
#include <vector>

using namespace Qt::Literals::StringLiterals;

struct DigitReader::Model
{
    // Several networks trained apart: their average is both more often right and more
    // honest about its doubts than any one of them.
    std::vector<DigitNet> nets;
};

const DigitReader &DigitReader::builtIn()
{
    static const DigitReader reader = [] {
        QFile file(u":/reader/digits.json"_s);
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error("the built-in digit model is missing");
        return DigitReader(file.readAll().toStdString());
    }();
    return reader;
}

DigitReader::DigitReader(const std::string &modelText)
    : m_model(std::make_unique<Model>())
{
    try {
        cv::FileStorage storage(modelText, cv::FileStorage::READ | cv::FileStorage::MEMORY);
        const cv::FileNode nets = storage["nets"];
        for (const cv::FileNode &net : nets)
            m_model->nets.push_back(DigitNet::read(net));
        if (m_model->nets.empty())
            throw std::runtime_error("the digit model has no networks");
    } catch (const cv::Exception &e) {
        throw std::runtime_error(std::string("the digit model cannot be read: ") + e.what());
    }
}

DigitGuess DigitReader::read(const cv::Mat &ink) const
{
    if (!m_model)
        return {};
    const cv::Mat normalised = digitimage::normalise(ink);
    if (normalised.empty())
        return {};
    const cv::Mat features = digitimage::features(normalised);
    cv::Mat p = cv::Mat::zeros(1, 10, CV_32F);
    for (const DigitNet &net : m_model->nets)
        p += net.probabilities(features);
    p /= double(m_model->nets.size());
    cv::Point best;
    double top;
    cv::minMaxLoc(p, nullptr, &top, nullptr, &best);
    DigitGuess guess { best.x, top, {} };
    for (int digit = 0; digit < 10; ++digit)
        guess.probabilities[size_t(digit)] = p.at<float>(0, digit);
    return guess;
}

DigitReader::DigitReader() = default;
DigitReader::~DigitReader() = default;
DigitReader::DigitReader(DigitReader &&) noexcept = default;
DigitReader &DigitReader::operator=(DigitReader &&) noexcept = default;
