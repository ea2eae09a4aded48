#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "sheetpainter.h"
#include "worksheet/sheetchoices.h"
#include "worksheet/sheetentry.h"
#include "worksheet/worksheet.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// The largest sheet: 5 × 100 of type 10 level 3, up to 1499 attempts.
static void BM_BuildLargestSheet(benchmark::State &state)
{
    SeededRandom rnd(1);
    QuestionMaker maker(rnd);
    const QDateTime now = QDateTime::currentDateTime();
    for (auto _ : state)
        benchmark::DoNotOptimize(Worksheet::generate(maker, 10, 3, 5, 100, now));
}
BENCHMARK(BM_BuildLargestSheet)->Unit(benchmark::kMicrosecond);

// A mixed sheet of 5 × 100 whose entries filter for carrying and borrowing, with blanks.
static void BM_BuildMixedSheetWithCarryFilters(benchmark::State &state)
{
    SeededRandom rnd(1);
    QuestionMaker maker(rnd);
    const QDateTime now = QDateTime::currentDateTime();
    const QList<SheetEntry> entries = sheetentries::read(
        QStringLiteral(
            "1:4:100:carry,2:4:100:nocarry,3:5:100:carry:any,4:5:100:nocarry:third,4:3:100:carry"))
                                          .value();
    for (auto _ : state) {
        QStringList shortfalls;
        benchmark::DoNotOptimize(
            Worksheet::generateMixed(maker, entries, 5, true, now, &shortfalls));
        if (!shortfalls.isEmpty())
            state.SkipWithError("an entry came out short");
    }
}
BENCHMARK(BM_BuildMixedSheetWithCarryFilters)->Unit(benchmark::kMicrosecond);

// That sheet and its answers written as two PDFs.
static void BM_LargestSheetToPdf(benchmark::State &state)
{
    SeededRandom rnd(1);
    QuestionMaker maker(rnd);
    const QDateTime now = QDateTime::currentDateTime();
    const Worksheet sheet = Worksheet::generate(maker, 10, 3, 5, 100, now);
    SheetChoices choices;
    choices.columns = 5;
    choices.rows = 100;
    const QString title = sheetTitle(QStringLiteral("【题型】〖难度〗数量 题"), 10, 3, 500);
    QTemporaryDir dir;
    QString error;
    for (auto _ : state) {
        writeSheetPdf(
            questionDocument(sheet, choices, title), dir.filePath(QStringLiteral("q.pdf")), &error);
        writeSheetPdf(answerDocument(sheet, 3, now), dir.filePath(QStringLiteral("a.pdf")), &error);
    }
}
BENCHMARK(BM_LargestSheetToPdf)->Unit(benchmark::kMillisecond);

// A class set of 60 copies (the most the window offers), questions and answers each in one
// PDF, as the worksheet window prints it.
static void writeClassSet(
    benchmark::State &state, qint16 type, qint16 level, qint16 columns, qint16 rows, bool vertical)
{
    SeededRandom rnd(2);
    QuestionMaker maker(rnd);
    QTemporaryDir dir;
    QString error;
    SheetChoices choices;
    choices.columns = columns;
    choices.rows = rows;
    for (auto _ : state) {
        const QDateTime now = QDateTime::currentDateTime();
        QList<SheetDocument> questions, answers;
        for (int copy = 0; copy < 60; ++copy) {
            Worksheet sheet
                = Worksheet::generate(maker, type, level, columns, rows, now.addSecs(copy));
            sheet.setVertical(vertical);
            questions << questionDocument(sheet, choices,
                sheetTitle(QStringLiteral("【题型】数量题"), type, level, sheet.questionCount()));
            answers << answerDocument(sheet, level, now);
        }
        writeSheetsPdf(questions, dir.filePath(QStringLiteral("q.pdf")), &error);
        writeSheetsPdf(answers, dir.filePath(QStringLiteral("a.pdf")), &error);
    }
}

// 5 × 20 of type 10 level 3.
static void BM_ClassSetToPdf(benchmark::State &state)
{
    writeClassSet(state, 10, 3, 5, 20, false);
}
BENCHMARK(BM_ClassSetToPdf)->Unit(benchmark::kMillisecond);

// 竖式: 12 long divisions (type 7 level 5, 3 × 4) with their worked answers.
static void BM_VerticalClassSetToPdf(benchmark::State &state)
{
    writeClassSet(state, 7, 5, 3, 4, true);
}
BENCHMARK(BM_VerticalClassSetToPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
