#pragma once

#include "survey/group_result.h"
#include "survey/group_statistics.h"

#include <QString>
#include <array>

// The method's next step after the profile: for each culture type, whether the group wants
// more of it, less of it or to keep it, and how many respondents want each way.
namespace documents {

enum class Direction { More, Less, Keep };

// A change of at least this many points, on the figure as the reports print it (two
// decimals), is worth acting on; a smaller one is kept.
constexpr double kNotableChange = 10.0;

struct TypeAgenda {
    int type = 0; // 0 = A .. 3 = D
    Direction direction = Direction::Keep;
    double change = 0; // preferred - current of the group's arithmetic scores
    // Respondents whose own preferred - current, rounded to two decimals, is at least
    // +kNotableChange (wantMore) or at most -kNotableChange (wantLess); the rest keep it.
    int wantMore = 0;
    int wantLess = 0;
};

// The agenda of `group` (n >= 1), A-D. The direction follows the group's arithmetic scores,
// the figures `stats` prints for the arithmetic mean.
std::array<TypeAgenda, 4> changeAgenda(const survey::GroupResult &group);

// The agenda of a group from its statistics (the direction follows the same flags and figures
// the tables print, whatever the mean) and its respondents' own profiles.
std::array<TypeAgenda, 4> changeAgenda(const survey::GroupStatistics &statistics,
                                       const std::vector<survey::ProfileScores> &respondents);

// «Больше», «Меньше», «Сохранить».
QString directionLabel(Direction direction);

} // namespace documents
