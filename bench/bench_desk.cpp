// The desk's survey folder at 10 000 respondents: the first load, and the rescan that runs
// every few seconds and on every change, which must cost next to nothing when little changed.
#include "desk/survey_folder.h"
#include "result_folder.h"

#include <benchmark/benchmark.h>

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
// none is read again.
void BM_DeskRescanSurvey10000(benchmark::State &state)
{
    const QString folder = benchfiles::largeSampleFolder();
    if (folder.isEmpty()) {
        state.SkipWithError("cannot write the survey folder");
        return;
    }
    const desk::Survey previous = desk::loadSurvey(folder);
    for (auto _ : state) {
        const desk::Survey survey = desk::loadSurvey(folder, &previous);
        if (survey.respondents() != kRespondents) {
            state.SkipWithError("the survey does not load");
            break;
        }
        benchmark::DoNotOptimize(desk::sameFiles(previous, survey));
    }
}
BENCHMARK(BM_DeskRescanSurvey10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
