#pragma once

#include <array>
#include <cstddef>

// The numbers one loaded questionnaire, or the mean of a group of them, becomes.
namespace survey {

constexpr int kTypeCount = 4; // A clan, B adhocracy, C market, D hierarchy
constexpr int kQuestionCount = 6;
constexpr int kAnswerRows = 12;   // rows 0-5 current answers, 6-11 preferred answers
constexpr int kAnswerColumns = 5; // columns 0-3 points for A-D, column 4 seconds spent
constexpr int kTimeColumn = 4;

using AnswerRow = std::array<double, kAnswerColumns>;
using AnswerTable = std::array<AnswerRow, kAnswerRows>;

// Current A, B, C, D then preferred A, B, C, D.
using ProfileScores = std::array<double, 2 * kTypeCount>;

// The place of a type's score (type 0 = A .. 3 = D; state 0 current, 1 preferred) in
// ProfileScores and in every array laid out like it.
constexpr std::size_t scoreIndex(int state, int type)
{
    return std::size_t(state * kTypeCount + type);
}

// Some point (columns 0-3) of the table is not 0.
bool answersPresent(const AnswerTable &answers);

// Some score is not 0.
bool scoresPresent(const ProfileScores &scores);

// Each score is the sum of its column over the six rows of its half, divided by 6.
ProfileScores profileFromAnswers(const AnswerTable &answers);

} // namespace survey
