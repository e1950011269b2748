#pragma once

#include "survey/group_mean.h"
#include "survey/group_result.h"
#include "survey/resampling.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// What a group's respondents say beyond the mean profile: how far they agree, which type
// leads, what they want changed and whether the six questions tell the same story.
namespace survey {

// A change of at least this many points between the states is worth discussing.
constexpr double kDiscrepancyThreshold = 10;

// The types (0 = A .. 3 = D) with the highest of four values; values within a billionth of
// the highest tie with it and are named together, in A-D order.
std::vector<int> dominantTypes(const std::array<double, kTypeCount> &values);

// dominantTypes of the figures' values.
std::vector<int> dominantTypes(const StateMeans &means);

// How far the dominant figure lies above the highest of the others; nothing when all four
// tie, as there is no other.
std::optional<Mean> leadOverSecond(const StateMeans &means);

// The four current (state 0) or preferred (state 1) figures of a profile.
template <typename Figure>
std::array<Figure, kTypeCount> stateScores(const std::array<Figure, 2 * kTypeCount> &scores,
                                           int state)
{
    std::array<Figure, kTypeCount> values{};
    for (int type = 0; type < kTypeCount; ++type)
        values[std::size_t(type)] = scores[scoreIndex(state, type)];
    return values;
}

struct Discrepancy {
    int type = 0; // 0 = A .. 3 = D
    Mean value;   // preferred - current
};
// The type whose preferred - current is farthest from 0; the first in A-D order on a tie.
Discrepancy largestDiscrepancy(const ProfileMeans &profile);

struct ScoreStatistics {
    Mean mean;                // the group profile's score
    std::optional<double> sd; // over the respondents' scores, n - 1; nothing for one respondent
    double min = 0, max = 0;  // over the respondents' scores, whatever the average
    // Bootstrap percentile interval of `mean`; nothing for one respondent, whose resamples
    // all repeat him and so tell nothing about the spread.
    std::optional<Interval> ci95;
};

struct TypeStatistics {
    ScoreStatistics current, preferred;
    Mean discrepancy;     // preferred - current of the means
    bool flagged = false; // see reachesDiscrepancyThreshold
};

// Whether `discrepancy`, rounded to the two decimals a report prints, is at least
// kDiscrepancyThreshold in size: the flag must agree with the figure beside it.
bool reachesDiscrepancyThreshold(const Mean &discrepancy);

struct Dominance {
    std::vector<int> types;   // see dominantTypes
    std::optional<Mean> lead; // see leadOverSecond
};

struct QuestionCongruence {
    std::vector<int> dominant; // of the question's current points in the mean table
    double deviation = 0;      // mean |point - current score| over the four types
};

struct GroupStatistics {
    int n = 0;
    int people = 0; // n as the anonymity floor counts it (GroupResult::people)
    MeanKind kind = MeanKind::Arithmetic;
    std::uint64_t seed = 1;
    int resamples = kBootstrapResamples;
    std::array<TypeStatistics, kTypeCount> types;
    Dominance currentDominance, preferredDominance;
    // Always the mean table against its own (arithmetic) current profile: it tells how the
    // questions agree with one another, whatever average the profile above uses.
    std::array<QuestionCongruence, kQuestionCount> questions;
    // All six name one and the same dominant type; a question whose top types tie names none.
    bool questionsAgree = false;

    // The eight mean scores, current then preferred, as a profile.
    ProfileMeans means() const;
};

// The figures of a loaded group (n >= 1): means from groupProfile(group, kind), spread over
// group.respondents, intervals from bootstrapIntervals with `resamples` and `seed`.
GroupStatistics groupStatistics(const GroupResult &group, MeanKind kind, std::uint64_t seed,
                                int resamples = kBootstrapResamples);

} // namespace survey
