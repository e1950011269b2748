#include "plots/difference_chart.h"

#include "survey/resource.h"

namespace plots {

void setupDifferenceChart(ui::BarChartModel &chart)
{
    chart.title = QStringList{QStringLiteral("Разница текущих и предполагаемых оценок")};
    chart.view3D = false;
    chart.backColour = chart.backWallColour = Qt::white;
    chart.marginLeftPercent = 1;
    chart.legendVisible = false;
    chart.bottomAxis = ui::ChartAxis();
    chart.bottomAxis.automaticMinimum = chart.bottomAxis.automaticMaximum = false;
    chart.bottomAxis.minimum = 0;
    chart.bottomAxis.maximum = 5;
    chart.bottomAxis.labelsOnAxis = false;
    chart.leftAxis = ui::ChartAxis();

    ui::BarSeries series;
    series.title = QStringLiteral("SeriesDel");
    series.colour = Qt::red;
    series.sideBySide = false;
    series.marksVisible = false;
    series.arrowLength = 20;
    series.showInLegend = false;
    chart.series = {series};
}

void fillDifferenceChart(ui::BarChartModel &chart, const std::array<double, 4> &differences,
                         const QColor &colour, const QString &footText)
{
    if (chart.series.isEmpty())
        chart.series.append(ui::BarSeries());
    ui::BarSeries &series = chart.series[0];
    series.clear();
    for (int i = 0; i < 4; ++i)
        series.addXY(i + 1, differences[i], survey::DifferenceBarLetters[i], colour);
    chart.foot = QStringList{footText};
}

std::array<double, 4> profileDifferences(const survey::ProfileScores &scores)
{
    std::array<double, 4> differences{};
    for (int i = 0; i < survey::kTypeCount; ++i)
        differences[std::size_t(i)] =
            scores[survey::scoreIndex(0, i)] - scores[survey::scoreIndex(1, i)];
    return differences;
}

std::array<double, 4> questionDifferences(const survey::AnswerTable &answers, int question)
{
    std::array<double, 4> differences{};
    if (question < 1 || question > survey::kQuestionCount)
        return differences;
    for (int i = 0; i < 4; ++i)
        differences[i] = answers[question - 1][i] - answers[question + 5][i];
    return differences;
}

} // namespace plots
