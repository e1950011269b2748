#include "group_statistics.h"

#include "core/number_format.h"
#include "statistics.h"

#include <algorithm>
#include <cmath>

namespace survey {

namespace {

double tieTolerance(double largest)
{
    return 1e-9 * std::max(1.0, std::fabs(largest));
}

ScoreStatistics scoreStatistics(const std::vector<double> &values, double mean,
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

bool reachesDiscrepancyThreshold(double discrepancy)
{
    const double printed = numfmt::formatFixed(discrepancy, 0, 2, QLatin1Char('.')).toDouble();
    return std::fabs(printed) >= kDiscrepancyThreshold;
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

double leadOverSecond(const std::array<double, kTypeCount> &values)
{
    const std::vector<int> leaders = dominantTypes(values);
    const double highest = *std::max_element(values.begin(), values.end());
    std::optional<double> second;
    for (int type = 0; type < kTypeCount; ++type)
        if (std::find(leaders.begin(), leaders.end(), type) == leaders.end())
            second =
                std::max(second.value_or(values[std::size_t(type)]), values[std::size_t(type)]);
    return second ? highest - *second : 0.0;
}

std::array<double, kTypeCount> stateScores(const ProfileScores &scores, int state)
{
    std::array<double, kTypeCount> values{};
    for (int type = 0; type < kTypeCount; ++type)
        values[std::size_t(type)] = scores[scoreIndex(state, type)];
    return values;
}

Discrepancy largestDiscrepancy(const ProfileScores &profile)
{
    Discrepancy largest;
    for (int type = 0; type < kTypeCount; ++type) {
        const double value = profile[scoreIndex(1, type)] - profile[scoreIndex(0, type)];
        if (type == 0 || std::fabs(value) > std::fabs(largest.value) + tieTolerance(value))
            largest = {type, value};
    }
    return largest;
}

GroupStatistics groupStatistics(const GroupResult &group, MeanKind kind, std::uint64_t seed,
                                int resamples)
{
    GroupStatistics result;
    result.n = group.n;
    result.kind = kind;
    result.seed = seed;
    result.resamples = resamples;
    if (group.respondents.empty())
        return result;
    const ProfileScores profile = groupProfile(group, kind);
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
        typeStats.discrepancy = typeStats.preferred.mean - typeStats.current.mean;
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
