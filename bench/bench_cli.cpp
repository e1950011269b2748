// ocai-cli's drawing commands: `pdf` and the saved pictures of a group, as the commands make
// them.
#include "core/text_codec.h"
#include "pdf_report.h"
#include "unit_pc1.h"
#include "window_pictures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// The twelve sample results, encrypted into one folder: a department's group.
QString sampleGroup()
{
    static QTemporaryDir dir;
    static const bool written = [] {
        const QDir samples(QStringLiteral(OCAI_SAMPLES_DIR));
        const QStringList names = samples.entryList({QStringLiteral("*OCAI.txt")}, QDir::Files);
        for (const QString &name : names) {
            QFile text(samples.filePath(name));
            QFile cry(dir.filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".cry")));
            if (!text.open(QIODevice::ReadOnly) || !cry.open(QIODevice::WriteOnly))
                return false;
            QByteArray plain = text.readAll();
            plain.replace("\r\n", "\n").replace("\n", "\r\n");
            const QByteArray cipher =
                survey::Pc1Encrypt(survey::pc1KeyBytes(survey::Pc1KeyText),
                                   textcodec::toWindows1251(QString::fromUtf8(plain)));
            if (cry.write(cipher) != cipher.size())
                return false;
        }
        return !names.isEmpty();
    }();
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
        const auto loaded = cli::loadWindowProfile(folder);
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
