#pragma once

#include "documents/report_document.h"

class QTableWidget;

namespace desk {

// Shows a table of the printed reports (documents/report_tables.h) as it is printed: the same
// columns, captions and cells, the words left and the numbers right.
void fillTable(QTableWidget &table, const report::Table &content);

} // namespace desk
