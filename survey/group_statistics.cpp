#include "survey/group_statistics.h"

#include "survey/statistics.h"

#include <algorithm>
#include <cmath>

namespace survey {

namespace {

double tieTolerance(double largest)
{
    return 1e-9 * std::max(1.0, std::fabs(largest));
}

ScoreStatistics scoreStatistics(const std::vector<double> &values, const Mean &mean,
                                const std::optional<Interval> &interval)
{
    ScoreStatistics result;
    result.mean = mean;
    result.sd = stats::sampleSd(values);
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    result.min = *low;
    result.max = *high;
    result.ci95 = interval;
    return result;
}

} // namespace

bool reachesDiscrepancyThreshold(const Mean &discrepancy)
{
    return std::fabs(formatMean(discrepancy, 2).toDouble()) >= kDiscrepancyThreshold;
}

std::vector<int> dominantTypes(const std::array<double, kTypeCount> &values)
{
    const double highest = *std::max_element(values.begin(), values.end());
    std::vector<int> types;
    for (int type = 0; type < kTypeCount; ++type)
        if (values[std::size_t(type)] >= highest - tieTolerance(highest))
            types.push_back(type);
    return types;
}

std::vector<int> dominantTypes(const StateMeans &means)
{
    std::array<double, kTypeCount> values{};
    for (std::size_t type = 0; type < values.size(); ++type)
        values[type] = means[type].value();
    return dominantTypes(values);
}

std::optional<Mean> leadOverSecond(const StateMeans &means)
{
    const std::vector<int> leaders = dominantTypes(means);
    std::optional<int> second;
    for (int type = 0; type < kTypeCount; ++type)
        if (std::find(leaders.begin(), leaders.end(), type) == leaders.end() &&
            (!second || means[std::size_t(type)].value() > means[std::size_t(*second)].value()))
            second = type;
    if (!second)
        return std::nullopt;
    return means[std::size_t(leaders.front())] - means[std::size_t(*second)];
}

Discrepancy largestDiscrepancy(const ProfileMeans &profile)
{
    Discrepancy largest;
    for (int type = 0; type < kTypeCount; ++type) {
        const Mean value = profile[scoreIndex(1, type)] - profile[scoreIndex(0, type)];
        if (type == 0 || std::fabs(value.value()) >
                             std::fabs(largest.value.value()) + tieTolerance(value.value()))
            largest = {type, value};
    }
    return largest;
}

ProfileMeans GroupStatistics::means() const
{
    ProfileMeans profile;
    for (int type = 0; type < kTypeCount; ++type) {
        profile[scoreIndex(0, type)] = types[std::size_t(type)].current.mean;
        profile[scoreIndex(1, type)] = types[std::size_t(type)].preferred.mean;
    }
    return profile;
}

GroupStatistics groupStatistics(const GroupResult &group, MeanKind kind, std::uint64_t seed,
                                int resamples)
{
    GroupStatistics result;
    result.n = group.n;
    result.people = group.people();
    result.kind = kind;
    result.seed = seed;
    result.resamples = resamples;
    if (group.respondents.empty())
        return result;
    const ProfileMeans profile = groupMeans(group, kind);
    const ProfileIntervals intervals =
        bootstrapIntervals(group.respondents, kind, 0.95, resamples, seed);

    std::vector<double> values(group.respondents.size());
    for (int type = 0; type < kTypeCount; ++type) {
        TypeStatistics &typeStats = result.types[std::size_t(type)];
        for (int state = 0; state < 2; ++state) {
            const std::size_t k = scoreIndex(state, type);
            for (std::size_t i = 0; i < values.size(); ++i)
                values[i] = group.respondents[i][k];
            (state == 0 ? typeStats.current : typeStats.preferred) = scoreStatistics(
                values, profile[k],
                values.size() > 1 ? std::optional<Interval>(intervals[k]) : std::nullopt);
        }
        typeStats.discrepancy = profile[scoreIndex(1, type)] - profile[scoreIndex(0, type)];
        typeStats.flagged = reachesDiscrepancyThreshold(typeStats.discrepancy);
    }
    for (int state = 0; state < 2; ++state) {
        const auto scores = stateScores(profile, state);
        (state == 0 ? result.currentDominance
                    : result.preferredDominance) = {dominantTypes(scores), leadOverSecond(scores)};
    }

    for (int question = 0; question < kQuestionCount; ++question) {
        const AnswerRow &row = group.means[std::size_t(question)];
        std::array<double, kTypeCount> points{};
        double deviation = 0;
        for (int type = 0; type < kTypeCount; ++type) {
            points[std::size_t(type)] = row[std::size_t(type)];
            deviation += std::fabs(row[std::size_t(type)] - group.scores[std::size_t(type)]);
        }
        result.questions[std::size_t(question)] = {dominantTypes(points), deviation / kTypeCount};
    }
    result.questionsAgree = std::all_of(
        result.questions.begin(), result.questions.end(), [&](const QuestionCongruence &q) {
            return q.dominant.size() == 1 && q.dominant == result.questions[0].dominant;
        });
    return result;
}

} // namespace survey
