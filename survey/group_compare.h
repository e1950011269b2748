#pragma once

#include "survey/group_mean.h"
#include "survey/group_result.h"
#include "survey/resampling.h"
#include "survey/statistics.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Whether two groups (two departments, or two rounds of one department) really differ.
namespace survey {

struct ScoreComparison {
    Mean meanA, meanB;
    Mean difference;                       // meanB - meanA
    std::optional<stats::WelchTest> welch; // nothing when a group has one respondent
    double permutationP = 1;
    // Hedges' g of meanB - meanA on the same scale as the t test; nothing when it is not
    // defined (fewer than four respondents in all, or no spread in either group).
    std::optional<double> hedgesG;
};

struct GroupComparison {
    int nA = 0, nB = 0;
    MeanKind kind = MeanKind::Arithmetic;
    std::uint64_t seed = 1;
    int permutations = kPermutations;
    // Current A-D, then preferred A-D.
    std::array<ScoreComparison, 2 * kTypeCount> scores;
};

// Hedges' g of b against a: the difference of the means over the pooled standard deviation,
// times the exact small-sample correction J(nA + nB - 2).
std::optional<double> hedgesG(const std::vector<double> &a, const std::vector<double> &b);

// How large an effect of size |g| is in Cohen's conventional bands: below 0.2 negligible,
// then small, medium (0.5), large (0.8).
enum class EffectSize { Negligible, Small, Medium, Large };
EffectSize effectSize(double g);

// The two group profiles of `kind` side by side, each score with Welch's t test on the
// averaging scale of `kind` (the scores, or their centred log-ratios) and the permutation
// test of the profiles' difference. Both groups hold at least one respondent.
GroupComparison compareGroups(const GroupResult &a, const GroupResult &b, MeanKind kind,
                              std::uint64_t seed, int permutations = kPermutations);

} // namespace survey
