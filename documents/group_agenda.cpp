#include "documents/group_agenda.h"

#include "documents/report_claims.h"
#include "documents/report_texts.h"

namespace report {

Table agendaTable(const survey::GroupResult &group, const survey::GroupStatistics &statistics)
{
    Table table{{QStringLiteral("Тип культуры"), QStringLiteral("Сейчас"),
                 QStringLiteral("Желательно"), QStringLiteral("Изменение"),
                 QStringLiteral("Что делать"), QStringLiteral("Хотят больше"),
                 QStringLiteral("Хотят меньше")},
                {},
                {3.6, 1.4, 1.9, 1.7, 1.7, 1.5, 1.5},
                1};
    for (const documents::TypeAgenda &agenda :
         documents::changeAgenda(statistics, group.respondents)) {
        const survey::TypeStatistics &t = statistics.types[std::size_t(agenda.type)];
        table.rows << QStringList{typeRowHeading(agenda.type),
                                  number(t.current.mean),
                                  number(t.preferred.mean),
                                  signedNumber(t.discrepancy),
                                  documents::directionLabel(agenda.direction),
                                  QStringLiteral("%1 из %2").arg(agenda.wantMore).arg(group.n),
                                  QStringLiteral("%1 из %2").arg(agenda.wantLess).arg(group.n)};
    }
    return table;
}

QString agendaCell(const documents::TypeAgenda &agenda)
{
    if (agenda.direction == documents::Direction::Keep)
        return documents::directionLabel(agenda.direction);
    return documents::directionLabel(agenda.direction) + QChar(0x00A0) +
           wholePoints(survey::Mean(agenda.change), true);
}

} // namespace report
