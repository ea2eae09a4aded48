#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "store/database.h"
#include "store/datafile.h"
#include "store/settings.h"
#include "quiz/testsession.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kQuestions = 100;
const QDateTime kStart(QDate(2024, 1, 1), QTime(8, 0, 0));

// A started data file on disk, as the test window has it.
struct DataFile
{
    QTemporaryDir dir;
    std::unique_ptr<Database> db = datafile::open(dir.filePath(QStringLiteral("QRTA.dat")));
    Settings settings { *db, processRandom() };
    SeededRandom rnd { 3 };
    QuestionMaker maker { rnd };
    int made = 0;

    DataFile() { settings.load(); }

    // Each test a second after the last, so that their numbers differ.
    void generate(TestSession &session)
    {
        session.generate(maker, 10, 2, kQuestions, kStart.addSecs(made++));
    }
};

} // namespace

// The header, the choices and a hundred questions written in one transaction.
static void BM_ConfirmTest(benchmark::State &state)
{
    DataFile file;
    for (auto _ : state) {
        state.PauseTiming();
        TestSession session(*file.db, file.settings);
        file.generate(session);
        state.ResumeTiming();
        session.confirm();
    }
}
BENCHMARK(BM_ConfirmTest)->Unit(benchmark::kMillisecond);

// One answer committed to disk, as the child leaves a cell.
static void BM_RecordOneAnswer(benchmark::State &state)
{
    DataFile file;
    TestSession session(*file.db, file.settings);
    file.generate(session);
    session.confirm();
    int answer = 0;
    for (auto _ : state) {
        session.recordAnswer(answer % kQuestions, QString::number(answer));
        ++answer;
    }
}
BENCHMARK(BM_RecordOneAnswer)->Unit(benchmark::kMillisecond);

// Handing in a hundred answers, five of them wrong: marks, score, time and the reordering.
static void BM_MarkTest(benchmark::State &state)
{
    DataFile file;
    for (auto _ : state) {
        state.PauseTiming();
        TestSession session(*file.db, file.settings);
        file.generate(session);
        session.confirm();
        for (int i = 0; i < kQuestions; ++i) {
            const QString answer = session.items().at(i).answer;
            session.recordAnswer(i, i % 20 == 0 ? answer + QStringLiteral("1") : answer);
        }
        session.setElapsed(754);
        state.ResumeTiming();
        benchmark::DoNotOptimize(session.mark());
    }
}
BENCHMARK(BM_MarkTest)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
