#include "matimage.h"
#include "pagefinder.h"
#include "sheetreader.h"
#include "trialphoto.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

// One phone photo of a written page of 4 × 15 answers, from its JPEG to every answer read:
// what a parent waits for per page, the model already loaded.
static void BM_ReadPhotographedPage(benchmark::State &state)
{
    const trialphoto::HeldOutDigits digits(QRTA_DIGITS_PNG);
    const trialphoto::PhotographedSheet sheet
        = trialphoto::photographedSheet(digits, 1, 4, 15, QDateTime::currentDateTime(), 1, 2);
    const QByteArray jpeg = matimage::jpeg(sheet.photo, 80);
    sheetreader::readRoom(sheet.photo, QRectF(0, 0, 10, 10), QString()); // loads the model
    for (auto _ : state) {
        const cv::Mat photo
            = matimage::toMat(QImage::fromData(jpeg).convertToFormat(QImage::Format_RGB888));
        const std::optional<StraightenedPage> found = pagefinder::find(photo);
        if (!found) {
            state.SkipWithError("the page was not found");
            break;
        }
        benchmark::DoNotOptimize(sheetreader::readAnswers(*found, sheet.scannable));
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
