#pragma once

#include "documents/profile_report.h"
#include "documents/report_document.h"
#include "survey/group_compare.h"
#include "survey/group_statistics.h"

// The content of the report on two groups (two departments, or two rounds of one), each named
// by its name: what may be said of their differences, both profiles on one diagram, their
// scores side by side with Hedges' g and the tests of each difference, each group's change
// agenda and Plot A and its respondents' own scores, and at the end how the tests work.
namespace report {

// A group as a report of several shows it: its name, figures and files.
struct ReportedGroup {
    Subject subject;
    const survey::GroupResult *result = nullptr;
    const survey::GroupStatistics *statistics = nullptr;
    FileNotes notes;
};

// `b` against `a`: differences are b's score minus a's.
Document comparisonDocument(const Cover &cover, const ReportedGroup &a, const ReportedGroup &b,
                            const survey::GroupComparison &comparison);

} // namespace report
