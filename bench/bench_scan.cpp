#include "pagefinder.h"
#include "scanpage.h"
#include "sheetpainter.h"
#include "sheetreader.h"
#include "trialphoto.h"

#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "worksheet/sheetchoices.h"
#include "worksheet/sheetdocument.h"
#include "worksheet/worksheet.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <opencv2/imgcodecs.hpp>

// One phone photo of a written page of 4 × 15 answers, from its JPEG to every answer read:
// what a parent waits for per page, the model already loaded.
static void BM_ReadPhotographedPage(benchmark::State &state)
{
    SeededRandom rnd(1);
    QuestionMaker maker(rnd);
    SheetChoices choices;
    choices.columns = 4;
    choices.rows = 15;
    const Worksheet sheet = Worksheet::generate(maker, 5, 2, 4, 15, QDateTime::currentDateTime());
    SheetDocument document = questionDocument(sheet, choices, QStringLiteral("乘法"));
    document.scanNumber = sheet.number();
    const ScannableSheet scannable = scanpage::describe(sheet, document);
    const trialphoto::HeldOutDigits digits(QRTA_DIGITS_PNG);
    std::mt19937 writing(2);
    cv::Mat page = trialphoto::renderPage(SheetPainter(document), 0);
    for (const ScanRoom &room : scannable.rooms)
        trialphoto::writeAnswer(page, room.room, room.answer, digits, writing);
    std::vector<uchar> jpeg;
    cv::imencode(
        ".jpg", trialphoto::photograph(page, writing), jpeg, { cv::IMWRITE_JPEG_QUALITY, 80 });
    sheetreader::readRoom(page, QRectF(0, 0, 10, 10)); // loads the model
    for (auto _ : state) {
        const cv::Mat photo = cv::imdecode(jpeg, cv::IMREAD_COLOR);
        const std::optional<FoundPage> found = pagefinder::find(photo);
        if (!found) {
            state.SkipWithError("the page was not found");
            break;
        }
        benchmark::DoNotOptimize(sheetreader::readAnswers(*found, scannable));
    }
}
BENCHMARK(BM_ReadPhotographedPage)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // the page is painted with the program's fonts
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
