// Saving a Plot A picture as GIF, from the captured image to the closed file: colour count,
// palette, mapping, LZW and the write. The goal is under 5 ms.
//
// `bench_gif --save-png=FILE` writes the picture as PNG (for bench/pillow_gif.py) and
// `--save-gif=FILE` as GIF, instead of timing.
#include "core/c_numbers.h"
#include "gif/gif_writer.h"
#include "plots/plot_a.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// What the save command captures: the 26-pixel strip above the plot (here plain button face)
// and the 686 x 672 diagram.
QImage plotAPicture()
{
    plots::PlotAFields fields;
    fields.current = {QStringLiteral("35.50"), QStringLiteral("20.00"), QStringLiteral("25.25"),
                      QStringLiteral("19.25")};
    fields.preferred = {QStringLiteral("30.00"), QStringLiteral("27.50"), QStringLiteral("17.33"),
                        QStringLiteral("25.17")};
    survey::ProfileScores scores{};
    const QImage plot =
        plots::renderPlotA(QSize(686, 672), fields, Qt::red, Qt::blue, u'.', scores);
    QImage picture(686, 698, QImage::Format_RGB32);
    picture.fill(qRgb(240, 240, 240));
    QPainter(&picture).drawImage(0, 26, plot);
    return picture;
}

void BM_SaveGifPlotA(benchmark::State &state)
{
    const QImage picture = plotAPicture();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OCAI Plot A Bench.gif"));
    for (auto _ : state) {
        QString message;
        if (!gifio::saveGif87a(picture, path, &message)) {
            state.SkipWithError(qPrintable(message));
            break;
        }
    }
    state.counters["file_bytes"] = double(QFile(path).size());
}
BENCHMARK(BM_SaveGifPlotA)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();

// The same without the file: what the encoder itself takes.
void BM_EncodeGifPlotA(benchmark::State &state)
{
    const QImage picture = plotAPicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(gifio::encodeGif87a(picture));
}
BENCHMARK(BM_EncodeGifPlotA)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

} // namespace

int main(int argc, char **argv)
{
    // Text needs a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    numfmt::keepCNumbersInTheCLibrary();
    // The picture itself, for bench/pillow_gif.py and for a look at the result.
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument.startsWith(QLatin1String("--save-png="))) {
            const QString png = argument.mid(11);
            if (!plotAPicture().save(png, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(png));
                return 1;
            }
            return 0;
        }
        if (argument.startsWith(QLatin1String("--save-gif="))) {
            QString message;
            if (!gifio::saveGif87a(plotAPicture(), argument.mid(11), &message)) {
                std::fprintf(stderr, "%s\n", qPrintable(message));
                return 1;
            }
            return 0;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
