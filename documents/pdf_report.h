#pragma once

#include "documents/anonymity.h"
#include "documents/export_data.h"
#include "survey/group_mean.h"
#include "survey/group_result.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <variant>

// What `ocai-cli pdf` writes: an A4 report in Russian of one group (or one respondent), of
// two groups side by side, or of an organisation of three or more groups, for a client when
// one is named. Names come from the folders'
// names or the respondents' codes unless given; no path appears in the document.
namespace documents {

struct PdfRequest {
    QStringList paths; // FILEs or DIRs: one, two, or more for an organisation
    QStringList names; // the groups' names in the document; empty: from the paths
    QString client;    // the organisation the report is for; empty: none named
    QString title;     // the report's title; empty: the standard one
    survey::MeanKind mean = survey::MeanKind::Arithmetic;
    std::uint64_t seed = 1;
    QDate date = QDate::currentDate();
    int minGroup = kDefaultMinGroup; // the anonymity floor; a FILE alone is its respondent's
};

struct PdfReport {
    QByteArray pdf;
    // The groups as loaded: the files the document names as left out are theirs.
    std::vector<ExportGroup> groups;
};

// A group under the floor makes no report: the error says which and why.
std::variant<PdfReport, survey::GroupError> pdfReport(const PdfRequest &request);

} // namespace documents
