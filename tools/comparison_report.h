#pragma once

#include "group_compare.h"
#include "profile_report.h"
#include "report_document.h"

#include <QDate>

// The content of the report on two groups (two departments, or two rounds of one): their
// scores side by side with the tests of each difference, what is significant in words, and
// each group's Plot A.
namespace report {

Document comparisonDocument(const Subject &a, const Subject &b,
                            const survey::GroupComparison &comparison, const QDate &date);

} // namespace report
