#include "digitreader.h"
#include "matimage.h"

#include <QTest>

#include <opencv2/imgproc.hpp>

#include <functional>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

// The held-out digits of OpenCV's sample, which the trainer never trains on: in each digit's
// five rows of 100 cells of 20 × 20, the last 50 cells.
struct Digit
{
    cv::Mat ink;
    int digit;
};

const std::vector<Digit> &heldOut()
{
    static const std::vector<Digit> digits = [] {
        const cv::Mat sheet = matimage::readGrey(QStringLiteral(QRTA_DIGITS_PNG));
        std::vector<Digit> out;
        for (int digit = 0; sheet.rows == 1000 && digit < 10; ++digit) {
            for (int column = 50; column < 100; ++column)
                out.push_back(
                    { sheet(cv::Rect(column * 20, (digit * 5 + 4) * 20, 20, 20)), digit });
        }
        return out;
    }();
    return digits;
}

using Change = std::function<cv::Mat(const cv::Mat &)>;

// As a splitter cuts it from a photographed page: larger, black and white.
cv::Mat blackAndWhite(const cv::Mat &ink, double size)
{
    cv::Mat big;
    cv::resize(ink, big, cv::Size(), size, size, cv::INTER_CUBIC);
    cv::threshold(big, big, 100, 255, cv::THRESH_BINARY);
    return big;
}

cv::Mat morphed(const cv::Mat &ink, cv::MorphTypes type)
{
    cv::Mat out;
    cv::morphologyEx(blackAndWhite(ink, 4), out, type,
        cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(5, 5)));
    return out;
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestDigitReader : public QObject
{
    Q_OBJECT

private slots:
    void heldOutDigits_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<double>("accuracyFloor");
        QTest::addColumn<double>("sureShareFloor");
        QTest::addColumn<double>("sureErrorCeiling");

        QTest::newRow("as written")
            << Change([](const cv::Mat &m) { return m; }) << 0.98 << 0.94 << 0.005;
        QTest::newRow("three times larger, black and white, a speck far off") << Change(
            [](const cv::Mat &m) {
                cv::Mat big = blackAndWhite(m, 3);
                big(cv::Rect(1, 56, 3, 3)) = 255;
                return big;
            }) << 0.97 << 0.9 << 0.01;
        QTest::newRow("smaller than written") << Change([](const cv::Mat &m) {
            cv::Mat small;
            cv::resize(m, small, cv::Size(14, 14), 0, 0, cv::INTER_AREA);
            return small;
        }) << 0.97 << 0.9 << 0.01;
        QTest::newRow("off centre in a wide crop") << Change([](const cv::Mat &m) {
            cv::Mat wide = cv::Mat::zeros(50, 90, CV_8U);
            m.copyTo(wide(cv::Rect(61, 7, 20, 20)));
            return wide;
        }) << 0.98 << 0.94 << 0.005;
        QTest::newRow("thin pencil")
            << Change([](const cv::Mat &m) { return morphed(m, cv::MORPH_ERODE); }) << 0.96 << 0.88
            << 0.01;
        QTest::newRow("thick pen")
            << Change([](const cv::Mat &m) { return morphed(m, cv::MORPH_DILATE); }) << 0.96 << 0.88
            << 0.01;
        QTest::newRow("slanted") << Change([](const cv::Mat &m) {
            cv::Mat slanted;
            const cv::Matx23d shear(1, -0.3, 6, 0, 1, 0);
            cv::warpAffine(blackAndWhite(m, 2), slanted, shear, cv::Size(52, 40));
            return slanted;
        }) << 0.97 << 0.9 << 0.01;
    }

    // The recogniser's figures on digits it never saw: how many it reads right, how many it is
    // sure of, and how few of those are wrong; the same digits at other sizes, places, strokes
    // and slants must read as well, as the preprocessing should undo all of these.
    void heldOutDigits()
    {
        QFETCH(Change, change);
        QFETCH(double, accuracyFloor);
        QFETCH(double, sureShareFloor);
        QFETCH(double, sureErrorCeiling);
        QCOMPARE(heldOut().size(), 500u);

        const DigitReader &reader = DigitReader::builtIn();
        int right = 0, sure = 0, sureWrong = 0;
        for (const Digit &d : heldOut()) {
            const DigitGuess guess = reader.read(change(d.ink));
            QVERIFY(guess.confidence >= 0 && guess.confidence <= 1);
            right += guess.digit == d.digit;
            if (guess.confidence > DigitReader::kSureAbove) {
                ++sure;
                sureWrong += guess.digit != d.digit;
            }
        }
        const double n = double(heldOut().size());
        qInfo("accuracy %.1f %%, sure %.1f %%, wrong among the sure %d", 100 * right / n,
            100 * sure / n, sureWrong);
        QVERIFY(right / n >= accuracyFloor);
        QVERIFY(sure / n >= sureShareFloor);
        QVERIFY(sureWrong <= sureErrorCeiling * sure);
    }

    void noInk()
    {
        const DigitGuess guess = DigitReader::builtIn().read(cv::Mat::zeros(30, 20, CV_8U));
        QCOMPARE(guess.digit, -1);
        QCOMPARE(guess.confidence, 0.0);
    }

    void notAModel()
    {
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, DigitReader("%YAML:1.0\nw1: 3\n"));
    }
};

QTEST_GUILESS_MAIN(TestDigitReader)
#include "tst_digitreader.moc"
