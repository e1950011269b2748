#pragma once

#include "charts/bar_chart_model.h"
#include "survey/profile_model.h"

#include <QColor>
#include <QSize>
#include <QString>
#include <array>

// Plot C: the four current-minus-preferred differences, one bar per culture type.
namespace plots {

// The window's difference chart ("Plot C"); its saved picture and the reports' are this size.
constexpr QSize kDifferenceChart(334, 353);

// Foot text of the whole-profile differences.
inline const QString kWholeProfileFoot = QStringLiteral("Суммарные значения по всем шкалам");

// The form properties of `ChartDel`: title "Разница текущих и предполагаемых оценок", flat,
// white back, left margin 1 %, no legend, bottom axis fixed 0..5 with nothing at its ends,
// automatic value axis, one series `Series1` titled "SeriesDel" (red, overlapping, marks off,
// arrow length 20, not in the legend).
void setupDifferenceChart(ui::BarChartModel &chart);

// Series 0 gets the points x = 1..4, y = differences[i], label DifferenceBarLetters[i] in
// `colour`; the foot becomes `footText`. Marks stay as they were.
void fillDifferenceChart(ui::BarChartModel &chart, const std::array<double, 4> &differences,
                         const QColor &colour, const QString &footText);

// Current minus preferred score of each type.
std::array<double, 4> profileDifferences(const survey::ProfileScores &scores);

// Current minus preferred points of each alternative of `question` (1 to 6; any other gives 0s).
std::array<double, 4> questionDifferences(const survey::AnswerTable &answers, int question);

} // namespace plots
