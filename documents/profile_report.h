#pragma once

#include "documents/report_cover.h"
#include "documents/report_document.h"
#include "documents/report_notes.h"
#include "documents/report_texts.h"
#include "survey/group_result.h"
#include "survey/group_statistics.h"

// The content of one group's (or one respondent's) report: page 1 the summary in words with
// the profile, then the change agenda, the workshop's blank tables, the six questions in
// words, the charts, the statistics, how they were computed, and the files left out or
// counted with a warning. `answerDates` are the respondents' answer dates as their files
// write them.
namespace report {

Document profileDocument(const Cover &cover, const Subject &subject,
                         const survey::GroupResult &group,
                         const survey::GroupStatistics &statistics, const FileNotes &notes = {},
                         const QStringList &answerDates = {});

} // namespace report
