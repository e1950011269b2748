#pragma once

#include "documents/export_data.h"
#include "documents/xlsx_sheet.h"

// A group's profile sheet under the workbook's head: scores per type and state, preferred -
// current, N and the figures of `stats`, with a column chart of current against preferred per
// type; each block with a line saying what it means.
namespace documents {

void writeProfileSheet(lxw_workbook *workbook, const Formats &formats, const SheetHead &head,
                       const ExportGroup &group, const QString &sheetName, SheetStatus &status);

} // namespace documents
