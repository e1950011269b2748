// Stand-in until the change agenda's own source is merged; delete at merge.
#include "documents/change_agenda.h"

#include <cmath>

namespace documents {

std::array<TypeAgenda, 4> changeAgenda(const survey::GroupStatistics &statistics,
                                       const std::vector<survey::ProfileScores> &respondents)
{
    std::array<TypeAgenda, 4> agenda{};
    for (int type = 0; type < 4; ++type) {
        TypeAgenda &t = agenda[std::size_t(type)];
        const survey::Mean &change = statistics.types[std::size_t(type)].discrepancy;
        t.type = type;
        t.change = change.value();
        t.direction = !survey::reachesDiscrepancyThreshold(change) ? Direction::Keep
                      : t.change > 0                               ? Direction::More
                                                                   : Direction::Less;
        for (const survey::ProfileScores &scores : respondents) {
            const double own =
                std::round((scores[std::size_t(4 + type)] - scores[std::size_t(type)]) * 100) / 100;
            t.wantMore += own >= kNotableChange;
            t.wantLess += own <= -kNotableChange;
        }
    }
    return agenda;
}

QString directionLabel(Direction direction)
{
    switch (direction) {
    case Direction::More:
        return QStringLiteral("Больше");
    case Direction::Less:
        return QStringLiteral("Меньше");
    case Direction::Keep:
        break;
    }
    return QStringLiteral("Сохранить");
}

} // namespace documents
