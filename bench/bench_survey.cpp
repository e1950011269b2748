// Decryption throughput, the whole load of one result file and of a large group, the report.
#include "documents/text_report.h"
#include "result_folder.h"
#include "survey/group_result.h"
#include "survey/result_file.h"
#include "survey/unit_pc1.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace documents;
using namespace survey;
using namespace benchfiles;

namespace {

// The largest text a result file may hold: 32 767 plain bytes without a zero byte, so that
// decryption runs through all 65 534 letters.
void BM_Pc1Decrypt(benchmark::State &state)
{
    const QByteArray unit = samplePlain();
    QByteArray plain;
    while (plain.size() < kMaxCipherTextLength / 2)
        plain += unit;
    plain.truncate(kMaxCipherTextLength / 2);
    const QByteArray cipher = Pc1Encrypt(programKey(), plain);
    for (auto _ : state)
        benchmark::DoNotOptimize(Pc1Decrypt(programKey(), cipher));
    state.SetBytesProcessed(state.iterations() * cipher.size());
}
BENCHMARK(BM_Pc1Decrypt)->Repetitions(15)->ReportAggregatesOnly(true);

// What one "Data" command does with a sample file: read, decrypt, parse.
void BM_LoadIndividualResult(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ivanova01OCAI.cry"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(Pc1Encrypt(programKey(), samplePlain())) <= 0) {
        state.SkipWithError("cannot write the sample file");
        return;
    }
    file.close();
    for (auto _ : state) {
        auto loaded = loadIndividualResult(path, programKey());
        if (!std::holds_alternative<IndividualResult>(loaded)) {
            state.SkipWithError("the sample does not load");
            break;
        }
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(BM_LoadIndividualResult)->Repetitions(15)->ReportAggregatesOnly(true);

constexpr int kGroupSize = 10000;

// The "Group" command's work on a folder of 10 000 files: list, read, decrypt, parse, average.
void BM_LoadGroup10000(benchmark::State &state)
{
    const QString folder = largeSampleFolder();
    if (folder.isEmpty()) {
        state.SkipWithError("cannot write the group folder");
        return;
    }
    for (auto _ : state) {
        auto loaded = loadGroup(folder, programKey());
        const auto *group = std::get_if<GroupResult>(&loaded);
        if (!group || group->n != kGroupSize) {
            state.SkipWithError("the group does not load");
            break;
        }
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(BM_LoadGroup10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// The decryption share of the group load: the same 10 000 texts decrypted from memory.
void BM_DecryptGroup10000(benchmark::State &state)
{
    const QList<QByteArray> ciphers = sampleCiphers();
    const QByteArray key = programKey();
    for (auto _ : state)
        for (int i = 0; i < kGroupSize; ++i)
            benchmark::DoNotOptimize(Pc1Decrypt(key, ciphers[i % ciphers.size()]));
}
BENCHMARK(BM_DecryptGroup10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

ReportInput reportInput()
{
    ReportInput input;
    input.date = QStringLiteral("14.03.2026");
    input.code = QStringLiteral("Group");
    input.info = groupInfoLine(12);
    input.scores = {25.5, 50.0 / 6, 40.25, 26.75, 31, 22.5, 20.125, 26.375};
    for (int r = 0; r < kAnswerRows; ++r)
        input.answers[std::size_t(r)] = {25.5, 100.0 / 3, 20, 21.1666, 132.5 + r};
    return input;
}

// The report's text from the loaded data.
void BM_ReportText(benchmark::State &state)
{
    const ReportInput input = reportInput();
    for (auto _ : state)
        benchmark::DoNotOptimize(reportText(input));
}
BENCHMARK(BM_ReportText)->Repetitions(15)->ReportAggregatesOnly(true);

// The "Save Data" command after the dialog: the text, written to a file that it replaces.
void BM_WriteReport(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Group.OCAI.txt"));
    const ReportInput input = reportInput();
    for (auto _ : state) {
        if (!writeReport(path, reportText(input), nullptr)) {
            state.SkipWithError("cannot write the report");
            break;
        }
    }
}
BENCHMARK(BM_WriteReport)->Repetitions(15)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
