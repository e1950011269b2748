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
// The same of a group figure, rounded on its exact value as the tables round it.
Claim claimFor(const survey::Mean &difference, bool significant);

// Whether a group's preferred - current of one type is significant: both 95 % intervals
// exist (two respondents or more) and do not overlap. Stricter than a paired test, so a
// change called significant is one.
bool changeSignificant(const survey::TypeStatistics &type);

// Whether the dominant type of a state shares the lead: another type's 95 % interval
// overlaps the dominant's, or several tie. Without intervals (one respondent) only a tie.
bool sharesLead(const survey::GroupStatistics &statistics, int state);

// The types whose interval overlaps the dominant one's, the dominant types first.
std::vector<int> leadingTypes(const survey::GroupStatistics &statistics, int state);

// A figure in whole points for prose, rounded on its exact value: "14", or with `sign`
// "+14", "−3" (minus sign U+2212); "0" has no sign.
QString wholePoints(const survey::Mean &value, bool sign = false);

// "балл", "балла" or "баллов" after the whole number `points` prints.
QString pointsWord(const QString &points);

// What a claim says of a change, as a clause: "заметное изменение", "небольшое изменение"…
// `single` for one respondent, whose change is his own and is not tested.
QString claimWords(Claim claim, bool single = false);

} // namespace report
