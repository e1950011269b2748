#pragma once

#include "documents/report_cover.h"
#include "documents/report_document.h"
#include "documents/report_notes.h"
#include "documents/report_texts.h"
#include "survey/group_result.h"
#include "survey/group_statistics.h"

// The content of one group's (or one respondent's) report: page 1 the profile, then what the
// types mean, the charts, the statistics and what they say in words, and how they were
// computed, and the files left out or counted with a warning.
namespace report {

Document profileDocument(const Cover &cover, const Subject &subject,
                         const survey::GroupResult &group,
                         const survey::GroupStatistics &statistics, const FileNotes &notes = {});

} // namespace report
