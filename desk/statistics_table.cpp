#include "desk/statistics_table.h"

#include <QHeaderView>
#include <QTableWidget>

namespace desk {

void fillTable(QTableWidget &table, const report::Table &content)
{
    table.clear();
    table.setColumnCount(int(content.head.size()));
    table.setHorizontalHeaderLabels(content.head);
    table.setRowCount(int(content.rows.size()));
    for (int row = 0; row < content.rows.size(); ++row)
        for (int column = 0; column < content.head.size(); ++column) {
            auto *item = new QTableWidgetItem(content.rows[row].value(column));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment((column < content.textColumns ? Qt::AlignLeft : Qt::AlignRight) |
                                   Qt::AlignVCenter);
            table.setItem(row, column, item);
        }
    table.verticalHeader()->hide();
    table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 6);
    table.resizeColumnsToContents();
    // Numbers stay beside their captions: a stretched last column would push its cells away.
    table.horizontalHeader()->setStretchLastSection(false);
}

} // namespace desk
