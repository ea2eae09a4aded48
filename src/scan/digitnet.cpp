#include "digitnet.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

cv::Mat addRow(const cv::Mat &rows, const cv::Mat &row)
{
    return rows + cv::repeat(row, rows.rows, 1);
}

// Weights are stored as 8-bit integers with one scale per column: a quarter of the size of
// floats, and the rounding moves the outputs far less than the training's own noise.
void writeQuantised(cv::FileStorage &storage, const std::string &name, const cv::Mat &weights)
{
    cv::Mat scales(1, weights.cols, CV_32F), levels(weights.size(), CV_8S);
    for (int c = 0; c < weights.cols; ++c) {
        double largest;
        cv::minMaxLoc(cv::abs(weights.col(c)), nullptr, &largest);
        const float step = float(std::max(largest, 1e-12) / 127);
        scales.at<float>(c) = step;
        weights.col(c).convertTo(levels.col(c), CV_8S, 1 / step);
    }
    storage << name << levels << name + "_steps" << scales;
}

cv::Mat readQuantised(const cv::FileNode &node, const std::string &name)
{
    cv::Mat levels, steps;
    node[name] >> levels;
    node[name + "_steps"] >> steps;
    if (levels.type() != CV_8S || steps.type() != CV_32F || steps.rows != 1
        || steps.cols != levels.cols)
        throw std::runtime_error("the digit model's weights are not as the trainer writes them");
    cv::Mat weights;
    levels.convertTo(weights, CV_32F);
    return weights.mul(cv::repeat(steps, weights.rows, 1));
}

} // namespace

cv::Mat DigitNet::multiply(const cv::Mat &a, const cv::Mat &b)
{
    CV_Assert(a.type() == CV_32F && b.type() == CV_32F && a.cols == b.rows);
    cv::Mat c = cv::Mat::zeros(a.rows, b.cols, CV_32F);
    cv::parallel_for_(cv::Range(0, a.rows), [&](const cv::Range &rows) {
        for (int i = rows.start; i < rows.end; ++i) {
            float *out = c.ptr<float>(i);
            const float *in = a.ptr<float>(i);
            for (int k = 0; k < a.cols; ++k) {
                const float factor = in[k];
                if (factor == 0)
                    continue;
                const float *row = b.ptr<float>(k);
                for (int j = 0; j < b.cols; ++j)
                    out[j] += factor * row[j];
            }
        }
    });
    return c;
}

cv::Mat DigitNet::probabilities(const cv::Mat &rows) const
{
    return outputs(hidden(standardise(rows)));
}

cv::Mat DigitNet::standardise(const cv::Mat &rows) const
{
    return (rows - cv::repeat(mean, rows.rows, 1)).mul(cv::repeat(scale, rows.rows, 1));
}

cv::Mat DigitNet::hidden(const cv::Mat &standardised) const
{
    return cv::max(addRow(multiply(standardised, w1), b1), 0.0f);
}

cv::Mat DigitNet::outputs(const cv::Mat &hidden) const
{
    cv::Mat out = addRow(multiply(hidden, w2), b2);
    for (int r = 0; r < out.rows; ++r) {
        cv::Mat row = out.row(r);
        double top;
        cv::minMaxLoc(row, nullptr, &top);
        // Less the largest, so that exp never overflows.
        cv::exp(row - top, row);
        row /= cv::sum(row)[0];
    }
    return out;
}

void DigitNet::write(cv::FileStorage &storage) const
{
    storage << "mean" << mean << "scale" << scale << "b1" << b1 << "b2" << b2;
    writeQuantised(storage, "w1", w1);
    writeQuantised(storage, "w2", w2);
}

DigitNet DigitNet::read(const cv::FileNode &node)
{
    DigitNet net;
    node["mean"] >> net.mean;
    node["scale"] >> net.scale;
    node["b1"] >> net.b1;
    node["b2"] >> net.b2;
    net.w1 = readQuantised(node, "w1");
    net.w2 = readQuantised(node, "w2");
    const int features = net.mean.cols, hidden = net.w1.cols;
    if (net.mean.type() != CV_32F || net.scale.size() != net.mean.size() || net.w1.rows != features
        || net.b1.cols != hidden || net.w2.rows != hidden || net.w2.cols != 10 || net.b2.cols != 10
        || net.w1.type() != CV_32F || net.w2.type() != CV_32F || net.b1.type() != CV_32F
        || net.b2.type() != CV_32F)
        throw std::runtime_error("the digit model's matrices do not fit together");
    return net;
}
