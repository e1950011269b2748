// The group subcommands' work: statistics with the bootstrap, a comparison with the
// permutation test, and an organisation summary over many folders.
#include "result_folder.h"
#include "survey/group_compare.h"
#include "survey/group_statistics.h"
#include "survey/profile_load.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace survey;
using namespace benchfiles;

namespace {

// 100 folders of 100 files: written on first use, kept after.
QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

QStringList departmentFolders()
{
    static const QStringList folders = [] {
        const QList<QByteArray> ciphers = sampleCiphers();
        QStringList paths;
        for (int d = 0; d < 100; ++d) {
            const QString path = scratch().filePath(QStringLiteral("dept%1").arg(d));
            if (!writeResultFolder(path, 100, ciphers, d))
                return QStringList();
            paths << path;
        }
        return paths;
    }();
    return folders;
}

// Respondents of varied profiles, without files.
GroupResult syntheticGroup(int n)
{
    GroupResult group;
    group.n = n;
    for (int i = 0; i < n; ++i) {
        const double a = 10 + i % 17, b = 15 + i % 11, c = 20 + i % 7;
        group.respondents.push_back({a, b, c, 100 - a - b - c, c, a, b, 100 - a - b - c});
        for (std::size_t k = 0; k < group.points.size(); ++k)
            group.points[k] += qint64(6 * group.respondents.back()[k]);
    }
    group.scores = meanProfile(group.respondents, MeanKind::Arithmetic);
    return group;
}

// The figures of 10 000 respondents: spread and the 2 000 bootstrap resamples.
void BM_Statistics10000(benchmark::State &state)
{
    const GroupResult group = syntheticGroup(10000);
    const auto kind = MeanKind(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(groupStatistics(group, kind, 1));
}
BENCHMARK(BM_Statistics10000)
    ->Arg(int(MeanKind::Arithmetic))
    ->Arg(int(MeanKind::Geometric))
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// `stats` of a folder of 10 000 result files: the load and the figures.
void BM_StatsOfFolder10000(benchmark::State &state)
{
    const QString folder = largeSampleFolder();
    if (folder.isEmpty()) {
        state.SkipWithError("cannot write the folder");
        return;
    }
    for (auto _ : state) {
        auto loaded = loadProfile(folder, programKey());
        const auto *group = std::get_if<LoadedProfile>(&loaded);
        if (!group || group->group.n != 10000) {
            state.SkipWithError("the folder does not load");
            break;
        }
        benchmark::DoNotOptimize(groupStatistics(group->group, MeanKind::Arithmetic, 1));
    }
}
BENCHMARK(BM_StatsOfFolder10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// `summary` of 100 folders of 100 files each.
void BM_Summary100Folders(benchmark::State &state)
{
    const QStringList folders = departmentFolders();
    if (folders.isEmpty()) {
        state.SkipWithError("cannot write the folders");
        return;
    }
    for (auto _ : state) {
        for (const QString &folder : folders) {
            auto loaded = loadProfile(folder, programKey());
            const auto *group = std::get_if<LoadedProfile>(&loaded);
            if (!group) {
                state.SkipWithError("a folder does not load");
                return;
            }
            const ProfileMeans profile = groupMeans(group->group, MeanKind::Arithmetic);
            benchmark::DoNotOptimize(dominantTypes(stateScores(profile, 0)));
            benchmark::DoNotOptimize(largestDiscrepancy(profile));
        }
    }
}
BENCHMARK(BM_Summary100Folders)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Two departments of 100 with 10 000 permutations and the Welch tests.
void BM_Compare100With100(benchmark::State &state)
{
    const GroupResult a = syntheticGroup(100), b = syntheticGroup(130);
    for (auto _ : state)
        benchmark::DoNotOptimize(compareGroups(a, b, MeanKind::Arithmetic, 1));
}
BENCHMARK(BM_Compare100With100)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
