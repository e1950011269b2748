#pragma once

#include "charts/bar_chart_model.h"
#include "survey/profile_model.h"

#include <QColor>
#include <QString>

// Plot B: one chart per question, the current points beside the preferred ones, and the
// question details written under the charts.
namespace plots {

// The form properties of a question chart: 3-D, white walls, title "TChart", bottom axis
// 0..5 step 1 with nothing at its ends, value axis from 0 to the highest bar with labels every
// 10, series "Now" (red, 75 %) and "Future" (blue, 70 %) side by side, marks off, no legend.
void setupQuestionChart(ui::BarChartModel &chart);

// Title QuestionTitles[q-1]; "Now" gets x = 1..4, y = current points, labels TypeLetters in
// `nowColour`; "Future" the preferred points in `futureColour`. A question outside 1..6
// leaves the chart as it was.
void fillQuestionChart(ui::BarChartModel &chart, int question, const survey::AnswerTable &answers,
                       const QColor &nowColour, const QColor &futureColour);

// Seven lines, each ended by CR LF: the letter header, the current and the preferred points
// ("%4.0f" each), then the question's four alternatives. Empty for a question outside 1..6.
QString questionDetails(int question, const survey::AnswerTable &answers);

} // namespace plots
