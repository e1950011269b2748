#pragma once

#include "documents/anonymity.h"
#include "documents/export_data.h"
#include "documents/xlsx_sheet.h"

#include <QString>
#include <vector>

// «Сводка», the workbook's first sheet: one row per shown group with its N, scores, dominant
// types and change agenda, then the groups held back and why.
namespace documents {

extern const QString kOverviewSheet;

void writeOverviewSheet(lxw_workbook *workbook, const Formats &formats, const SheetHead &head,
                        const std::vector<ExportGroup> &groups, const Disclosure &disclosure,
                        SheetStatus &status);

} // namespace documents
