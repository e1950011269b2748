#pragma once

#include "documents/report_document.h"
#include "survey/group_mean.h"
#include "survey/profile_model.h"

#include <QString>
#include <array>
#include <vector>

// The window's pictures as vector drawings for a printed report: the same drawing code on a
// painter scaled to the page, in the colours after start-up (red current, blue preferred)
// and with the report's words for the two states.
namespace report {

// Plot A of `profile` (full precision; shown as the score fields show it, "%5.2f" with a
// decimal comma), `widthMm` wide.
Picture plotAPicture(const survey::ProfileMeans &profile, double widthMm);

// `below` under bold text, wrapped to its width.
Picture captioned(const Picture &below, const QString &caption);

// The six question charts of the mean table as the window places them, under a legend of
// the two colours.
Picture questionChartsPicture(const survey::AnswerTable &means, double widthMm);

// The difference chart of preferred - current per type, each bar with its value as the
// tables print it, on a scale symmetric about 0 when the differences have both signs.
Picture differencePicture(const survey::StateMeans &preferredMinusCurrent, double widthMm);

// The respondents' own scores per type and state (plots::paintScoreSpread), `heightShare`
// of the width high, the scale up to `scaleTop` (0: as the scores need).
Picture spreadPicture(const std::vector<survey::ProfileScores> &respondents, double widthMm,
                      double heightShare = 0.475, double scaleTop = 0);

} // namespace report
