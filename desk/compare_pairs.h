#pragma once

#include "desk/survey_folder.h"

#include <QList>
#include <QString>
#include <vector>

// The comparisons the desk offers: two groups that share no respondent, since a test of a
// group against a sample that holds it measures nothing.
namespace desk {

struct CompareChoice {
    QString label; // as "Сравнить с:" lists it
    int a = -1;    // group A, an index into the survey's groups
    int b = -1;    // group B, or kRest: every group but A together
};

constexpr int kRest = -1;

// The choices beside the selected group `current`, or beside "Все вместе" when it is -1: then
// each group against the others together.
QList<CompareChoice> compareChoices(const std::vector<Group> &groups, int current);

// The two groups of `choice`.
std::pair<Group, Group> comparedGroups(const std::vector<Group> &groups,
                                       const CompareChoice &choice);

} // namespace desk
