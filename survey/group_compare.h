#pragma once

#include "survey/group_mean.h"
#include "survey/group_result.h"
#include "survey/resampling.h"
#include "survey/statistics.h"

#include <array>
#include <cstdint>
#include <optional>

// Whether two groups (two departments, or two rounds of one department) really differ.
namespace survey {

struct ScoreComparison {
    Mean meanA, meanB;
    Mean difference;                       // meanB - meanA
    std::optional<stats::WelchTest> welch; // nothing when a group has one respondent
    double permutationP = 1;
};

struct GroupComparison {
    int nA = 0, nB = 0;
    MeanKind kind = MeanKind::Arithmetic;
    std::uint64_t seed = 1;
    int permutations = kPermutations;
    // Current A-D, then preferred A-D.
    std::array<ScoreComparison, 2 * kTypeCount> scores;
};

// The two group profiles of `kind` side by side, each score with Welch's t test on the
// averaging scale of `kind` (the scores, or their centred log-ratios) and the permutation
// test of the profiles' difference. Both groups hold at least one respondent.
GroupComparison compareGroups(const GroupResult &a, const GroupResult &b, MeanKind kind,
                              std::uint64_t seed, int permutations = kPermutations);

} // namespace survey
