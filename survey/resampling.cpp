#include "survey/resampling.h"

#include "survey/statistics.h"

#include <algorithm>
#include <cmath>

namespace survey {

namespace {

std::vector<ProfileScores> scaledAll(const std::vector<ProfileScores> &respondents, MeanKind kind)
{
    std::vector<ProfileScores> scaled;
    scaled.reserve(respondents.size());
    for (const ProfileScores &scores : respondents)
        scaled.push_back(scaledScores(scores, kind));
    return scaled;
}

void add(ProfileScores &sums, const ProfileScores &values)
{
    for (std::size_t k = 0; k < sums.size(); ++k)
        sums[k] += values[k];
}

ProfileScores profileOfSums(ProfileScores sums, std::size_t n, MeanKind kind)
{
    for (double &sum : sums)
        sum /= double(n);
    return profileFromScaleMeans(sums, kind);
}

} // namespace

ProfileIntervals bootstrapIntervals(const std::vector<ProfileScores> &respondents, MeanKind kind,
                                    double level, int resamples, std::uint64_t seed)
{
    ProfileIntervals intervals{};
    const std::size_t n = respondents.size();
    if (n == 0 || resamples <= 0)
        return intervals;
    const std::vector<ProfileScores> scaled = scaledAll(respondents, kind);
    std::array<std::vector<double>, 2 * kTypeCount> profiles;
    for (auto &values : profiles)
        values.resize(std::size_t(resamples));
    stats::SeededRandom random(seed);
    for (std::size_t r = 0; r < std::size_t(resamples); ++r) {
        ProfileScores sums{};
        for (std::size_t i = 0; i < n; ++i)
            add(sums, scaled[random.below(n)]);
        const ProfileScores profile = profileOfSums(sums, n, kind);
        for (std::size_t k = 0; k < profile.size(); ++k)
            profiles[k][r] = profile[k];
    }
    for (std::size_t k = 0; k < profiles.size(); ++k) {
        std::sort(profiles[k].begin(), profiles[k].end());
        intervals[k] = {stats::quantile(profiles[k], (1 - level) / 2),
                        stats::quantile(profiles[k], (1 + level) / 2)};
    }
    return intervals;
}

ProfileScores permutationPValues(const std::vector<ProfileScores> &a,
                                 const std::vector<ProfileScores> &b, MeanKind kind,
                                 int permutations, std::uint64_t seed)
{
    ProfileScores p{};
    p.fill(1.0);
    if (a.empty() || b.empty() || permutations <= 0)
        return p;
    std::vector<ProfileScores> pool = scaledAll(a, kind);
    const std::vector<ProfileScores> scaledB = scaledAll(b, kind);
    pool.insert(pool.end(), scaledB.begin(), scaledB.end());

    double largest = 1;
    for (const auto *group : {&a, &b})
        for (const ProfileScores &scores : *group)
            for (double score : scores)
                largest = std::max(largest, std::fabs(score));
    const double tolerance = 1e-9 * largest;

    ProfileScores sumsA{}, sumsB{};
    for (std::size_t i = 0; i < pool.size(); ++i)
        add(i < a.size() ? sumsA : sumsB, pool[i]);
    ProfileScores total = sumsA;
    add(total, sumsB);
    const ProfileScores profileA = profileOfSums(sumsA, a.size(), kind);
    const ProfileScores profileB = profileOfSums(sumsB, b.size(), kind);
    ProfileScores observed{};
    for (std::size_t k = 0; k < observed.size(); ++k)
        observed[k] = std::fabs(profileB[k] - profileA[k]) - tolerance;

    // A partial Fisher-Yates shuffle draws the smaller group; the other one is the rest. The
    // index order is carried over from shuffle to shuffle, which keeps every draw uniform.
    const bool drawA = a.size() <= b.size();
    const std::size_t drawn = drawA ? a.size() : b.size();
    std::vector<std::size_t> order(pool.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    stats::SeededRandom random(seed);
    std::array<int, 2 * kTypeCount> atLeast{};
    for (int round = 0; round < permutations; ++round) {
        ProfileScores picked{};
        for (std::size_t j = 0; j < drawn; ++j) {
            std::swap(order[j], order[j + std::size_t(random.below(order.size() - j))]);
            add(picked, pool[order[j]]);
        }
        ProfileScores rest = total;
        for (std::size_t k = 0; k < rest.size(); ++k)
            rest[k] -= picked[k];
        const ProfileScores shuffledA = profileOfSums(drawA ? picked : rest, a.size(), kind);
        const ProfileScores shuffledB = profileOfSums(drawA ? rest : picked, b.size(), kind);
        for (std::size_t k = 0; k < observed.size(); ++k)
            atLeast[k] += std::fabs(shuffledB[k] - shuffledA[k]) >= observed[k];
    }
    for (std::size_t k = 0; k < p.size(); ++k)
        p[k] = double(atLeast[k] + 1) / double(permutations + 1);
    return p;
}

} // namespace survey
