// `ocai-cli export` of a large group: the load with every respondent's texts, the figures of
// `stats` and the whole workbook; the folder named, and its files named one by one.
#include "documents/xlsx_workbook.h"
#include "result_folder.h"

#include <QDir>
#include <benchmark/benchmark.h>

namespace {

// The export of the groups that `operands` make, as the command runs it.
void exportOperands(benchmark::State &state, const QStringList &operands)
{
    for (auto _ : state) {
        std::vector<documents::ExportGroup> groups;
        for (const survey::GroupSource &source : survey::groupSources(operands)) {
            auto loaded = documents::loadExportGroup(source, survey::MeanKind::Arithmetic, 1);
            if (!std::holds_alternative<documents::ExportGroup>(loaded)) {
                state.SkipWithError("a group does not load");
                return;
            }
            groups.push_back(std::move(std::get<documents::ExportGroup>(loaded)));
        }
        const auto workbook = documents::workbookBytes(groups);
        if (!std::holds_alternative<QByteArray>(workbook)) {
            state.SkipWithError("the workbook is not written");
            return;
        }
        benchmark::DoNotOptimize(std::get<QByteArray>(workbook).size());
    }
}

void BM_ExportOfFolder10000(benchmark::State &state)
{
    const QString folder = benchfiles::largeSampleFolder();
    if (folder.isEmpty())
        state.SkipWithError("cannot write the folder");
    else
        exportOperands(state, {folder});
}
BENCHMARK(BM_ExportOfFolder10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The same files as a shell's "folder/*OCAI.cry" names them: one group, as the folder is.
void BM_ExportOf10000FilesOneByOne(benchmark::State &state)
{
    const QString folder = benchfiles::largeSampleFolder();
    if (folder.isEmpty()) {
        state.SkipWithError("cannot write the folder");
        return;
    }
    QStringList files;
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name))
        files << folder + QLatin1Char('/') + name;
    exportOperands(state, files);
}
BENCHMARK(BM_ExportOf10000FilesOneByOne)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
