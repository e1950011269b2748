#pragma once

#include "survey/group_statistics.h"

#include <QString>

// What a report may say about a difference, the same in every document: a difference is
// notable only when it is both large (at least 10 points as printed) and significant; a
// significant but small one is called small; a large one that could be chance says so.
namespace report {

enum class Claim {
    Notable,             // >= 10 points and significant
    SmallButSignificant, // significant, under 10 points
    LargeButUncertain,   // >= 10 points, not significant (or not testable)
    NotSignificant       // under 10 points, not significant
};

// `difference` is rounded to the two decimals the tables print before it is measured.
Claim claimFor(double difference, bool significant);

// Whether a group's preferred - current of one type is significant: both 95 % intervals
// exist (two respondents or more) and do not overlap. Stricter than a paired test, so a
// change called significant is one.
bool changeSignificant(const survey::TypeStatistics &type);

// Whether the dominant type of a state shares the lead: another type's 95 % interval
// overlaps the dominant's, or several tie. Without intervals (one respondent) only a tie.
bool sharesLead(const survey::GroupStatistics &statistics, int state);

// The types whose interval overlaps the dominant one's, the dominant types first.
std::vector<int> leadingTypes(const survey::GroupStatistics &statistics, int state);

// A difference in whole points for prose: "+14", "−3" (minus sign U+2212), "0".
QString wholePoints(double difference);

// The words after a change's size for each claim, e.g. " — заметное изменение".
QString claimWords(Claim claim);

} // namespace report
