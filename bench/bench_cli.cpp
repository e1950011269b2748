// ocai-cli's drawing commands: `pdf` and the saved pictures of a group, as the commands make
// them.
#include "pdf_report.h"
#include "result_folder.h"
#include "window_pictures.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// The twelve sample results, encrypted into one folder: a department's group.
QString sampleGroup()
{
    static QTemporaryDir dir;
    static const QList<QByteArray> ciphers = benchfiles::sampleCiphers();
    static const bool written = benchfiles::writeResultFolder(dir.path(), ciphers.size(), ciphers);
    return written ? dir.path() : QString();
}

// `ocai-cli pdf DIR`: load, statistics with the bootstrap, three pictures, the document.
void BM_PdfOfGroup(benchmark::State &state)
{
    const QString folder = sampleGroup();
    if (folder.isEmpty()) {
        state.SkipWithError("cannot write the sample group");
        return;
    }
    for (auto _ : state) {
        const auto pdf = cli::pdfReport(folder, survey::MeanKind::Arithmetic, 1);
        if (!std::holds_alternative<QByteArray>(pdf)) {
            state.SkipWithError("the group does not load");
            return;
        }
        benchmark::DoNotOptimize(std::get<QByteArray>(pdf).size());
    }
}
BENCHMARK(BM_PdfOfGroup)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// `ocai-cli plot b DIR --out x.gif`: the load, the six charts and the GIF.
void BM_PlotBGifOfGroup(benchmark::State &state)
{
    const QString folder = sampleGroup();
    for (auto _ : state) {
        const auto loaded =
            cli::windowProfile(survey::loadProfile(folder, benchfiles::programKey()));
        const auto *profile = std::get_if<cli::WindowProfile>(&loaded);
        if (!profile) {
            state.SkipWithError("the group does not load");
            return;
        }
        benchmark::DoNotOptimize(
            cli::encodePicture(cli::savedPlotB(*profile, {}), cli::PictureFormat::Gif).size());
    }
}
BENCHMARK(BM_PlotBGifOfGroup)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

} // namespace
