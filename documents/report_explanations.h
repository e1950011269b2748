#pragma once

#include "documents/report_document.h"
#include "survey/group_compare.h"
#include "survey/group_statistics.h"

// What a reader new to the method needs beside the figures: the four culture types in plain
// words, and at the end how the figures were computed, where the statistical terms are
// explained once instead of scattered through the text.
namespace report {

// The method in a few sentences for a reader who has never heard of it, before any result:
// the four types on their two axes, now against wished for, and why 10 points matter.
void addMethodInBrief(Document &document);

// A heading and a few sentences on each type, from the program's own type descriptions.
void addTypeMeanings(Document &document);

// How to read the chart of the respondents' own scores, `dots` when it shows each of them.
QString spreadNote(bool dots);

// The closing note of a group's report: the scores, the spread, the interval and its seed.
void addProfileMethod(Document &document, const survey::GroupStatistics &statistics);

// The closing note of a comparison: the scores and the two tests with their seed.
void addComparisonMethod(Document &document, const survey::GroupComparison &comparison);

} // namespace report
