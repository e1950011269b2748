#pragma once

#include "documents/export_data.h"

#include <QByteArray>
#include <QString>
#include <variant>
#include <vector>

// The spreadsheet of one or more groups: the sheet "Респонденты" with one row per respondent,
// "Ответы" with each of their answers, then a sheet per group with every figure of `stats`,
// its mean table and a chart the user can restyle.
namespace documents {

// The workbook's bytes (an .xlsx file), built in a temporary folder; the message on failure.
std::variant<QByteArray, QString> workbookBytes(const std::vector<ExportGroup> &groups);

} // namespace documents
