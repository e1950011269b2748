#pragma once

#include "documents/report_texts.h"
#include "survey/group_statistics.h"

#include <QString>

// What the figures say, in Russian sentences made from the figures themselves: each claim is
// chosen by the same numbers the tables print, so that the words cannot contradict them.
namespace report {

// The dominant culture now and wished for, the largest wished change (every type that ties
// for it) and the changes of at least the discrepancy threshold.
QString profileSummary(const survey::GroupStatistics &statistics);

// Whether the six questions name one dominant current type.
QString congruenceSentence(const survey::GroupStatistics &statistics);

} // namespace report
