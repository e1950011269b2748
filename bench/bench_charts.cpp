// Filling and rendering the charts of Plot C (goal under 1 ms) and of Plot B (under 5 ms).
#include "charts/bar_chart_model.h"
#include "plots/difference_chart.h"
#include "plots/question_charts.h"

#include <benchmark/benchmark.h>

namespace {

const QSize kChartPlaces[] = {{228, 257}, {227, 257}, {227, 257},
                              {228, 257}, {227, 257}, {227, 257}};

void BM_FillAndRenderDifferenceChart(benchmark::State &state)
{
    ui::BarChartModel chart;
    plots::setupDifferenceChart(chart);
    chart.series[0].marksVisible = true;
    const survey::ProfileScores scores = {40.5, 30.25, 20, 9.25, 25, 25, 37.5, 12.5};
    for (auto _ : state) {
        plots::fillDifferenceChart(chart, plots::profileDifferences(scores), Qt::red,
                                   plots::kWholeProfileFoot);
        const QImage image = ui::renderBarChart(chart, QSize(334, 353));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FillAndRenderDifferenceChart)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

void BM_FillAndRenderSixQuestionCharts(benchmark::State &state)
{
    survey::AnswerTable answers{};
    for (int row = 0; row < survey::kAnswerRows; ++row)
        for (int i = 0; i < 4; ++i)
            answers[row][i] = 10 + 7.5 * ((row + i) % 5);
    ui::BarChartModel charts[6];
    for (ui::BarChartModel &chart : charts)
        plots::setupQuestionChart(chart);
    for (auto _ : state) {
        for (int q = 1; q <= 6; ++q) {
            plots::fillQuestionChart(charts[q - 1], q, answers, Qt::red, Qt::blue);
            const QImage image = ui::renderBarChart(charts[q - 1], kChartPlaces[q - 1]);
            benchmark::DoNotOptimize(image.constBits());
        }
    }
}
BENCHMARK(BM_FillAndRenderSixQuestionCharts)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

} // namespace
