#include "matimage.h"
#include "pagefinder.h"
#include "pageframe.h"
#include "photoreader.h"
#include "qrcode.h"
#include "sheetcode.h"
#include "sheetreader.h"
#include "trialphoto.h"

#include "quiz/mistakebook.h"
#include "support/testdata.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTest>

#include <opencv2/imgproc.hpp>

#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

const PageCode kSheet { u"05_3_60_20110830063648"_s, 2, u"2718281"_s };
const cv::Size kPageSize = pagefinder::pixelRect({ -6, -6, 204, 291 }).size();

// The code printed at px per mm into an image whose frame starts at origin (px).
void printCode(cv::Mat &image, const QList<QList<bool>> &modules, double px, double origin)
{
    cv::Mat small(29, 29, CV_8U, cv::Scalar(255)); // 21 modules and a quiet zone of 4
    for (int i = 0; i < 21 * 21; ++i)
        small.at<uchar>(i / 21 + 4, i % 21 + 4) = modules[i / 21][i % 21] ? 0 : 255;
    const QRectF k = pageframe::kCode;
    const cv::Rect place(cvRound(origin + k.x() * px), cvRound(origin + k.y() * px),
        cvRound(k.width() * px), cvRound(k.height() * px));
    cv::resize(small, image(place), place.size(), 0, 0, cv::INTER_NEAREST);
}

} // namespace

class TestScan : public QObject
{
    Q_OBJECT

private slots:
    void codeRoundTrip_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("payload");
        QTest::addColumn<int>("spoilt"); // modules, each in another codeword
        QTest::newRow("60 questions") << u"05_3_60_20110830063648"_s << 1 << u"0000000"_s
                                      << u"805300600368001408010000000"_s << 0;
        QTest::newRow("one question") << u"00_0_1_20261207043626"_s << 12 << u"4513827"_s
                                      << u"800000010849933386124513827"_s << 3;
        QTest::newRow("9999 questions") << u"10_5_9999_20991231235959"_s << 99 << u"9999999"_s
                                        << u"810599993155759999999999999"_s << 6;
    }
    void codeRoundTrip()
    {
        QFETCH(QString, number);
        QFETCH(int, page);
        QFETCH(QString, check);
        QFETCH(QString, payload);
        QFETCH(int, spoilt);
        const PageCode code { number, page, check };
        QCOMPARE(code.payload(), payload);
        QCOMPARE(PageCode::read(payload), code);
        qrcode::Modules modules = qrcode::encodeNumeric(code.payload());
        for (int i = 0; i < spoilt; ++i) // up the right edge's codewords, down the next ones
            modules[i < 3 ? 20 - 4 * i : 9 + 4 * (i - 3)][i < 3 ? 20 : 18] ^= true;
        cv::Mat straightened(kPageSize, CV_8U, cv::Scalar(255));
        printCode(straightened, modules, pageframe::kPixelsPerMm, 48);
        QCOMPARE(sheetcode::decode(straightened), code);
    }

    // A sheet printed again carries the very code it had: the modules (each row's 21 as hex),
    // mask included, of the encoder these codes were first printed with.
    void codesPrintAsTheyAlwaysHave_data()
    {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<QString>("rows");
        QTest::newRow("60 questions")
            << u"805300600368001408010000000"_s
            << u"1fc27f 104c41 17555d 174c5d 17515d 105541 1fd57f 000700 0959b4 1e0cdd 06f91a "
               "1cb42d 13c9eb 0011a4 1fcb7f 104831 1753cd 1749c3 174a38 105632 1fcdff"_s;
        // A code whose mask each of the four penalties decides.
        QTest::newRow("every penalty weighs")
            << u"892579314339052074251806649"_s
            << u"1fd37f 105741 17525d 17595d 175e5d 104541 1fd57f 001700 0d635f 1e3dfe 17725e "
               "042849 0cdf97 001ce5 1fdebe 10445b 175a5b 174cee 1758e1 1056e0 1fc43d"_s;
        QTest::newRow("9999 questions")
            << u"810599993155759999999999999"_s
            << u"1fd27f 105041 17565d 17565d 17575d 104f41 1fd57f 001500 0d6a5f 0e134f 094e8c "
               "1e0653 154f2d 001615 1fddba 104057 1759a3 1749fa 1753ed 105b78 1fceb1"_s;
    }
    void codesPrintAsTheyAlwaysHave()
    {
        QFETCH(QString, payload);
        QFETCH(QString, rows);
        QStringList printed;
        for (const QList<bool> &row : qrcode::encodeNumeric(payload)) {
            int bits = 0;
            for (const bool dark : row)
                bits = bits << 1 | int(dark);
            printed << u"%1"_s.arg(bits, 6, 16, QChar(u'0'));
        }
        QCOMPARE(printed.join(u' '), rows);
    }

    void refusesWhatIsNotACode()
    {
        for (const QString &text :
            { u""_s, u"80530060036800140801000000"_s, u"705300602011083006364801"_s,
                u"705300600368001408010000000"_s, u"811300600368001408010000000"_s,
                u"805600600368001408010000000"_s, u"805300000368001408010000000"_s,
                u"805300600368001408000000000"_s, u"80530060036800140801000000x"_s })
            QVERIFY2(!PageCode::read(text), qPrintable(text));
        QVERIFY((PageCode { u"05_3_060_20110830063648"_s, 1, u"0000000"_s }.payload().isEmpty()));
        QVERIFY((PageCode { u"05_3_60_20110830063648"_s, 1, u"000000"_s }.payload().isEmpty()));
        for (const QString &digits : { u""_s, u"8053006003680014080100000000"_s, u"80530060x"_s })
            QVERIFY2(qrcode::encodeNumeric(digits).isEmpty(), qPrintable(digits));
    }

    // A reader module that cannot be used is named, with what is wrong with it.
    void unusableReaderIsNamed_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("why");
        QTest::newRow("missing") << u"missing.so"_s << u"无法载入"_s;
        QTest::newRow("not a library") << u"text.so"_s << u"无法载入"_s;
        QTest::newRow("another library") << QLibraryInfo::path(QLibraryInfo::LibrariesPath)
                + u"/libQt6Core.so.6"_s << u"不是晨曦算苑读照片的模块"_s;
    }
    void unusableReaderIsNamed()
    {
        QFETCH(QString, file);
        QFETCH(QString, why);
        QTemporaryDir dir;
        QFile text(dir.filePath(u"text.so"_s));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a module\n") > 0);
        text.close();
        const QString path = QDir::isAbsolutePath(file) ? file : dir.filePath(file);
        QString problem;
        QVERIFY(!PhotoReader::loadFile(path, &problem));
        QVERIFY2(problem.contains(why) && problem.contains(path), qPrintable(problem));
    }

    // A sheet printed at 6 px per mm, photographed turned, tilted and slanting on a dark
    // table under uneven light, and saved as a JPEG.
    void findsThePage_data()
    {
        QTest::addColumn<cv::Vec3d>("shot"); // turn (degrees), far edge's share, px per mm
        QTest::newRow("phone, upright, 12 Mpx") << cv::Vec3d(0, 1, 12.5);
        QTest::newRow("90") << cv::Vec3d(90, 1, 5);
        QTest::newRow("180") << cv::Vec3d(180, 1, 5);
        QTest::newRow("270") << cv::Vec3d(270, 1, 5);
        QTest::newRow("tilt +10") << cv::Vec3d(10, 1, 5);
        QTest::newRow("tilt -10, table") << cv::Vec3d(-10, 0.8, 5.5);
        QTest::newRow("188, table") << cv::Vec3d(188, 0.85, 6);
        QTest::newRow("84, table") << cv::Vec3d(84, 0.75, 7);
    }
    void findsThePage()
    {
        QFETCH(cv::Vec3d, shot);
        const auto [turn, slant, scale] = std::tuple(shot[0], shot[1], shot[2]);
        constexpr double px = 6;
        cv::Mat sheet(cvRound(297 * px), cvRound(210 * px), CV_8U, cv::Scalar(250));
        const std::vector<cv::Point2f> marks { { 9, 9 }, { 201, 9 }, { 201, 288 }, { 9, 288 } };
        for (const cv::Point2f c : marks)
            cv::rectangle(sheet, cv::Rect((c.x - 3) * px, (c.y - 3) * px, 6 * px, 6 * px), 20, -1);
        printCode(sheet, qrcode::encodeNumeric(kSheet.payload()), px, 9 * px);
        cv::putText(sheet, "MENTAL SUMS 60", { 110, 100 }, cv::FONT_HERSHEY_DUPLEX, 3, 0, 8);
        for (int row = 0; row < 24; ++row) {
            const cv::Point at(100 + row % 2 * 600, 200 + row / 2 * 130);
            cv::putText(sheet, "36 + 47 =", at, cv::FONT_HERSHEY_SIMPLEX, 1.6, 30, 3);
            cv::line(sheet, at + cv::Point(300, 0), at + cv::Point(330, -45), 70, 5);
            cv::circle(sheet, at + cv::Point(370, -22), 20, 70, 5);
        }
        // Where the paper's corners fall in the photo, 100 px of table around them.
        std::vector<cv::Point2f> paper { { 0, 0 }, { 210, 0 }, { 210, 297 }, { 0, 297 } }, at;
        const double a = turn * CV_PI / 180;
        for (cv::Point2f &p : paper) {
            const double across = (p.x - 105) * (p.y == 0 ? slant : 1), down = p.y - 148.5;
            at.emplace_back(scale * (across * cos(a) - down * sin(a)),
                scale * (across * sin(a) + down * cos(a)));
            p *= px;
        }
        const cv::Rect bounds = cv::boundingRect(at);
        for (cv::Point2f &p : at)
            p -= cv::Point2f(bounds.tl() - cv::Point(100, 100));
        const cv::Mat toPhoto = cv::getPerspectiveTransform(paper, at);
        cv::Mat photo;
        cv::warpPerspective(sheet, photo, toPhoto, bounds.size() + cv::Size(200, 200),
            cv::INTER_AREA, cv::BORDER_CONSTANT, 90);
        for (int y = 0; y < photo.rows; ++y)
            photo.row(y) *= 0.55 + 0.45 * y / photo.rows;
        QString why;
        const std::optional<StraightenedPage> found
            = pagefinder::find(matimage::fromJpeg(matimage::jpeg(photo, 75)), &why);
        QVERIFY2(found, qPrintable(why));
        QCOMPARE(found->code, kSheet);
        QCOMPARE(found->image.size(), kPageSize);
        std::vector<cv::Point2f> truth;
        cv::perspectiveTransform(marks, truth, toPhoto * cv::Matx33d(px, 0, 0, 0, px, 0, 0, 0, 1));
        for (int i = 0; i < 4; ++i) // within a millimetre
            QVERIFY(cv::norm(found->marks[i] - truth[i]) < scale * slant);
        QVERIFY(!pagefinder::find(cv::Mat(800, 600, CV_8U, cv::Scalar(200)), &why));
        QVERIFY(!why.isEmpty());
    }

    // Printed with its marks, code and rooms, written on by hand with some answers wrong,
    // photographed lying on a table, read back and stored: the printing and the reading agree on
    // where every answer is, a sure reading is hardly ever a wrong verdict, and the
    // wrong-answer book gets what was marked wrong.
    void writtenSheetReadBack()
    {
        // Every fifth answer one too many, every seventh the start of the right one.
        const auto written = [](const ScanRoom &room) {
            if (room.position % 5 == 2)
                return QString::number(room.answer.toInt() + 1);
            const bool shortened = room.position % 7 == 3 && room.answer.size() > 1;
            return shortened ? room.answer.chopped(1) : room.answer;
        };
        const QDateTime madeAt(QDate(2026, 12, 7), QTime(9, 0));
        const trialphoto::PhotographedSheet sheet = trialphoto::photographedSheet(
            trialphoto::HeldOutDigits(QRTA_DIGITS_PNG), 1, 3, 12, madeAt, 3, 14, written);
        const ScannableSheet &scannable = sheet.scannable;
        // Through the reader module, from a file, as the programs read a photo.
        QTemporaryDir dir;
        const QString photo = dir.filePath(u"photo.png"_s);
        QImageWriter writer(photo);
        writer.setQuality(100); // no compression: quick, and not one pixel changed
        QVERIFY(writer.write(matimage::toImage(sheet.photo)));
        QString why;
        const PhotoReader *reader = PhotoReader::load(&why);
        QVERIFY2(reader, qPrintable(why));
        const std::optional<FoundPage> found = reader->find(photo, &why);
        QVERIFY2(found, qPrintable(why));
        QCOMPARE(found->code.sheetNumber, scannable.number);
        QCOMPARE(found->image.size(), QSize(kPageSize.width, kPageSize.height));
        const QList<ReadAnswer> read = reader->readRooms(found->image, scannable.rooms);
        QCOMPARE(read.size(), scannable.rooms.size());
        QMap<int, ReadAnswer> answers;
        for (qsizetype i = 0; i < read.size(); ++i)
            answers.insert(scannable.rooms[i].position, read[i]);
        // The book gets what was marked wrong: a sure wrong verdict, or an unsure answer the
        // parent typed as the paper says.
        QStringList misjudged, markedWrong;
        int unsure = 0;
        for (const ScanRoom &room : scannable.rooms) {
            const Verdict verdict = verdictOf(room, answers.value(room.position));
            const bool wrong = written(room) != room.answer;
            unsure += verdict == Verdict::Unsure;
            if (verdict != Verdict::Unsure && (verdict == Verdict::Wrong) != wrong)
                misjudged << room.question + written(room) + u" read as "_s
                        + answers.value(room.position).digits;
            if (verdict == Verdict::Unsure ? wrong : verdict == Verdict::Wrong)
                markedWrong << room.question;
        }
        // A sure reading is hardly ever a wrong verdict, and no more than a third are left to
        // the parent. One is allowed: a held-out writer's 2 begun with a closed loop is read as
        // a 9 (the reader's own floors are tst_answerreader's, its figures the scan trial's).
        QVERIFY2(misjudged.size() <= 1, qPrintable(misjudged.join(u", "_s)));
        QVERIFY2(unsure <= 12, qPrintable(u"%1 of 36 not sure"_s.arg(unsure)));

        TestData d;
        scannablesheets::store(d.db(), scannable);
        QCOMPARE(storeReadSheet(d.db(), d.settings(), scannable, { 1 }, answers).outcome,
            unsure > 0 ? StoredSheet::Outcome::Unfinished : StoredSheet::Outcome::Marked);
        // Where the reader was not sure, the parent types what the paper says and hands it in.
        TestSession session(d.db(), d.settings());
        QVERIFY(session.resume(scannable.number));
        for (int i = session.firstUnanswered(); i >= 0; i = session.firstUnanswered())
            session.recordAnswer(i, written(scannable.rooms[i]));
        QVERIFY(session.isMarked() || session.mark().complete);
        QStringList inBook;
        for (const Mistake &m : MistakeBook(d.db()).toLearn())
            inBook << m.question;
        QCOMPARE(inBook, markedWrong);
    }
};

QTEST_MAIN(TestScan)
#include "tst_scan.moc"
