#pragma once

#include <opencv2/core.hpp>

// The recogniser's network over digitimage's features: inputs standardised, one hidden layer
// of rectified units, ten outputs turned into probabilities by softmax. The reader runs it;
// the trainer (tools/trainreader) fits its matrices.
struct DigitNet
{
    // An input x enters as (x - mean) * scale; both 1 × features.
    cv::Mat mean, scale;
    // features × hidden and 1 × hidden.
    cv::Mat w1, b1;
    // hidden × 10 and 1 × 10.
    cv::Mat w2, b2;

    // rows: one CV_32F row of features per digit. Gives one row of ten probabilities per
    // digit.
    cv::Mat probabilities(const cv::Mat &rows) const;

    // The steps of probabilities(), for the trainer, which needs each layer's values.
    cv::Mat standardise(const cv::Mat &rows) const;
    cv::Mat hidden(const cv::Mat &standardised) const;
    cv::Mat outputs(const cv::Mat &hidden) const;

    // a × b for CV_32F matrices: at the trainer's sizes, a plain loop the compiler vectorises
    // runs about four times as fast as cv::gemm with Debian's OpenCV (measured).
    static cv::Mat multiply(const cv::Mat &a, const cv::Mat &b);

    void write(cv::FileStorage &storage) const;
    static DigitNet read(const cv::FileNode &node);
};
