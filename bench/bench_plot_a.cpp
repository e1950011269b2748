// One full Plot A drawing on the window's 686 x 672 canvas; the goal is under 3 ms.
#include "plots/plot_a.h"

#include <benchmark/benchmark.h>

namespace {

void BM_DrawPlotA(benchmark::State &state)
{
    plots::PlotAFields fields;
    fields.current = {QStringLiteral("35.50"), QStringLiteral("20.00"), QStringLiteral("25.25"),
                      QStringLiteral("19.25")};
    fields.preferred = {QStringLiteral(" 3.38"), QStringLiteral("50.00"), QStringLiteral("100.00"),
                        QStringLiteral(" 8.00")};
    QImage canvas(686, 672, QImage::Format_RGB32);
    survey::ProfileScores scores{};
    for (auto _ : state) {
        const bool ok = plots::drawPlotA(canvas, fields, Qt::red, Qt::blue, u'.', scores);
        benchmark::DoNotOptimize(ok);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawPlotA)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly();

} // namespace
