#pragma once

#include "survey/group_statistics.h"

class QTableWidget;

namespace desk {

// The statistics of a group, one row per type and state, in the words and numbers of the
// printed report.
void fillStatisticsTable(QTableWidget &table, const survey::GroupStatistics &statistics);

} // namespace desk
