// The desk's survey folder at 10 000 respondents: the first load, and the rescan that runs
// every few seconds and on every change, which must cost next to nothing when little changed;
// and the desk idle on 100 000 files.
#include "core/c_numbers.h"
#include "desk/survey_loader.h"
#include "desk/survey_refresh.h"
#include "result_folder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <ctime>
#include <functional>

namespace {

constexpr int kRespondents = 10000;

void BM_DeskLoadSurvey10000(benchmark::State &state)
{
    const QString folder = benchfiles::largeSampleFolder();
    if (folder.isEmpty()) {
        state.SkipWithError("cannot write the survey folder");
        return;
    }
    for (auto _ : state) {
        const desk::Survey survey = desk::loadSurvey(folder);
        if (survey.respondents() != kRespondents) {
            state.SkipWithError("the survey does not load");
            break;
        }
        benchmark::DoNotOptimize(survey);
    }
}
BENCHMARK(BM_DeskLoadSurvey10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A rescan that finds the files as they were: each is listed and its size and time compared,
// none is read again, nothing is copied.
void BM_DeskRescanSurvey10000(benchmark::State &state)
{
    const QString folder = benchfiles::largeSampleFolder();
    if (folder.isEmpty()) {
        state.SkipWithError("cannot write the survey folder");
        return;
    }
    const desk::Survey previous = desk::loadSurvey(folder);
    for (auto _ : state) {
        const auto changed = desk::refreshSurvey(folder, &previous, desk::RescanScope::all());
        if (changed || previous.respondents() != kRespondents) {
            state.SkipWithError("the survey does not load");
            break;
        }
    }
}
BENCHMARK(BM_DeskRescanSurvey10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The desk idle with a survey of 100 000 files open: the process's CPU time over a fixed wall
// time, as a share of one core, from the end of the first periodic rescan (the first load
// reads every file; the rescans after it list them). What it costs is the periodic rescan and
// the watcher; nothing arrives, so it should be next to nothing.
constexpr int kIdleRespondents = 100000;
constexpr int kIdleSeconds = 60;

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Runs the event loop until `done`, looking every 50 ms, or until `ms` have passed.
bool spinUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() >= ms)
            loop.quit();
    });
    look.start(50);
    if (!done())
        loop.exec();
    return done();
}

void BM_DeskIdleCpu100000(benchmark::State &state)
{
    static QTemporaryDir dir;
    static const bool written =
        benchfiles::writeResultFolder(dir.path(), kIdleRespondents, benchfiles::sampleCiphers());
    if (!written) {
        state.SkipWithError("cannot write the survey folder");
        return;
    }
    for (auto _ : state) {
        desk::SurveyLoader loader;
        int loads = 0;
        QObject::connect(&loader, &desk::SurveyLoader::loadStarted, [&loads] { ++loads; });
        loader.open(dir.path());
        // Bounded, for a slow shared machine.
        const bool loaded =
            spinUntil([&] { return loader.survey() != nullptr && !loader.loading(); }, 900000);
        const double beforeRescan = processCpuSeconds();
        if (!loaded || !spinUntil([&] { return loads >= 2 && !loader.loading(); }, 900000) ||
            loader.survey()->respondents() != kIdleRespondents) {
            state.SkipWithError("the survey does not load");
            break;
        }
        // What one periodic rescan costs, and how often it comes: its share over time.
        const double rescan = processCpuSeconds() - beforeRescan;
        const double interval = loader.rescanInterval() / 1000.0;
        const double cpu = processCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QEventLoop idle;
        QTimer::singleShot(kIdleSeconds * 1000, &idle, &QEventLoop::quit);
        idle.exec();
        state.counters["idle_cpu_percent"] =
            100.0 * (processCpuSeconds() - cpu) / (double(wall.nsecsElapsed()) / 1e9);
        state.counters["rescan_cpu_s"] = rescan;
        state.counters["rescan_interval_s"] = interval;
        state.counters["rescan_share_percent"] = 100.0 * rescan / interval;
    }
}
BENCHMARK(BM_DeskIdleCpu100000)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

// The loader runs on the event loop of a core application: no display is needed.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    numfmt::keepCNumbersInTheCLibrary();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
