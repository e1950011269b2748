#include "survey/statistics.h"

#include <algorithm>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <limits>

namespace survey::stats {

double mean(const std::vector<double> &values)
{
    double sum = 0;
    for (double value : values)
        sum += value;
    return values.empty() ? 0.0 : sum / double(values.size());
}

std::optional<double> sampleSd(const std::vector<double> &values)
{
    if (values.size() < 2)
        return std::nullopt;
    // Equal values spread nothing, even where their rounded mean differs from them.
    if (std::all_of(values.begin(), values.end(), [&](double v) { return v == values.front(); }))
        return 0.0;
    // Two passes: the squares are taken about the mean, so large equal offsets cancel exactly.
    const double centre = mean(values);
    double squares = 0;
    for (double value : values)
        squares += (value - centre) * (value - centre);
    return std::sqrt(squares / double(values.size() - 1));
}

double quantile(const std::vector<double> &sorted, double p)
{
    const double position = p * double(sorted.size() - 1);
    const auto below = std::size_t(std::floor(position));
    if (below + 1 >= sorted.size())
        return sorted.back();
    const double fraction = position - double(below);
    return sorted[below] + fraction * (sorted[below + 1] - sorted[below]);
}

Wide multiplyWide(std::uint64_t a, std::uint64_t b)
{
    const std::uint64_t mask = 0xffffffffu;
    const std::uint64_t aLow = a & mask, aHigh = a >> 32, bLow = b & mask, bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow, highLow = aHigh * bLow;
    const std::uint64_t lowHigh = aLow * bHigh, highHigh = aHigh * bHigh;
    const std::uint64_t middle = (lowLow >> 32) + (highLow & mask) + lowHigh;
    return {highHigh + (highLow >> 32) + (middle >> 32), (middle << 32) | (lowLow & mask)};
}

double studentTwoSidedP(double t, double df)
{
    if (std::isinf(t))
        return 0.0;
    const boost::math::students_t distribution(df);
    return std::min(1.0, 2 * boost::math::cdf(boost::math::complement(distribution, std::fabs(t))));
}

std::optional<WelchTest> welchTest(const std::vector<double> &a, const std::vector<double> &b)
{
    const auto sdA = sampleSd(a), sdB = sampleSd(b);
    if (!sdA || !sdB)
        return std::nullopt;
    const double na = double(a.size()), nb = double(b.size());
    const double va = *sdA * *sdA / na, vb = *sdB * *sdB / nb; // squared standard errors
    const double difference = mean(b) - mean(a);
    WelchTest test;
    if (va + vb == 0) {
        test.df = na + nb - 2;
        if (difference != 0) {
            test.t = std::copysign(std::numeric_limits<double>::infinity(), difference);
            test.p = 0;
        }
        return test;
    }
    test.t = difference / std::sqrt(va + vb);
    test.df = (va + vb) * (va + vb) / (va * va / (na - 1) + vb * vb / (nb - 1));
    test.p = studentTwoSidedP(test.t, test.df);
    return test;
}

} // namespace survey::stats
