#include "desk/compare_pairs.h"

namespace desk {
namespace {

const QString kRestName = QStringLiteral("Остальные");

} // namespace

QList<CompareChoice> compareChoices(const std::vector<Group> &groups, int current)
{
    QList<CompareChoice> choices;
    const int count = int(groups.size());
    if (current < 0) {
        if (count >= 2)
            for (int a = 0; a < count; ++a)
                choices.push_back(
                    {QStringLiteral("«%1» и остальные").arg(groups[std::size_t(a)].name), a,
                     kRest});
        return choices;
    }
    if (current >= count)
        return choices;
    for (int b = 0; b < count; ++b)
        if (b != current)
            choices.push_back({groups[std::size_t(b)].name, current, b});
    // With one other group, "the others" are that group: listed once.
    if (count > 2)
        choices.push_back({kRestName, current, kRest});
    return choices;
}

std::pair<Group, Group> comparedGroups(const std::vector<Group> &groups,
                                       const CompareChoice &choice)
{
    const Group &a = groups.at(std::size_t(choice.a));
    if (choice.b != kRest)
        return {a, groups.at(std::size_t(choice.b))};
    std::vector<Group> others;
    for (std::size_t g = 0; g < groups.size(); ++g)
        if (int(g) != choice.a)
            others.push_back(groups[g]);
    return {a, combinedGroup(others, kRestName)};
}

} // namespace desk
