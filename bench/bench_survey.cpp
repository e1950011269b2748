// Decryption throughput and the whole load of one result file.
#include "core/text_codec.h"
#include "result_file.h"
#include "unit_pc1.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace survey;

namespace {

// The program's key; built on use, as the key text is itself a global of another file.
QByteArray programKey()
{
    return pc1KeyBytes(Pc1KeyText);
}

QByteArray samplePlain()
{
    QFile file(QStringLiteral(OCAI_SAMPLES_DIR "/Ivanova01OCAI.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray text = file.readAll();
    text.replace("\r\n", "\n").replace("\n", "\r\n");
    return textcodec::toWindows1251(QString::fromUtf8(text));
}

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

} // namespace

BENCHMARK_MAIN();
