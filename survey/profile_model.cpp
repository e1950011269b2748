#include "survey/profile_model.h"

namespace survey {

bool answersPresent(const AnswerTable &answers)
{
    for (const AnswerRow &row : answers)
        for (int k = 0; k < kTypeCount; ++k)
            if (row[k] != 0)
                return true;
    return false;
}

bool scoresPresent(const ProfileScores &scores)
{
    for (const double s : scores)
        if (s != 0)
            return true;
    return false;
}

ProfileScores profileFromAnswers(const AnswerTable &answers)
{
    ProfileScores scores{};
    for (int half = 0; half < 2; ++half) {
        for (int k = 0; k < kTypeCount; ++k) {
            double sum = 0; // rows added in order, then one division: the sums are exact
            for (int q = 0; q < kQuestionCount; ++q)
                sum += answers[half * kQuestionCount + q][k];
            scores[scoreIndex(half, k)] = sum / 6;
        }
    }
    return scores;
}

} // namespace survey
