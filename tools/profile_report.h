#pragma once

#include "group_result.h"
#include "group_statistics.h"
#include "report_document.h"

#include <QDate>
#include <QString>

// The content of one group's (or one respondent's) report: page 1 the profile, page 2 the
// question charts and the differences, then the statistics and what they say in words.
namespace report {

// Whom a report is about: "Группа" and a folder's name, or "Респондент" and a code, with the
// file's information line for a respondent.
struct Subject {
    QString label;
    QString name;
    QString info;
};

Document profileDocument(const Subject &subject, const survey::GroupResult &group,
                         const survey::GroupStatistics &statistics, const QDate &date);

// "Группа «Отдел продаж» · N = 30 · 7 декабря 2026 г."
QString footerLine(const Subject &subject, int n, const QDate &date);

} // namespace report
