#include "answerrecogniser.h"
#include "trialphoto.h"

#include "quiz/inkweighing.h"

#include <QTest>

#include <opencv2/imgproc.hpp>

#include <random>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

// A room of the straightened page (8 px a millimetre, 10 mm high) with text written in it in
// held-out digits (the reader never learned from them) in 56 px cells, each cell `advance` of
// a cell after the last (a digit's ink is about 0.6 of its cell wide: below that neighbours
// touch, well below it they cross), the ink that share of black, on paper under a slope of
// light, as soft as a phone's photo. pen: the stroke's width in the digit's height, as a
// child's pen draws it; 0 for the samples' own felt pen.
cv::Mat room(const QString &text, double advance, double ink, std::mt19937 &random, double pen = 0,
    bool dash = false)
{
    constexpr int kCell = 56;
    static const trialphoto::HeldOutDigits digits(QRTA_DIGITS_PNG);
    cv::Mat strokes = cv::Mat::zeros(80, 320, CV_8U);
    double x = 10;
    for (const QChar c : text) {
        const int top = 12 + int(random() % 7);
        cv::Mat big, place = strokes(cv::Rect(int(x), top, kCell, kCell));
        const cv::Mat sample
            = digits.sample(c.digitValue(), digits.half + int(random() % digits.kHalf));
        if (pen > 0)
            big = trialphoto::withFinePen(sample, pen, kCell);
        else
            cv::resize(sample, big, { kCell, kCell });
        cv::max(place, big, place);
        x += kCell * advance;
    }
    if (dash) // a stroke after the answer that is no digit
        cv::line(strokes, { int(x) + 20, 42 }, { int(x) + 44, 38 }, 255, 4);
    cv::Mat paper(strokes.size(), CV_8U);
    for (int c = 0; c < paper.cols; ++c)
        paper.col(c).setTo(235 - c / 8);
    cv::Mat photo = paper - strokes * ink;
    cv::GaussianBlur(photo, photo, { 0, 0 }, 1.0);
    return photo;
}

QString numberOf(int digits, std::mt19937 &random)
{
    QString text = QString::number(1 + int(random() % 9));
    while (text.size() < digits)
        text += QString::number(int(random() % 10));
    return digits == 1 ? QString::number(int(random() % 10)) : text;
}

} // namespace

class TestAnswerReader : public QObject
{
    Q_OBJECT

private slots:
    void heldOutAnswers_data()
    {
        QTest::addColumn<int>("digits"); // 0: one to four
        QTest::addColumn<double>("advance"); // the least; up to 0.15 more
        QTest::addColumn<double>("ink");
        QTest::addColumn<double>("pen");
        QTest::addColumn<double>("exactFloor"); // read exactly as written
        QTest::addColumn<double>("sureFloor"); // given a sure verdict

        QTest::newRow("single digits") << 1 << 0.7 << 0.8 << 0.0 << 0.93 << 0.9;
        QTest::newRow("two digits apart") << 2 << 0.75 << 0.8 << 0.0 << 0.95 << 0.9;
        QTest::newRow("touching pairs") << 2 << 0.5 << 0.8 << 0.0 << 0.93 << 0.88;
        QTest::newRow("crossing pairs") << 2 << 0.4 << 0.8 << 0.0 << 0.9 << 0.8;
        QTest::newRow("one to four digits, faint pencil")
            << 0 << 0.55 << 0.35 << 0.0 << 0.88 << 0.85;
        QTest::newRow("one to four digits, ballpoint") << 0 << 0.55 << 0.8 << 0.06 << 0.88 << 0.8;
    }

    // The reader on answers written with digits it never saw: how many it reads as written,
    // how many get a sure verdict, and hardly ever a sure verdict that is wrong, whether the
    // answer written is the right one or not (a 2 with a looped top, read as 9, still is).
    void heldOutAnswers()
    {
        QFETCH(int, digits);
        QFETCH(double, advance);
        QFETCH(double, ink);
        QFETCH(double, pen);
        QFETCH(double, exactFloor);
        QFETCH(double, sureFloor);
        std::mt19937 random(2026 + digits);
        std::uniform_real_distribution<double> spread(0, 0.15);
        const AnswerRecogniser &reader = AnswerRecogniser::builtIn();
        constexpr int kRooms = 60;
        int exact = 0, sure = 0;
        QStringList misjudged;
        for (int n = 0; n < kRooms; ++n) {
            const QString written = numberOf(digits > 0 ? digits : 1 + n % 4, random);
            // Every third answer is not the right one: the right one is a neighbour of it.
            const bool right = n % 3 != 0;
            const QString expected = right ? written : QString::number(written.toInt() + 1);
            const InkWeighing weighed
                = reader.weigh(room(written, advance + spread(random), ink, random, pen), expected);
            const ReadAnswer answer = answerFromInk(
                weighed, expected, AnswerRecogniser::kMargin, AnswerRecogniser::kWrongMargin);
            exact += weighed.best == written;
            sure += answer.sure;
            if (answer.sure && (answer.digits == expected) != right)
                misjudged << written + u" read as "_s + answer.digits;
        }
        qInfo("read exactly %d, sure %d of %d", exact, sure, kRooms);
        QVERIFY2(misjudged.size() <= 1, qPrintable(misjudged.join(u", "_s)));
        QVERIFY(exact >= exactFloor * kRooms);
        QVERIFY(sure >= sureFloor * kRooms);
    }

    // Ink the reading leaves out is for the parent to judge, right answer or not.
    void strokeBesideTheAnswerIsNeverSure()
    {
        std::mt19937 random(7);
        const AnswerRecogniser &reader = AnswerRecogniser::builtIn();
        QStringList sure;
        for (int n = 0; n < 30; ++n) {
            const QString written = numberOf(1 + n % 3, random);
            const InkWeighing weighed
                = reader.weigh(room(written, 0.75, 0.8, random, 0, true), written);
            if (answerFromInk(weighed, written, AnswerRecogniser::kMargin).sure)
                sure << written + u" read as "_s + weighed.best;
        }
        QVERIFY2(sure.isEmpty(), qPrintable(sure.join(u", "_s)));
    }

    void noInkIsNoReading()
    {
        cv::Mat paper(80, 320, CV_8U, cv::Scalar(230));
        cv::line(paper, { 0, 79 }, { 319, 79 }, 120, 2); // the room's printed edge
        const InkWeighing ink = AnswerRecogniser::builtIn().weigh(paper, u"12"_s);
        QVERIFY(ink.best.isEmpty());
        QVERIFY(!answerFromInk(ink, u"12"_s, AnswerRecogniser::kMargin).sure);
    }

    void notAModel()
    {
        const std::vector<uchar> bytes { 'n', 'o', 't', ' ', 'a', ' ', 'm', 'o', 'd', 'e', 'l' };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, AnswerRecogniser { bytes });
    }
};

QTEST_GUILESS_MAIN(TestAnswerReader)
#include "tst_answerreader.moc"
