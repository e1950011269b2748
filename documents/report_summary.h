#pragma once

#include "documents/change_agenda.h"
#include "documents/report_document.h"
#include "documents/report_texts.h"
#include "survey/group_statistics.h"

#include <QString>
#include <QStringList>

// What the figures say, in Russian sentences made from the figures themselves: each claim is
// chosen by the same numbers the tables print, so that the words cannot contradict them.
namespace report {

// When the answers were given, from the respondents' answer dates as their files write them
// (day.month.year): "Ответы даны с 10 по 14 марта 2026 г.", with the files that name no date.
QString surveyDates(const QStringList &answerDates);

// Page 1's findings in plain words and whole points, under the honest-claims rule: the
// culture now and wished for, the two or three largest changes with how many respondents want
// them, and how far the respondents agree. `respondents` are their own profiles.
void addFindings(Document &document, const survey::GroupStatistics &statistics,
                 const std::vector<survey::ProfileScores> &respondents);

// The dominant culture now and wished for, the largest wished change (every type that ties
// for it) and the changes of at least the discrepancy threshold.
QString profileSummary(const survey::GroupStatistics &statistics);

// Whether the six questions name one dominant current type.
QString congruenceSentence(const survey::GroupStatistics &statistics);

} // namespace report
