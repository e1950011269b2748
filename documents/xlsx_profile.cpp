#include "documents/xlsx_profile.h"

#include "documents/statistics_report.h"
#include "documents/typography.h"
#include "documents/xlsx_text.h"
#include "plots/colour_for_index.h"
#include "plots/start_colours.h"
#include "survey/resource.h"

namespace documents {
namespace {

// Column A holds the questions' titles; the others as wide as their wrapped headers need.
constexpr double kFirstColumnWidth = 40;
constexpr double kColumnWidth = 15;
constexpr int kColumns = 1 + 2 * survey::kTypeCount;
// The chart below the score table, as wide as the tables, on rows kept free for it.
constexpr double kChartWidthScale = 1.6, kChartHeightScale = 1.25;
constexpr int kChartRows = 19;

// Writes the rows of a profile sheet one after another, as the workbook streams them.
class ProfileRows {
public:
    ProfileRows(SheetWriter &sheet, const Formats &formats, int row)
        : m_sheet(sheet), m_formats(formats), m_row(row)
    {
    }

    int row() const { return m_row; }
    const Formats &formats() const { return m_formats; }
    void skip(int rows = 1) { m_row += rows; }
    // A heading over a table, the line saying what it means, then the table's header row.
    void table(const QString &heading, const QStringList &header, const QString &meaning = {})
    {
        if (!heading.isEmpty())
            m_sheet.text(m_row++, 0, heading, m_formats.title);
        if (!meaning.isEmpty())
            m_sheet.text(m_row++, 0, meaning);
        if (!header.isEmpty())
            m_sheet.header(m_row++, header, m_formats.header);
    }
    // A text, then numbers and texts in the following columns.
    ProfileRows &line(const QString &first)
    {
        m_column = 0;
        m_sheet.text(m_row++, m_column++, first);
        return *this;
    }
    ProfileRows &text(const QString &text, lxw_format *format = nullptr)
    {
        m_sheet.text(m_row - 1, m_column++, text, format);
        return *this;
    }
    ProfileRows &number(const std::optional<double> &value, bool score = true)
    {
        m_sheet.number(m_row - 1, m_column++, value, score ? m_formats.score : nullptr);
        return *this;
    }

private:
    SheetWriter &m_sheet;
    const Formats &m_formats;
    int m_row = 0;
    int m_column = 0;
};

void writeSummary(ProfileRows &rows, const ExportGroup &group, const QString &name)
{
    const survey::GroupStatistics &s = group.statistics;
    // The name heads the printed page, which shows no sheet tab.
    rows.table(QStringLiteral("Профиль OCAI: ") + name, {},
               QStringLiteral("Кто ответил и как посчитан профиль группы."));
    rows.line(QStringLiteral("Респондентов (N)")).number(double(s.n), false);
    if (!group.leftOut.empty())
        rows.line(QStringLiteral("Не вошли в расчёт (файлы не читаются)"))
            .number(double(group.leftOut.size()), false)
            .text(QStringLiteral("список в конце листа"), rows.formats().indented);
    if (!group.warned.empty())
        rows.line(QStringLiteral("Учтены с предупреждениями"))
            .number(double(group.warned.size()), false)
            .text(QStringLiteral("список в конце листа"), rows.formats().indented);
    rows.line(QStringLiteral("Среднее")).text(survey::meanKindCaption(s.kind));
    rows.line(QStringLiteral("Бутстреп: выборок")).number(double(s.resamples), false);
    // A seed beyond 2^53 has no exact double: it stays a text, as `stats` prints it.
    if (s.seed <= (std::uint64_t(1) << 53))
        rows.line(QStringLiteral("Бутстреп: зерно")).number(double(s.seed), false);
    else
        rows.line(QStringLiteral("Бутстреп: зерно")).text(QString::number(s.seed));
    rows.skip();
}

// Returns the row of the table's header, which the chart names its series by.
int writeScores(ProfileRows &rows, const survey::GroupStatistics &s)
{
    rows.table(QStringLiteral("Профиль и желаемые изменения"),
               {QStringLiteral("Тип"), documents::stateCaption(0), documents::stateCaption(1),
                QStringLiteral("Желаемое − текущее"),
                QStringLiteral("* — не меньше %1 по модулю").arg(survey::kDiscrepancyThreshold)},
               QStringLiteral("Баллы каждого типа культуры сейчас и желаемые (сумма по типам — "
                              "100); изменение от %1 баллов (*) стоит обсуждать.")
                   .arg(survey::kDiscrepancyThreshold));
    const int header = rows.row() - 1;
    for (int type = 0; type < survey::kTypeCount; ++type) {
        const survey::TypeStatistics &t = s.types[std::size_t(type)];
        rows.line(documents::typeLabel(type))
            .number(t.current.mean.value())
            .number(t.preferred.mean.value())
            .number(t.discrepancy.value())
            .text(t.flagged ? QStringLiteral("*") : QString(), rows.formats().indented);
    }
    rows.skip();
    return header;
}

void writeSpread(ProfileRows &rows, const survey::GroupStatistics &s)
{
    rows.table(QStringLiteral("Разброс оценок"),
               {QStringLiteral("Тип"), QStringLiteral("Состояние"), QStringLiteral("Среднее"),
                QStringLiteral("Ст. откл."), QStringLiteral("Мин."), QStringLiteral("Макс."),
                QStringLiteral("95\u00A0% интервал: от"), QStringLiteral("95\u00A0% интервал: до")},
               QStringLiteral("Насколько расходятся оценки респондентов; истинное среднее группы "
                              "с вероятностью 95\u00A0% лежит внутри интервала."));
    for (int type = 0; type < survey::kTypeCount; ++type) {
        for (int state = 0; state < 2; ++state) {
            const survey::TypeStatistics &t = s.types[std::size_t(type)];
            const survey::ScoreStatistics &score = state == 0 ? t.current : t.preferred;
            // No deviation or interval for a group of one: those cells stay empty.
            using Bound = std::optional<double>;
            rows.line(documents::typeLabel(type))
                .text(documents::stateCaption(state))
                .number(score.mean.value())
                .number(score.sd)
                .number(score.min)
                .number(score.max)
                .number(score.ci95 ? Bound(score.ci95->low) : Bound())
                .number(score.ci95 ? Bound(score.ci95->high) : Bound());
        }
    }
    if (s.kind == survey::MeanKind::Geometric)
        rows.line(QStringLiteral("Среднее и интервал — композиционные; ст. откл., мин. и макс. — "
                                 "по баллам респондентов."));
    rows.skip();
}

void writeDominance(ProfileRows &rows, const survey::GroupStatistics &s)
{
    // The type's name last, where a tie's longer text has room.
    rows.table(QStringLiteral("Доминирующий тип"),
               {QStringLiteral("Состояние"), QStringLiteral("Отрыв от следующего"),
                QStringLiteral("Доминирующий тип")},
               QStringLiteral("Тип культуры с наибольшим баллом и на сколько баллов он опережает "
                              "следующий."));
    for (int state = 0; state < 2; ++state) {
        const survey::Dominance &d = state == 0 ? s.currentDominance : s.preferredDominance;
        rows.line(documents::stateCaption(state))
            .number(d.lead ? std::optional<double>(d.lead->value()) : std::nullopt)
            .text(dominantTypesText(d.types), rows.formats().indented);
    }
    rows.skip();
}

void writeCongruence(ProfileRows &rows, const survey::GroupStatistics &s)
{
    rows.table(QStringLiteral("Согласованность вопросов: текущее состояние по таблице средних"),
               {QStringLiteral("Вопрос"), QStringLiteral("Ср. абс. отклонение от профиля"),
                QStringLiteral("Доминирующий тип")},
               QStringLiteral("Совпадает ли картина по каждому из шести вопросов с общим "
                              "профилем: чем меньше отклонение, тем согласованнее."));
    for (int q = 0; q < survey::kQuestionCount; ++q) {
        const survey::QuestionCongruence &c = s.questions[std::size_t(q)];
        rows.line(survey::QuestionTitles[std::size_t(q)])
            .number(c.deviation)
            .text(dominantTypesText(c.dominant), rows.formats().indented);
    }
    rows.line(QStringLiteral("Один доминирующий тип у всех вопросов"))
        .text(s.questionsAgree ? QStringLiteral("да") : QStringLiteral("нет"));
    rows.skip();
}

void writeMeanTable(ProfileRows &rows, const survey::AnswerTable &means)
{
    QStringList header{QStringLiteral("Вопрос")};
    for (int state = 0; state < 2; ++state)
        for (int type = 0; type < survey::kTypeCount; ++type)
            header << documents::stateCaption(state) + QStringLiteral(": ") +
                          documents::typeLabel(type);
    rows.table(QStringLiteral("Таблица средних: баллы по вопросам"), header,
               QStringLiteral("Средние баллы группы по каждому вопросу анкеты, сейчас и "
                              "желаемые."));
    for (int q = 0; q < survey::kQuestionCount; ++q) {
        rows.line(survey::QuestionTitles[std::size_t(q)]);
        for (int state = 0; state < 2; ++state)
            for (int type = 0; type < survey::kTypeCount; ++type)
                rows.number(
                    means[std::size_t(q + state * survey::kQuestionCount)][std::size_t(type)]);
    }
    rows.skip();
}

// The files the figures leave out and those they count despite a warning, each with why.
void writeFileNotes(ProfileRows &rows, const ExportGroup &group)
{
    const std::pair<QString, const std::vector<FileNote> *> lists[] = {
        {QStringLiteral("Не вошли в расчёт: файлы, которые не читаются"), &group.leftOut},
        {QStringLiteral("Учтены с предупреждениями"), &group.warned}};
    for (const auto &[heading, notes] : lists) {
        if (notes->empty())
            continue;
        rows.table(heading, {QStringLiteral("Файл"), QStringLiteral("Причина")},
                   QStringLiteral("Файлы группы, которые требуют внимания, и почему."));
        for (const FileNote &note : *notes)
            rows.line(note.file).text(note.reason);
        rows.skip();
    }
}

// Current against preferred per type, in the colours the window starts with, drawn from the
// score table so that the user can restyle or extend it.
void insertChart(lxw_workbook *workbook, SheetWriter &sheet, int header, int row)
{
    lxw_chart *chart = workbook_add_chart(workbook, LXW_CHART_COLUMN);
    if (!chart) {
        sheet.insertChart(row, 0, nullptr, nullptr); // noted as a failure
        return;
    }
    const int colours[2] = {plots::kStartCurrentColour, plots::kStartPreferredColour};
    const int first = header + 1, last = header + survey::kTypeCount;
    for (int state = 0; state < 2; ++state) {
        lxw_chart_series *series = chart_add_series(chart, nullptr, nullptr);
        sheet.setCategories(series, first, last, 0);
        sheet.setValues(series, first, last, 1 + state);
        sheet.setSeriesName(series, header, 1 + state);
        if (!series)
            continue;
        // As the printed report draws them: current solid, preferred hatched with a dashed
        // border, so that a greyscale print keeps them apart.
        const lxw_color_t colour = plots::ColorForIndex(colours[state]).rgb() & 0xFFFFFF;
        lxw_chart_line border{};
        border.color = state == 0 ? lxw_color_t(LXW_COLOR_BLACK) : colour;
        border.width = 1.25;
        border.dash_type = state == 0 ? LXW_CHART_LINE_DASH_SOLID : LXW_CHART_LINE_DASH_DASH;
        chart_series_set_line(series, &border);
        if (state == 0) {
            lxw_chart_fill fill{};
            fill.color = colour;
            chart_series_set_fill(series, &fill);
        } else {
            lxw_chart_pattern hatching{};
            hatching.fg_color = colour;
            hatching.bg_color = 0xFFFFFF;
            hatching.type = LXW_CHART_PATTERN_WIDE_UPWARD_DIAGONAL;
            chart_series_set_pattern(series, &hatching);
        }
    }
    chart_title_set_name(chart, "Профиль OCAI: текущее — сплошная заливка, желаемое — "
                                "штриховка с пунктиром");
    chart_axis_set_name(chart->y_axis, "Баллы");
    chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
    lxw_chart_options placement{};
    placement.x_scale = kChartWidthScale;
    placement.y_scale = kChartHeightScale;
    sheet.insertChart(row, 0, chart, &placement);
}

} // namespace

void writeProfileSheet(lxw_workbook *workbook, const Formats &formats, const SheetHead &head,
                       const ExportGroup &group, const QString &sheetName, SheetStatus &status)
{
    SheetWriter sheet(workbook, sheetName, status);
    sheet.setWidth(0, 0, kFirstColumnWidth);
    sheet.setWidth(1, kColumns - 1, kColumnWidth);
    sheet.printOneWide(false);
    ProfileRows rows(sheet, formats, sheet.head(head, formats) + 1);
    writeSummary(rows, group, group.name);
    const int scoreHeader = writeScores(rows, group.statistics);
    insertChart(workbook, sheet, scoreHeader, rows.row());
    rows.skip(kChartRows);
    writeSpread(rows, group.statistics);
    writeDominance(rows, group.statistics);
    writeCongruence(rows, group.statistics);
    writeMeanTable(rows, group.result.means);
    writeFileNotes(rows, group);
}

} // namespace documents
