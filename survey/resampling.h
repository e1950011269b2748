#pragma once

#include "survey/group_mean.h"
#include "survey/profile_model.h"

#include <array>
#include <cstdint>
#include <vector>

// Bootstrap intervals and permutation tests of group profiles. Respondents are drawn whole:
// one draw decides all eight scores, as the respondent answered them together. The same seed
// gives the same figures on every platform.
namespace survey {

struct Interval {
    double low = 0;
    double high = 0;
};
using ProfileIntervals = std::array<Interval, 2 * kTypeCount>;

constexpr int kBootstrapResamples = 2000;
constexpr int kPermutations = 10000;

// Percentile interval of meanProfile(respondents, kind) at `level` (0.95 for 95 %): the
// profile of each of `resamples` resamples drawn with replacement, and for each score the
// quantiles (1 - level) / 2 and (1 + level) / 2 of its values (linear between neighbours).
// Empty input gives zero intervals.
ProfileIntervals bootstrapIntervals(const std::vector<ProfileScores> &respondents, MeanKind kind,
                                    double level, int resamples, std::uint64_t seed);

// Two-sided permutation p of each score's difference of group profiles, meanProfile(b) -
// meanProfile(a): the respondents of both groups are shuffled into groups of the same sizes
// `permutations` times, k counts the shuffles whose difference is at least as far from 0 as
// the observed one, and p = (k + 1) / (permutations + 1). Differences closer than a billionth
// of the largest score count as equal, so that rounding cannot split ties. Both groups must
// be non-empty.
ProfileScores permutationPValues(const std::vector<ProfileScores> &a,
                                 const std::vector<ProfileScores> &b, MeanKind kind,
                                 int permutations, std::uint64_t seed);

} // namespace survey
