// ocai-cli's drawing commands: `pdf` and the saved pictures of a group, as the commands make
// them.
#include "documents/pdf_report.h"
#include "documents/profile_pictures.h"
#include "result_folder.h"

#include <QDir>
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

// A folder of `files` respondents cycling through the samples from `offset`, written once.
QString largeGroup(int files, int offset)
{
    static QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/g%1_%2").arg(files).arg(offset);
    if (QDir(folder).exists())
        return folder;
    return benchfiles::writeResultFolder(folder, files, benchfiles::sampleCiphers(), offset)
               ? folder
               : QString();
}

void runPdf(benchmark::State &state, const QStringList &paths)
{
    if (paths.contains(QString())) {
        state.SkipWithError("cannot write the groups");
        return;
    }
    documents::PdfRequest request;
    request.paths = paths;
    for (auto _ : state) {
        const auto pdf = documents::pdfReport(request);
        if (!std::holds_alternative<documents::PdfReport>(pdf)) {
            state.SkipWithError("the report cannot be made");
            return;
        }
        benchmark::DoNotOptimize(std::get<documents::PdfReport>(pdf).pdf.size());
    }
}

// `ocai-cli pdf DIR`: load, statistics with the bootstrap, the pictures, the document.
void BM_PdfOfGroup(benchmark::State &state)
{
    runPdf(state, {sampleGroup()});
}
BENCHMARK(BM_PdfOfGroup)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// A large organisation's report: 10 000 respondents in one folder; the goal is 3 s.
void BM_PdfOf10000(benchmark::State &state)
{
    runPdf(state, {largeGroup(10000, 0)});
}
BENCHMARK(BM_PdfOf10000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// Two such groups compared, with 10 000 permutations; the goal is 3 s.
void BM_PdfComparisonOf10000(benchmark::State &state)
{
    runPdf(state, {largeGroup(10000, 0), largeGroup(10000, 5)});
}
BENCHMARK(BM_PdfComparisonOf10000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// `ocai-cli plot b DIR --out x.gif`: the load, the six charts and the GIF.
void BM_PlotBGifOfGroup(benchmark::State &state)
{
    const QString folder = sampleGroup();
    for (auto _ : state) {
        const auto loaded =
            documents::windowProfile(survey::loadProfile(folder, benchfiles::programKey()));
        const auto *profile = std::get_if<documents::WindowProfile>(&loaded);
        if (!profile) {
            state.SkipWithError("the group does not load");
            return;
        }
        benchmark::DoNotOptimize(documents::encodePicture(documents::savedPlotB(*profile, {}),
                                                          documents::PictureFormat::Gif)
                                     .size());
    }
}
BENCHMARK(BM_PlotBGifOfGroup)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

} // namespace
