#include "documents/xlsx_overview.h"

#include "documents/change_agenda.h"
#include "documents/statistics_report.h"
#include "documents/typography.h"
#include "documents/xlsx_text.h"

namespace documents {

const QString kOverviewSheet = QStringLiteral("Сводка");

namespace {

constexpr double kNameWidth = 30, kScoreWidth = 11, kTypesWidth = 22, kAgendaWidth = 26;

// «Больше: 19 из 25 хотят больше, 2 — меньше».
QString agendaText(const TypeAgenda &agenda, int n)
{
    return QStringLiteral("%1: %2 из %3 хотят больше, %4 — меньше")
        .arg(directionLabel(agenda.direction))
        .arg(agenda.wantMore)
        .arg(n)
        .arg(agenda.wantLess);
}

} // namespace

void writeOverviewSheet(lxw_workbook *workbook, const Formats &formats, const SheetHead &head,
                        const std::vector<ExportGroup> &groups, const Disclosure &disclosure,
                        SheetStatus &status)
{
    SheetWriter sheet(workbook, kOverviewSheet, status);
    QStringList header{QStringLiteral("Группа"), QStringLiteral("Респондентов (N)")};
    std::vector<double> widths{kNameWidth, kScoreWidth};
    for (int state = 0; state < 2; ++state)
        for (int type = 0; type < survey::kTypeCount; ++type) {
            header << stateCaption(state) + QStringLiteral(": ") + typeLabel(type);
            widths.push_back(kScoreWidth);
        }
    for (const QString &state : {QStringLiteral("сейчас"), QStringLiteral("в желаемом")}) {
        header << QStringLiteral("Доминирующий тип ") + state;
        widths.push_back(kTypesWidth);
    }
    for (int type = 0; type < survey::kTypeCount; ++type) {
        header << QStringLiteral("Что менять: ") + typeLabel(type);
        widths.push_back(kAgendaWidth);
    }
    for (int column = 0; column < int(widths.size()); ++column)
        sheet.setWidth(column, column, widths[std::size_t(column)]);
    sheet.printOneWide(true);
    int row = sheet.head(head, formats) + 1;
    sheet.text(row++, 0, QStringLiteral("Сводка по группам"), formats.title);
    sheet.text(row++, 0,
               QStringLiteral("Строка — группа: сколько человек ответило, баллы четырёх типов "
                              "культуры сейчас и желаемые, ведущий тип и что менять: «Больше» "
                              "или «Меньше» при разнице от %1 баллов, иначе «Сохранить», и "
                              "сколько респондентов сами хотят больше или меньше этого типа.")
                   .arg(kNotableChange));
    sheet.header(row, header, formats.header);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (!disclosure.shown[i])
            continue;
        const ExportGroup &group = groups[i];
        const survey::GroupStatistics &s = group.statistics;
        // The texts wrap within their columns rather than being cut by the next cell.
        QStringList texts{group.name};
        for (int column = 1; column < 2 + 2 * survey::kTypeCount; ++column)
            texts << QString();
        texts << dominantTypesText(s.currentDominance.types)
              << dominantTypesText(s.preferredDominance.types);
        for (const TypeAgenda &agenda : changeAgenda(s, group.result.respondents))
            texts << agendaText(agenda, s.n);
        sheet.fitRow(++row, texts);
        for (int column = 0; column < texts.size(); ++column)
            if (!texts[column].isEmpty())
                sheet.text(row, column, texts[column], formats.wrapped);
        int column = 1;
        sheet.number(row, column++, double(s.n));
        for (int state = 0; state < 2; ++state)
            for (const survey::TypeStatistics &t : s.types)
                sheet.number(row, column++, (state == 0 ? t.current : t.preferred).mean.value(),
                             formats.score);
    }
    const QStringList heldBack = heldBackSentences(disclosure);
    if (heldBack.isEmpty())
        return;
    row += 2;
    sheet.text(row++, 0, QStringLiteral("Не показаны"), formats.title);
    for (const QString &sentence : heldBack)
        sheet.text(row++, 0, sentence);
}

} // namespace documents
