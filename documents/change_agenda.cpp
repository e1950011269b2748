#include "documents/change_agenda.h"

#include "survey/group_mean.h"

#include <cmath>

namespace documents {

namespace {

// The figure as the tables print it, so that a respondent at 9,996 is not counted at 10.
double printed(double value)
{
    return std::round(value * 100) / 100;
}

Direction directionOf(const survey::Mean &change)
{
    if (!survey::reachesDiscrepancyThreshold(change))
        return Direction::Keep;
    return change.value() > 0 ? Direction::More : Direction::Less;
}

void countRespondents(std::array<TypeAgenda, 4> &agenda,
                      const std::vector<survey::ProfileScores> &respondents)
{
    for (const survey::ProfileScores &scores : respondents)
        for (TypeAgenda &type : agenda) {
            const double own = printed(scores[survey::scoreIndex(1, type.type)] -
                                       scores[survey::scoreIndex(0, type.type)]);
            type.wantMore += own >= kNotableChange;
            type.wantLess += own <= -kNotableChange;
        }
}

} // namespace

std::array<TypeAgenda, 4> changeAgenda(const survey::GroupResult &group)
{
    const survey::ProfileMeans means = survey::groupMeans(group, survey::MeanKind::Arithmetic);
    std::array<TypeAgenda, 4> agenda;
    for (int type = 0; type < survey::kTypeCount; ++type) {
        const survey::Mean change =
            means[survey::scoreIndex(1, type)] - means[survey::scoreIndex(0, type)];
        agenda[std::size_t(type)] = {type, directionOf(change), change.value(), 0, 0};
    }
    countRespondents(agenda, group.respondents);
    return agenda;
}

std::array<TypeAgenda, 4> changeAgenda(const survey::GroupStatistics &statistics,
                                       const std::vector<survey::ProfileScores> &respondents)
{
    std::array<TypeAgenda, 4> agenda;
    for (int type = 0; type < survey::kTypeCount; ++type) {
        const survey::Mean &change = statistics.types[std::size_t(type)].discrepancy;
        agenda[std::size_t(type)] = {type, directionOf(change), change.value(), 0, 0};
    }
    countRespondents(agenda, respondents);
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
