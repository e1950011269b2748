#pragma once

#include "documents/document_outcome.h"
#include "documents/export_data.h"
#include "survey/group_mean.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <vector>

// The documents of loaded groups, the same for ocai-cli and the desk: the PDF report of one
// group, the comparison of two, and the text report "Save Data" writes. The workbook is
// xlsx_workbook.h's. Each takes the groups as loaded (export_data.h), whoever loaded them.
namespace documents {

// What the consultant writes on a report's first page; the texts as typed, trimmed here.
struct ReportCover {
    QString organisation; // empty: none named
    QString caption;      // the survey's own words; empty: the report's standard title
    QDate date = QDate::currentDate();
};

// The report of `group`, its statistics as loaded.
Made profilePdf(const ReportCover &cover, const ExportGroup &group, const CancelCheck &cancel = {});

// `b` against `a`, both tested with `mean` and `seed`.
Made comparisonPdf(const ReportCover &cover, const ExportGroup &a, const ExportGroup &b,
                   survey::MeanKind mean, std::uint64_t seed, const CancelCheck &cancel = {});

// The organisation report of `groups` (three or more), their statistics as loaded. A group
// smaller than `minGroup` is held back, and the document says so; fails when none is left.
Made organisationPdf(const ReportCover &cover, const std::vector<ExportGroup> &groups, int minGroup,
                     const CancelCheck &cancel = {});

// The 35-line text report of the group's mean answers and scores, dated `date`.
Made textReport(const ExportGroup &group, const QDate &date = QDate::currentDate());

} // namespace documents
