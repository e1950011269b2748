#pragma once

#include "documents/export_data.h"
#include "documents/xlsx_sheet.h"

#include <QString>
#include <vector>

// The respondents' sheets: one row per respondent with the texts, dates, times and scores, and
// the points and times of every answer, twelve rows per respondent.
namespace documents {

extern const QString kRespondentsSheet;
extern const QString kAnswersSheet;

void writeRespondentSheets(lxw_workbook *workbook, const Formats &formats,
                           const std::vector<ExportGroup> &groups, SheetStatus &status);

} // namespace documents
