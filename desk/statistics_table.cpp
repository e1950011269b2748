#include "statistics_table.h"

#include "documents/report_texts.h"
#include "documents/statistics_report.h"

#include <QHeaderView>
#include <QTableWidget>

namespace desk {
namespace {

QString optional(const std::optional<double> &value)
{
    return value ? report::number(*value) : QStringLiteral("—");
}

QString interval(const std::optional<survey::Interval> &value)
{
    return value ? QStringLiteral("%1 – %2").arg(report::number(value->low),
                                                 report::number(value->high))
                 : QStringLiteral("—");
}

} // namespace

void fillStatisticsTable(QTableWidget &table, const survey::GroupStatistics &statistics)
{
    const QStringList head{QStringLiteral("Тип"),           QStringLiteral("Состояние"),
                           QStringLiteral("Среднее"),       QStringLiteral("Ст. откл."),
                           QStringLiteral("Мин."),          QStringLiteral("Макс."),
                           QStringLiteral("95 % интервал"), QStringLiteral("Разница")};
    table.clear();
    table.setColumnCount(int(head.size()));
    table.setHorizontalHeaderLabels(head);
    table.setRowCount(2 * survey::kTypeCount);
    for (int type = 0; type < survey::kTypeCount; ++type) {
        const survey::TypeStatistics &t = statistics.types[std::size_t(type)];
        for (int state = 0; state < 2; ++state) {
            const survey::ScoreStatistics &s = state == 0 ? t.current : t.preferred;
            const QString difference = state == 1
                                           ? report::signedNumber(t.discrepancy) +
                                                 (t.flagged ? QStringLiteral(" *") : QString())
                                           : QString();
            const QStringList cells{state == 0 ? report::typeRowHeading(type) : QString(),
                                    documents::stateCaption(state),
                                    report::number(s.mean),
                                    optional(s.sd),
                                    report::number(s.min),
                                    report::number(s.max),
                                    interval(s.ci95),
                                    difference};
            for (int column = 0; column < cells.size(); ++column) {
                auto *item = new QTableWidgetItem(cells[column]);
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                if (column >= 2)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                table.setItem(2 * type + state, column, item);
            }
        }
    }
    table.verticalHeader()->hide();
    table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 6);
    table.resizeColumnsToContents();
    table.horizontalHeader()->setStretchLastSection(true);
}

} // namespace desk
