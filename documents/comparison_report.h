#pragma once

#include "documents/profile_report.h"
#include "documents/report_document.h"
#include "survey/group_compare.h"

// The content of the report on two groups (two departments, or two rounds of one): their
// scores side by side with the tests of each difference, what is significant in words, and
// each group's Plot A and its respondents' own scores, and at the end how the tests work.
namespace report {

Document comparisonDocument(const Cover &cover, const Subject &a, const survey::GroupResult &groupA,
                            const Subject &b, const survey::GroupResult &groupB,
                            const survey::GroupComparison &comparison, const FileNotes &notesA = {},
                            const FileNotes &notesB = {});

} // namespace report
