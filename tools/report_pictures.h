#pragma once

#include "group_mean.h"
#include "profile_model.h"
#include "report_document.h"

#include <array>

// The window's pictures as vector drawings for a printed report: the same drawing code on a
// painter scaled to the page, in the colours after start-up (red current, blue preferred)
// and with the report's words for the two states.
namespace report {

// Plot A of `profile` (full precision; shown as the score fields show it, "%5.2f" with a
// decimal comma), `widthMm` wide.
Picture plotAPicture(const survey::ProfileMeans &profile, double widthMm);

// The six question charts of the mean table as the window places them, under a legend of
// the two colours.
Picture questionChartsPicture(const survey::AnswerTable &means, double widthMm);

// The difference chart of preferred - current per type, each bar with its value as the
// tables print it.
Picture differencePicture(const survey::StateMeans &preferredMinusCurrent, double widthMm);

} // namespace report
