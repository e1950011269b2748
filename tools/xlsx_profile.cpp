#include "xlsx_profile.h"

#include "cli_args.h"
#include "colour_for_index.h"
#include "statistics_report.h"

#include <iterator>

namespace cli {
namespace {

// Rows of the sheet, counted from 0.
constexpr int kScoreHeaderRow = 6;
constexpr int kFirstScoreRow = kScoreHeaderRow + 1;
constexpr int kStatisticsHeaderRow = kFirstScoreRow + survey::kTypeCount + 1;
// The chart stands below the tables, so that the sheet prints on one page.
constexpr int kChartRow = kStatisticsHeaderRow + 2 * survey::kTypeCount + 2;
// Each column as wide as its header and values need.
constexpr double kColumnWidths[] = {20, 14, 14, 20, 10, 10, 18, 18};

QString typeLabel(int type)
{
    return survey::typeLetter(type) + QLatin1Char(' ') + survey::typeShortName(type);
}

void writeHeader(SheetWriter &sheet, int row, const QStringList &names, lxw_format *format)
{
    for (int column = 0; column < names.size(); ++column)
        sheet.text(row, column, names[column], format);
}

void writeSummary(SheetWriter &sheet, const Formats &formats, const ExportGroup &group)
{
    const survey::GroupStatistics &s = group.statistics;
    sheet.text(0, 0, QStringLiteral("Профиль OCAI"), formats.title);
    sheet.text(1, 0, QStringLiteral("Источник"));
    sheet.text(1, 1, group.path);
    sheet.text(2, 0, QStringLiteral("Респондентов (N)"));
    sheet.number(2, 1, double(s.n));
    sheet.text(3, 0, QStringLiteral("Среднее"));
    sheet.text(3, 1, survey::meanKindCaption(s.kind));
    sheet.text(4, 0, QStringLiteral("Бутстреп"));
    sheet.text(4, 1, QStringLiteral("%1 выборок, зерно %2").arg(s.resamples).arg(s.seed));
}

void writeScores(SheetWriter &sheet, const Formats &formats, const survey::GroupStatistics &s)
{
    writeHeader(sheet, kScoreHeaderRow,
                {QStringLiteral("Тип"), survey::stateCaption(0), survey::stateCaption(1),
                 QStringLiteral("Желаемое − текущее")},
                formats.header);
    for (int type = 0; type < survey::kTypeCount; ++type) {
        const survey::TypeStatistics &t = s.types[std::size_t(type)];
        const int row = kFirstScoreRow + type;
        sheet.text(row, 0, typeLabel(type));
        sheet.number(row, 1, t.current.mean.value(), formats.score);
        sheet.number(row, 2, t.preferred.mean.value(), formats.score);
        sheet.number(row, 3, t.discrepancy.value(), formats.score);
    }
}

void writeStatistics(SheetWriter &sheet, const Formats &formats, const survey::GroupStatistics &s)
{
    writeHeader(sheet, kStatisticsHeaderRow,
                {QStringLiteral("Тип"), QStringLiteral("Состояние"), QStringLiteral("Среднее"),
                 QStringLiteral("Ст. откл."), QStringLiteral("Мин."), QStringLiteral("Макс."),
                 QStringLiteral("95% интервал: от"), QStringLiteral("95% интервал: до")},
                formats.header);
    int row = kStatisticsHeaderRow;
    for (int type = 0; type < survey::kTypeCount; ++type) {
        for (int state = 0; state < 2; ++state) {
            const survey::TypeStatistics &t = s.types[std::size_t(type)];
            const survey::ScoreStatistics &score = state == 0 ? t.current : t.preferred;
            ++row;
            sheet.text(row, 0, typeLabel(type));
            sheet.text(row, 1, survey::stateCaption(state));
            sheet.number(row, 2, score.mean.value(), formats.score);
            sheet.number(row, 3, score.sd, formats.score);
            sheet.number(row, 4, score.min, formats.score);
            sheet.number(row, 5, score.max, formats.score);
            // No interval for a group of one: its cells stay empty.
            using Bound = std::optional<double>;
            sheet.number(row, 6, score.ci95 ? Bound(score.ci95->low) : Bound(), formats.score);
            sheet.number(row, 7, score.ci95 ? Bound(score.ci95->high) : Bound(), formats.score);
        }
    }
}

// Current against preferred per type, in the colours the window starts with, drawn from the
// score table so that the user can restyle or extend it.
void insertChart(lxw_workbook *workbook, SheetWriter &sheet)
{
    lxw_chart *chart = workbook_add_chart(workbook, LXW_CHART_COLUMN);
    if (!chart) {
        sheet.insertChart(kChartRow, 0, nullptr, nullptr); // noted as a failure
        return;
    }
    const PictureOptions startUp;
    const int colours[2] = {startUp.currentColour, startUp.preferredColour};
    const lxw_row_t first = kFirstScoreRow, last = kFirstScoreRow + survey::kTypeCount - 1;
    for (int state = 0; state < 2; ++state) {
        lxw_chart_series *series = chart_add_series(chart, nullptr, nullptr);
        const lxw_col_t column = lxw_col_t(1 + state);
        chart_series_set_categories(series, sheet.name(), first, 0, last, 0);
        chart_series_set_values(series, sheet.name(), first, column, last, column);
        chart_series_set_name_range(series, sheet.name(), kScoreHeaderRow, column);
        lxw_chart_fill fill{};
        fill.color = plots::ColorForIndex(colours[state]).rgb() & 0xFFFFFF;
        chart_series_set_fill(series, &fill);
    }
    chart_title_set_name(chart, "Профиль OCAI: текущее и желаемое");
    chart_axis_set_name(chart->y_axis, "Баллы");
    chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
    lxw_chart_options placement{};
    placement.x_scale = 1.3;
    placement.y_scale = 1.3;
    sheet.insertChart(kChartRow, 0, chart, &placement);
}

} // namespace

void writeProfileSheet(lxw_workbook *workbook, const Formats &formats, const ExportGroup &group,
                       const QString &sheetName, SheetStatus &status)
{
    SheetWriter sheet(workbook, sheetName, status);
    for (int column = 0; column < int(std::size(kColumnWidths)); ++column)
        sheet.setWidth(column, column, kColumnWidths[column]);
    sheet.landscape(true);
    writeSummary(sheet, formats, group);
    writeScores(sheet, formats, group.statistics);
    writeStatistics(sheet, formats, group.statistics);
    insertChart(workbook, sheet);
}

} // namespace cli
