#include "survey/group_compare.h"

#include <cmath>

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

std::optional<double> hedgesG(const std::vector<double> &a, const std::vector<double> &b)
{
    const double nA = double(a.size()), nB = double(b.size());
    const double df = nA + nB - 2;
    // With one degree of freedom the correction is 0: no size can be told.
    if (a.empty() || b.empty() || df < 2)
        return std::nullopt;
    const auto squares = [](const std::vector<double> &values) {
        const double m = stats::mean(values);
        double sum = 0;
        for (double v : values)
            sum += (v - m) * (v - m);
        return sum;
    };
    const double pooled = std::sqrt((squares(a) + squares(b)) / df);
    if (!(pooled > 0))
        return std::nullopt;
    // Hedges' exact J(df) = Γ(df/2) / (√(df/2) Γ((df−1)/2)); 1 − 3/(4 df − 1) approximates it.
    const double correction =
        std::exp(std::lgamma(df / 2) - 0.5 * std::log(df / 2) - std::lgamma((df - 1) / 2));
    return correction * (stats::mean(b) - stats::mean(a)) / pooled;
}

EffectSize effectSize(double g)
{
    const double size = std::abs(g);
    return size < 0.2   ? EffectSize::Negligible
           : size < 0.5 ? EffectSize::Small
           : size < 0.8 ? EffectSize::Medium
                        : EffectSize::Large;
}

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
        score.hedgesG = hedgesG(valuesA[k], valuesB[k]);
    }
    return result;
}

} // namespace survey
