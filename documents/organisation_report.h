#pragma once

#include "documents/report_cover.h"
#include "documents/report_document.h"
#include "documents/report_notes.h"
#include "documents/report_texts.h"
#include "survey/group_result.h"
#include "survey/group_statistics.h"

#include <QString>
#include <vector>

// The report on an organisation of three or more groups: a table of every group's figures
// and change agenda, all profiles side by side, and a page per group. Groups below the
// anonymity floor appear only as a line saying that they are held back and why.
namespace report {

struct OrganisationGroup {
    Subject subject;
    const survey::GroupResult *result = nullptr;
    const survey::GroupStatistics *statistics = nullptr;
    FileNotes notes;
};

Document organisationDocument(const Cover &cover, const std::vector<OrganisationGroup> &groups,
                              int minGroupSize);

} // namespace report
