#pragma once

#include "documents/anonymity.h"
#include "documents/document_outcome.h"
#include "documents/export_data.h"

#include <QString>
#include <vector>

// The spreadsheet of one or more groups for a client: «Сводка» with every shown group's N,
// scores, dominant types and change agenda; then a sheet per group with every figure of
// `stats`, its mean table, a chart the user can restyle and the files left out or kept with
// warnings; then the raw data, "Респонденты" with one row per respondent and "Ответы" with
// each of their answers. Groups under the anonymity floor are held back, and «Сводка» says
// so. Groups are named by their names, never by a path.
namespace documents {

struct WorkbookOptions {
    QString client;  // heads every sheet; empty: none named
    QString caption; // the survey's own words; empty: the standard title
    int minGroup = kDefaultMinGroup;
    bool freeText = false; // the respondents' own line (names, positions): only when asked
};

// Which groups the workbook shows.
Disclosure workbookDisclosure(const std::vector<ExportGroup> &groups, int minGroup);

// The workbook's bytes (an .xlsx file), built in a temporary folder; `cancel` is asked before
// each sheet.
Made workbookBytes(const std::vector<ExportGroup> &groups, const WorkbookOptions &options = {},
                   const CancelCheck &cancel = {});

} // namespace documents
