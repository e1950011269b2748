#pragma once

#include "documents/report_document.h"
#include "survey/group_mean.h"
#include "survey/profile_model.h"

#include <QString>
#include <array>
#include <vector>

// The pictures of a printed report as vector drawings, in the colours after start-up (red
// current, blue preferred) and readable in greyscale: current solid, preferred dashed (and
// hatched where filled), each legend saying so. Plot A is the window's drawing code; the bar
// charts are drawn for paper (print_charts.h).
namespace report {

// Plot A of `profile` (full precision; shown as the score fields show it, "%5.2f" with a
// decimal comma) under the states' legend, `widthMm` wide.
Picture plotAPicture(const survey::ProfileMeans &profile, double widthMm);

// `below` under bold text, wrapped to its width.
Picture captioned(const Picture &below, const QString &caption);

// The six question charts of the mean table, two abreast on one scale, under the states'
// legend.
Picture questionChartsPicture(const survey::AnswerTable &means, double widthMm);

// The difference chart of preferred − current per type, each bar with its value as the
// tables print it and «больше» or «меньше», on a scale symmetric about 0 with dashed guides
// at ±10 points.
Picture differencePicture(const survey::StateMeans &preferredMinusCurrent, double widthMm);

// The respondents' own scores per type and state (plots::paintScoreSpread), `heightShare`
// of the width high, the scale up to `scaleTop` (0: as the scores need).
Picture spreadPicture(const std::vector<survey::ProfileScores> &respondents, double widthMm,
                      double heightShare = 0.475, double scaleTop = 0);

} // namespace report
