#include "survey/group_compare.h"

namespace survey {

namespace {

// Each score's values on the averaging scale, one list per score.
std::array<std::vector<double>, 2 * kTypeCount>
scaleValues(const std::vector<ProfileScores> &respondents, MeanKind kind)
{
    std::array<std::vector<double>, 2 * kTypeCount> values;
    for (const ProfileScores &scores : respondents) {
        const ProfileScores scaled = scaledScores(scores, kind);
        for (std::size_t k = 0; k < scaled.size(); ++k)
            values[k].push_back(scaled[k]);
    }
    return values;
}

} // namespace

GroupComparison compareGroups(const GroupResult &a, const GroupResult &b, MeanKind kind,
                              std::uint64_t seed, int permutations)
{
    GroupComparison result;
    result.nA = a.n;
    result.nB = b.n;
    result.kind = kind;
    result.seed = seed;
    result.permutations = permutations;
    const ProfileMeans profileA = groupMeans(a, kind), profileB = groupMeans(b, kind);
    const ProfileScores p =
        permutationPValues(a.respondents, b.respondents, kind, permutations, seed);
    const auto valuesA = scaleValues(a.respondents, kind),
               valuesB = scaleValues(b.respondents, kind);
    for (std::size_t k = 0; k < result.scores.size(); ++k) {
        ScoreComparison &score = result.scores[k];
        score.meanA = profileA[k];
        score.meanB = profileB[k];
        score.difference = profileB[k] - profileA[k];
        score.welch = stats::welchTest(valuesA[k], valuesB[k]);
        score.permutationP = p[k];
    }
    return result;
}

} // namespace survey
