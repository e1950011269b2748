// `ocai-cli export` of a large group: the load with every respondent's texts, the figures of
// `stats` and the whole workbook.
#include "result_folder.h"
#include "xlsx_workbook.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ExportOfFolder10000(benchmark::State &state)
{
    const QString folder = benchfiles::largeSampleFolder();
    if (folder.isEmpty()) {
        state.SkipWithError("cannot write the folder");
        return;
    }
    for (auto _ : state) {
        auto loaded = cli::loadExportGroup(folder, survey::MeanKind::Arithmetic, 1);
        if (!std::holds_alternative<cli::ExportGroup>(loaded)) {
            state.SkipWithError("the folder does not load");
            break;
        }
        std::vector<cli::ExportGroup> groups;
        groups.push_back(std::move(std::get<cli::ExportGroup>(loaded)));
        const auto workbook = cli::workbookBytes(groups);
        if (!std::holds_alternative<QByteArray>(workbook)) {
            state.SkipWithError("the workbook is not written");
            break;
        }
        benchmark::DoNotOptimize(std::get<QByteArray>(workbook).size());
    }
}
BENCHMARK(BM_ExportOfFolder10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
