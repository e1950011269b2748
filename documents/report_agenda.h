#pragma once

#include "documents/report_document.h"
#include "survey/group_result.h"
#include "survey/group_statistics.h"

#include <vector>

// The method's next step in a group's report: what to change in each type and why, the blank
// tables a workshop fills in by hand, and the six questions in words.
namespace report {

// Per type «Больше», «Меньше» or «Сохранить», the scores, how many respondents want more and
// less of it, and the type's own description.
void addChangeAgenda(Document &document, const survey::GroupStatistics &statistics,
                     const std::vector<survey::ProfileScores> &respondents);

// An empty two-column table per type, «Что это значит для нас» / «Чего это не значит».
void addWorkshopTables(Document &document, const survey::GroupStatistics &statistics);

// Each question: the main type now and wished for and its largest change, from the group's
// mean answers.
void addQuestionsInWords(Document &document, const survey::AnswerTable &means);

} // namespace report
