#pragma once

#include "documents/document_outcome.h"
#include "documents/export_data.h"

#include <vector>

// The spreadsheet of one or more groups: the sheet "Респонденты" with one row per respondent,
// "Ответы" with each of their answers, then a sheet per group with every figure of `stats`,
// its mean table, a chart the user can restyle and the files left out or kept with warnings.
namespace documents {

// The workbook's bytes (an .xlsx file), built in a temporary folder; `cancel` is asked before
// each sheet.
Made workbookBytes(const std::vector<ExportGroup> &groups, const CancelCheck &cancel = {});

} // namespace documents
