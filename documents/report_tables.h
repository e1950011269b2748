#pragma once

#include "documents/report_document.h"
#include "survey/group_compare.h"
#include "survey/group_statistics.h"

// The tables the printed reports and the desk both show: each defined once, its columns, their
// captions and its cells, so that the screen and the paper say the same.
namespace report {

// The spread of each score: mean, standard deviation, lowest, highest and the bootstrap
// interval of the mean, a row per type and state.
Table spreadTable(const survey::GroupStatistics &statistics);

// Two groups' scores under their names, the second's difference from the first, Hedges' g,
// the p of Welch's t test and of the permutation test, and what the difference may be
// called, a row per type and state.
Table comparisonTable(const survey::GroupComparison &comparison, const QString &nameA,
                      const QString &nameB);

} // namespace report
