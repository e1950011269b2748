#pragma once

#include "survey/profile_model.h"

#include <QString>
#include <array>

// Constant texts shown beside the profile numbers: bar letters, question titles, the
// questionnaire's alternatives and the descriptions of the four culture types. Read by entry
// number only; every text fits Windows-1251.
namespace survey {

constexpr int kAlternativeCount = kQuestionCount * kTypeCount;
constexpr int kDescriptionFragments = 3;
constexpr int kDescriptionEntries = kTypeCount * kDescriptionFragments;

// Entry e: "[A]" .. "[D]", the label of bar e + 1 of a question chart.
extern const std::array<QString, kTypeCount> TypeLetters;

// Entry e: "A" .. "D", the label of bar e + 1 of the difference chart.
extern const std::array<QString, kTypeCount> DifferenceBarLetters;

// Entry e: the title of question e + 1, "1. ..." .. "6. ...".
extern const std::array<QString, kQuestionCount> QuestionTitles;

// Entry 4 * (q - 1) + k: alternative k (0 = A .. 3 = D) of question q, one line, "A. " .. "D. ".
extern const std::array<QString, kAlternativeCount> AlternativeTexts;

// Entry e: the name of culture type e (A clan, B adhocracy, C market, D hierarchy).
extern const std::array<QString, kTypeCount> TypeNames;

// Entry e: the short name of culture type e, "Клан" .. "Иерархия".
extern const std::array<QString, kTypeCount> TypeShortNames;

// The drawings' label of type e (0 = A .. 3 = D): the short name, a blank and the bracketed
// letter, "Клан [A]"; empty for any other number.
QString typeLabel(int type);

// Entry 3 * (t - 1) + i: fragment i of the description of type t (1 = A .. 4 = D). Fragment 0
// starts with the type name and CR LF; the three join without separators.
extern const std::array<QString, kDescriptionEntries> TypeDescriptions;

// The whole description of type t (1 to 4); empty for any other number.
QString typeDescription(int typeNumber);

} // namespace survey
