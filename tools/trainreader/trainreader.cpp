// Trains the digit recogniser built into the program (resources/reader/digits.json) on OpenCV's
// sample of 5,000 handwritten digits, and reports its accuracy on the part it never saw.
//   qrta-train-reader DIGITS_PNG OUTPUT_JSON
#include "digitimage.h"
#include "digitnet.h"
#include "digitreader.h"
#include "matimage.h"

#include <opencv2/imgproc.hpp>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numeric>
#include <vector>

namespace {

// digits.png: cells of 20 × 20, 100 to a row, 5 rows for each digit 0 to 9.
constexpr int kCell = 20;
constexpr int kPerDigit = 500;
// The last 50 of each digit's 500 are kept for the report, never trained on.
constexpr int kTrainedPerDigit = 450;

// Each training digit is seen as written, turned a little (kMild times: the sample's own
// grey strokes), and as a photographed answer might show it (the rest of kVariants).
constexpr int kVariants = 12;
constexpr int kMild = 6;
// Three networks of 96 hidden units: the ensemble's average is both more accurate and less
// often sure of a wrong reading than one larger network, measured on the held-out digits,
// and the model stays under 300 KB.
constexpr int kNets = 3;
constexpr int kHidden = 96;
constexpr int kEpochs = 24;
constexpr int kBatch = 64;
constexpr float kDecay = 5e-4f;
constexpr double kDropout = 0.3;
constexpr uint64_t kSeed = 20261207;

struct Sample
{
    cv::Mat ink;
    int digit;
};

cv::Mat cell(const cv::Mat &sheet, int digit, int index)
{
    const int row = digit * (kPerDigit / 100) + index / 100, column = index % 100;
    return sheet(cv::Rect(column * kCell, row * kCell, kCell, kCell)).clone();
}

// The digit enlarged by size on a black margin wide enough to turn it in.
cv::Mat enlarged(const cv::Mat &digit, double size)
{
    cv::Mat grey;
    cv::resize(digit, grey, cv::Size(), size, size, cv::INTER_CUBIC);
    const int pad = int(std::ceil(6 * size));
    cv::copyMakeBorder(grey, grey, pad, pad, pad, pad, cv::BORDER_CONSTANT, 0);
    return grey;
}

// One digit as it might come from a photographed answer room after straightening and
// thresholding: another size, slant, small turn, pen or pencil thickness, edge blur and noise,
// then black and white.
cv::Mat photographed(const cv::Mat &digit, cv::RNG &rng)
{
    const double size = rng.uniform(0.8, 3.5);
    cv::Mat grey = enlarged(digit, size);

    const cv::Point2d centre(grey.cols / 2.0, grey.rows / 2.0);
    const double turn = rng.uniform(-10.0, 10.0) * CV_PI / 180, shear = rng.uniform(-0.3, 0.3);
    const double sx = rng.uniform(0.8, 1.2), sy = rng.uniform(0.9, 1.1);
    const cv::Matx22d linear
        = cv::Matx22d(std::cos(turn), -std::sin(turn), std::sin(turn), std::cos(turn))
        * cv::Matx22d(1, shear, 0, 1) * cv::Matx22d(sx, 0, 0, sy);
    const cv::Vec2d shift = cv::Vec2d(centre.x, centre.y) - linear * cv::Vec2d(centre.x, centre.y);
    const cv::Matx23d affine(
        linear(0, 0), linear(0, 1), shift[0], linear(1, 0), linear(1, 1), shift[1]);
    cv::warpAffine(grey, grey, affine, grey.size(), cv::INTER_LINEAR, cv::BORDER_CONSTANT, 0);

    const double blur = rng.uniform(0.0, 0.6) * size;
    if (blur > 0.3)
        cv::GaussianBlur(grey, grey, cv::Size(), blur);
    cv::Mat noise(grey.size(), CV_16S);
    rng.fill(noise, cv::RNG::NORMAL, 0, rng.uniform(0.0, 25.0));
    cv::Mat noisy;
    grey.convertTo(noisy, CV_16S);
    noisy += noise;
    noisy.convertTo(grey, CV_8U);

    // A high threshold thins the stroke like a hard pencil, a low one thickens it like a pen;
    // at larger sizes erosion and dilation go further.
    cv::Mat ink;
    cv::threshold(grey, ink, rng.uniform(50, 190), 255, cv::THRESH_BINARY);
    const int morph = rng.uniform(-1, 2);
    if (morph != 0 && size >= 2) {
        const int k = size >= 3 ? 5 : 3;
        const cv::Mat kernel = cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(k, k));
        if (morph < 0)
            cv::erode(ink, ink, kernel);
        else
            cv::dilate(ink, ink, kernel);
    }
    if (cv::countNonZero(ink) == 0)
        return digit;
    return ink;
}

// The digit at another size and a little turned, its grey edges kept: enough of the training
// stays near the sample's own look that photographed variants do not crowd it out.
cv::Mat mild(const cv::Mat &digit, cv::RNG &rng)
{
    const double size = rng.uniform(1.0, 3.0);
    cv::Mat grey = enlarged(digit, size);
    const cv::Point2f centre(grey.cols / 2.0f, grey.rows / 2.0f);
    const cv::Mat affine
        = cv::getRotationMatrix2D(centre, rng.uniform(-8.0, 8.0), rng.uniform(0.9, 1.1));
    cv::warpAffine(grey, grey, affine, grey.size(), cv::INTER_LINEAR, cv::BORDER_CONSTANT, 0);
    return grey;
}

cv::Mat featureRows(const std::vector<Sample> &samples)
{
    cv::Mat rows(int(samples.size()), digitimage::featureCount(), CV_32F);
    for (size_t i = 0; i < samples.size(); ++i)
        digitimage::features(digitimage::normalise(samples[i].ink)).copyTo(rows.row(int(i)));
    return rows;
}

// Mini-batch gradient descent with momentum on the softmax's cross-entropy: its outputs are
// probabilities, which the reader's confidence relies on.
DigitNet train(const cv::Mat &x, const std::vector<int> &labels, cv::RNG &rng)
{
    DigitNet net;
    cv::Mat mean, deviation;
    net.mean.create(1, x.cols, CV_32F);
    net.scale.create(1, x.cols, CV_32F);
    for (int c = 0; c < x.cols; ++c) {
        cv::meanStdDev(x.col(c), mean, deviation);
        net.mean.at<float>(c) = float(mean.at<double>(0));
        net.scale.at<float>(c) = float(1.0 / std::max(deviation.at<double>(0), 1e-3));
    }
    const int n = x.rows, inputs = x.cols;
    net.w1.create(inputs, kHidden, CV_32F);
    rng.fill(net.w1, cv::RNG::NORMAL, 0, std::sqrt(2.0 / inputs));
    net.b1 = cv::Mat::zeros(1, kHidden, CV_32F);
    net.w2.create(kHidden, 10, CV_32F);
    rng.fill(net.w2, cv::RNG::NORMAL, 0, std::sqrt(1.0 / kHidden));
    net.b2 = cv::Mat::zeros(1, 10, CV_32F);

    std::vector<cv::Mat *> params { &net.w1, &net.b1, &net.w2, &net.b2 };
    std::vector<cv::Mat> velocity;
    for (const cv::Mat *p : params)
        velocity.push_back(cv::Mat::zeros(p->size(), CV_32F));

    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    const int steps = kEpochs * (n / kBatch);
    int step = 0;
    cv::Mat batch(kBatch, inputs, CV_32F), target(kBatch, 10, CV_32F);
    for (int epoch = 0; epoch < kEpochs; ++epoch) {
        for (int i = n - 1; i > 0; --i)
            std::swap(order[i], order[rng.uniform(0, i + 1)]);
        double loss = 0;
        for (int start = 0; start + kBatch <= n; start += kBatch, ++step) {
            target = 0.0f;
            for (int b = 0; b < kBatch; ++b) {
                x.row(order[start + b]).copyTo(batch.row(b));
                target.at<float>(b, labels[order[start + b]]) = 1;
            }
            // Dropout: each step trains a thinned network, so that no hidden unit can lean
            // on a few others, which makes the whole less sure of digits unlike the training's.
            cv::Mat keep(kBatch, kHidden, CV_32F);
            rng.fill(keep, cv::RNG::UNIFORM, 0, 1);
            keep = (keep >= kDropout) / 255;
            keep.convertTo(keep, CV_32F, 1 / (1 - kDropout));
            const cv::Mat standardised = net.standardise(batch);
            const cv::Mat hidden = net.hidden(standardised).mul(keep);
            const cv::Mat p = net.outputs(hidden);
            for (int b = 0; b < kBatch; ++b)
                loss -= std::log(std::max(p.at<float>(b, labels[order[start + b]]), 1e-12f));
            const cv::Mat dOut = (p - target) / kBatch;
            cv::Mat dHidden = DigitNet::multiply(dOut, net.w2.t());
            dHidden.setTo(0, hidden <= 0);
            dHidden = dHidden.mul(keep);
            const cv::Mat dW2 = DigitNet::multiply(hidden.t(), dOut);
            const cv::Mat dW1 = DigitNet::multiply(standardised.t(), dHidden);
            cv::Mat dB2, dB1;
            cv::reduce(dOut, dB2, 0, cv::REDUCE_SUM);
            cv::reduce(dHidden, dB1, 0, cv::REDUCE_SUM);
            const std::vector<cv::Mat> grads { dW1 + kDecay * net.w1, dB1, dW2 + kDecay * net.w2,
                dB2 };
            // Cosine decay: large steps first, fine ones at the end.
            const float rate
                = float(0.05 * 0.5 * (1 + std::cos(CV_PI * step / double(steps))) + 1e-4);
            for (size_t k = 0; k < params.size(); ++k) {
                velocity[k] = 0.9f * velocity[k] - rate * grads[k];
                *params[k] += velocity[k];
            }
        }
        std::printf("epoch %2d: loss %.4f\n", epoch + 1, loss / (n / kBatch * kBatch));
        std::fflush(stdout);
    }
    return net;
}

struct Reading
{
    int digit;
    DigitGuess guess;
};

void report(const char *what, const std::vector<Reading> &readings)
{
    int right = 0;
    for (const Reading &r : readings)
        right += r.guess.digit == r.digit;
    std::printf("%s: %d digits, accuracy %.2f %%\n", what, int(readings.size()),
        100.0 * right / readings.size());
    for (const double threshold : { 0.5, 0.7, 0.8, 0.9, 0.95, 0.98, 0.99 }) {
        int sure = 0, sureWrong = 0;
        for (const Reading &r : readings) {
            if (r.guess.confidence > threshold) {
                ++sure;
                sureWrong += r.guess.digit != r.digit;
            }
        }
        std::printf("  sure above %.2f%s: %.2f %% sure, %d wrong among them (%.2f %%)\n", threshold,
            threshold == DigitReader::kSureAbove ? " (the reader's)" : "",
            100.0 * sure / readings.size(), sureWrong, sure ? 100.0 * sureWrong / sure : 0.0);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: qrta-train-reader DIGITS_PNG OUTPUT_JSON\n");
        return 2;
    }
    const cv::Mat sheet = matimage::readGrey(QString::fromLocal8Bit(argv[1]));
    if (sheet.cols != 100 * kCell || sheet.rows != 50 * kCell) {
        std::fprintf(stderr, "%s is not OpenCV's digits.png\n", argv[1]);
        return 3;
    }
    const auto started = std::chrono::steady_clock::now();
    cv::RNG rng(kSeed);
    std::vector<Sample> training, heldOut;
    for (int digit = 0; digit < 10; ++digit) {
        for (int i = 0; i < kPerDigit; ++i) {
            const cv::Mat ink = cell(sheet, digit, i);
            if (i >= kTrainedPerDigit) {
                heldOut.push_back({ ink, digit });
                continue;
            }
            training.push_back({ ink, digit });
            for (int v = 0; v < kVariants; ++v)
                training.push_back({ v < kMild ? mild(ink, rng) : photographed(ink, rng), digit });
        }
    }
    const cv::Mat x = featureRows(training);
    std::vector<int> labels;
    for (const Sample &s : training)
        labels.push_back(s.digit);
    std::printf("%d training samples of %d features\n", x.rows, x.cols);
    // JSON rather than YAML: its Base64 is not indented line by line, a sixth smaller.
    cv::FileStorage storage(
        ".json", cv::FileStorage::WRITE | cv::FileStorage::MEMORY | cv::FileStorage::BASE64);
    storage << "nets"
            << "[";
    for (int i = 0; i < kNets; ++i) {
        storage << "{";
        train(x, labels, rng).write(storage);
        storage << "}";
    }
    storage << "]";
    const std::string text = storage.releaseAndGetString();
    std::ofstream(argv[2], std::ios::binary) << text;
    const double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("trained in %.0f s; %s: %zu bytes\n", seconds, argv[2], text.size());

    // Read back through the reader, as the program will.
    const DigitReader reader(text);
    std::vector<Reading> plain, photo;
    for (const Sample &s : heldOut) {
        plain.push_back({ s.digit, reader.read(s.ink) });
        photo.push_back({ s.digit, reader.read(photographed(s.ink, rng)) });
    }
    report("held out", plain);
    report("held out, as photographed", photo);
    return 0;
}
