#include "generate/randomsource.h"
#include "store/database.h"
#include "store/datafile.h"
#include "store/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// A new file in the delivered state, puzzles included, and its first start.
static void BM_CreateDataFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("QRTA.dat"));
    for (auto _ : state) {
        QFile::remove(path);
        auto db = datafile::open(path);
        Settings(*db, processRandom()).load();
    }
}
BENCHMARK(BM_CreateDataFile)->Unit(benchmark::kMillisecond);

// Opening an existing file as the program starts: key derivation, the
// whole-file check, and every setting read.
static void BM_OpenAndReadSettings(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("QRTA.dat"));
    {
        auto db = datafile::open(path);
        Settings(*db, processRandom()).load();
    }
    for (auto _ : state) {
        auto db = datafile::open(path);
        Settings settings(*db, processRandom());
        settings.load();
        for (const SettingKey &key : Settings::keys())
            benchmark::DoNotOptimize(settings.read(key.name));
    }
}
BENCHMARK(BM_OpenAndReadSettings)->Unit(benchmark::kMillisecond);

// One setting written and committed to disk.
static void BM_WriteOneSetting(benchmark::State &state)
{
    QTemporaryDir dir;
    auto db = datafile::open(dir.filePath(QStringLiteral("QRTA.dat")));
    Settings settings(*db, processRandom());
    settings.load();
    int level = 0;
    for (auto _ : state)
        settings.write(QStringLiteral("txb5"), QStringLiteral("%1\\40").arg(1 + level++ % 5));
}
BENCHMARK(BM_WriteOneSetting)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
