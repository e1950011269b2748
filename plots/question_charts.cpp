#include "plots/question_charts.h"

#include "core/number_format.h"
#include "survey/resource.h"

namespace plots {

namespace {

bool isQuestion(int question)
{
    return question >= 1 && question <= survey::kQuestionCount;
}

ui::BarSeries questionSeries(const QString &title, const QColor &colour, int barWidthPercent)
{
    ui::BarSeries series;
    series.title = title;
    series.colour = colour;
    series.barWidthPercent = barWidthPercent;
    series.sideBySide = true;
    series.marksVisible = false;
    series.showInLegend = false;
    return series;
}

QString pointsLine(const survey::AnswerRow &row)
{
    QString line;
    for (int i = 0; i < survey::kTypeCount; ++i)
        line += numfmt::formatFixed(row[i], 4, 0, u'.');
    return line;
}

} // namespace

void setupQuestionChart(ui::BarChartModel &chart)
{
    chart.title = QStringList{QStringLiteral("TChart")};
    chart.view3D = true;
    chart.chart3DPercent = 15;
    chart.backColour = chart.backWallColour = chart.leftWallColour = Qt::white;
    chart.legendVisible = false;
    chart.bottomAxis = ui::ChartAxis();
    chart.bottomAxis.automaticMinimum = chart.bottomAxis.automaticMaximum = false;
    chart.bottomAxis.minimum = 0;
    chart.bottomAxis.maximum = 5;
    chart.bottomAxis.increment = 1;
    chart.bottomAxis.labelsOnAxis = false;
    chart.leftAxis = ui::ChartAxis();
    chart.leftAxis.automaticMinimum = false;
    chart.leftAxis.minimum = 0;
    chart.leftAxis.increment = 10;
    chart.series = {questionSeries(QStringLiteral("Now"), Qt::red, 75),
                    questionSeries(QStringLiteral("Future"), Qt::blue, 70)};
}

void fillQuestionChart(ui::BarChartModel &chart, int question, const survey::AnswerTable &answers,
                       const QColor &nowColour, const QColor &futureColour)
{
    if (!isQuestion(question))
        return;
    while (chart.series.size() < 2)
        chart.series.append(ui::BarSeries());
    chart.title = QStringList{survey::QuestionTitles[question - 1]};
    ui::BarSeries &now = chart.series[0];
    ui::BarSeries &future = chart.series[1];
    now.clear();
    future.clear();
    for (int i = 1; i <= survey::kTypeCount; ++i)
        now.addXY(i, answers[question - 1][i - 1], survey::TypeLetters[i - 1], nowColour);
    for (int i = 1; i <= survey::kTypeCount; ++i)
        future.addXY(i, answers[question + 5][i - 1], survey::TypeLetters[i - 1], futureColour);
}

QString questionDetails(int question, const survey::AnswerTable &answers)
{
    if (!isQuestion(question))
        return QString();
    const QString newLine = QStringLiteral("\r\n");
    QString text = QStringLiteral("   A   B   C   D") + newLine;
    text += pointsLine(answers[question - 1]) + QStringLiteral(" Реальное (Red)") + newLine;
    text += pointsLine(answers[question + 5]) + QStringLiteral(" Желаемое (Blue)") + newLine;
    for (int k = 0; k < survey::kTypeCount; ++k)
        text += survey::AlternativeTexts[4 * (question - 1) + k] + newLine;
    return text;
}

} // namespace plots
