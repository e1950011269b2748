#include "group_compare.h"

namespace survey {

namespace {

std::vector<double> scaleValues(const std::vector<ProfileScores> &respondents, MeanKind kind,
                                std::size_t k)
{
    std::vector<double> values;
    values.reserve(respondents.size());
    for (const ProfileScores &scores : respondents)
        values.push_back(scaledScores(scores, kind)[k]);
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
    const ProfileScores profileA = groupProfile(a, kind), profileB = groupProfile(b, kind);
    const ProfileScores p =
        permutationPValues(a.respondents, b.respondents, kind, permutations, seed);
    for (std::size_t k = 0; k < result.scores.size(); ++k) {
        ScoreComparison &score = result.scores[k];
        score.meanA = profileA[k];
        score.meanB = profileB[k];
        score.difference = profileB[k] - profileA[k];
        score.welch = stats::welchTest(scaleValues(a.respondents, kind, k),
                                       scaleValues(b.respondents, kind, k));
        score.permutationP = p[k];
    }
    return result;
}

} // namespace survey
