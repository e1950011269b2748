#pragma once

#include "documents/change_agenda.h"
#include "documents/report_document.h"
#include "survey/group_result.h"
#include "survey/group_statistics.h"

#include <QString>

// A group's change agenda as the comparison and the organisation report print it.
namespace report {

// A row per type: now, preferred, the change, «Больше», «Меньше» or «Сохранить», and how many
// respondents want more and how many less.
Table agendaTable(const survey::GroupResult &group, const survey::GroupStatistics &statistics);

// «Больше +12», «Сохранить» — one type's agenda in a summary cell.
QString agendaCell(const documents::TypeAgenda &agenda);

} // namespace report
