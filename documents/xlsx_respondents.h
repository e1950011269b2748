#pragma once

#include "documents/export_data.h"
#include "documents/xlsx_sheet.h"

#include <QString>
#include <vector>

// The respondents' sheets: one row per respondent with the code, dates, times and scores (and
// the respondent's own line only when `freeText`), and the points and times of every answer,
// twelve rows per respondent. Each row names its group by the group's name.
namespace documents {

extern const QString kRespondentsSheet;
extern const QString kAnswersSheet;

void writeRespondentSheets(lxw_workbook *workbook, const Formats &formats, const SheetHead &head,
                           const std::vector<const ExportGroup *> &groups, bool freeText,
                           SheetStatus &status);

} // namespace documents
