#pragma once

#include "documents/comparison_report.h"
#include "documents/report_cover.h"
#include "documents/report_document.h"

#include <QStringList>
#include <vector>

// The report on an organisation of three or more groups: a table of every group's figures
// and change agenda, all profiles side by side, and a page per group. Groups held back by the
// anonymity floor appear only in `heldBack`'s sentences saying so and why.
namespace report {

Document organisationDocument(const Cover &cover, const std::vector<ReportedGroup> &groups,
                              const QStringList &heldBack);

} // namespace report
