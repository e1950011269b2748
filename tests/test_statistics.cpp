// Descriptive figures, the seeded draws, Welch's test and the resampling, against values
// computed independently (a Python reimplementation of the 64-bit Mersenne twister, the
// draws and the resampling; Student's t by numerical integration).
#include "survey/group_mean.h"
#include "survey/resampling.h"
#include "survey/statistics.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace survey;
using namespace survey::stats;

TEST(Statistics, SampleStandardDeviation)
{
    struct Case {
        std::vector<double> values;
        std::optional<double> sd;
    };
    const Case cases[] = {
        {{23.5, 30.0, 18.25, 26.0, 21.0}, 4.527692569068709},
        {{35.0, 28.5, 41.0, 33.25, 39.0, 30.5, 36.0}, 4.437059837324712},
        {{1e9 + 1, 1e9 + 2, 1e9 + 3}, 1.0}, // offsets cancel about the mean
        {{0.1, 0.1, 0.1}, 0.0},             // equal values, though their rounded mean is not
        {{42.0}, std::nullopt},
        {{}, std::nullopt},
    };
    for (const Case &c : cases) {
        const auto sd = sampleSd(c.values);
        ASSERT_EQ(sd.has_value(), c.sd.has_value());
        if (sd) {
            EXPECT_NEAR(*sd, *c.sd, 1e-12);
        }
    }
}

TEST(Statistics, QuantileInterpolatesBetweenNeighbours)
{
    const std::vector<double> sorted = {1, 2, 4, 8, 16};
    const std::pair<double, double> cases[] = {{0, 1}, {0.25, 2}, {0.3, 2.4}, {0.9, 12.8}, {1, 16}};
    for (const auto &[p, expected] : cases)
        EXPECT_DOUBLE_EQ(quantile(sorted, p), expected) << p;
    EXPECT_EQ(quantile({7}, 0.975), 7);
}

TEST(Statistics, WideProduct)
{
    struct Case {
        std::uint64_t a, b, high, low;
    };
    const Case cases[] = {
        {~0ull, ~0ull, 0xfffffffffffffffeull, 1},
        {0x123456789abcdef0ull, 0x0fedcba987654321ull, 0x0121fa00ad77d742ull,
         0x2236d88fe5618cf0ull},
        {1ull << 32, 1ull << 32, 1, 0},
    };
    for (const Case &c : cases) {
        const Wide product = multiplyWide(c.a, c.b);
        EXPECT_EQ(product.high, c.high);
        EXPECT_EQ(product.low, c.low);
    }
}

TEST(Statistics, SeededDrawsAreTheSameEverywhere)
{
    struct Case {
        std::uint64_t seed, bound;
        std::vector<std::uint64_t> draws;
    };
    const Case cases[] = {
        {1, 10, {7, 1, 1, 1, 4, 4, 4, 0}},
        // Bounds just above 2^31 and 2^63 reject almost half of the raw draws.
        {5, (1ull << 31) + 1, {1380110171, 1445395875, 1605636209, 1451553315}},
        {7,
         (1ull << 63) + 1,
         {8755758169312616625ull, 8226447053392166523ull, 1303000185656569710ull}},
        {3, 1, {0, 0}},
    };
    for (const Case &c : cases) {
        SeededRandom random(c.seed);
        for (std::uint64_t expected : c.draws)
            EXPECT_EQ(random.below(c.bound), expected) << c.bound;
    }
    // A wide bound draws whole outputs and leaves a pending half for the next small one.
    SeededRandom mixed(5);
    EXPECT_EQ(mixed.below(3), 1u);
    EXPECT_EQ(mixed.below((1ull << 40) + 3), 42325272189u);
    EXPECT_EQ(mixed.below(3), 2u);
    EXPECT_EQ(mixed.below(3), 0u);
}

TEST(Statistics, StudentTwoSidedP)
{
    struct Case {
        double t, df, p;
    };
    const Case cases[] = {{2.0, 5.0, 0.10193947882985725},
                          {0.5, 1.0, 0.7048327646991335},
                          {-3.1, 12.7, 0.008654581982436195},
                          {1.96, 1000.0, 0.05027318495575084},
                          {0.0, 3.0, 1.0}};
    for (const Case &c : cases)
        EXPECT_NEAR(studentTwoSidedP(c.t, c.df), c.p, 1e-11) << c.t << " " << c.df;
}

TEST(Statistics, WelchTestOfASmallCase)
{
    const auto test =
        welchTest({23.5, 30.0, 18.25, 26.0, 21.0}, {35.0, 28.5, 41.0, 33.25, 39.0, 30.5, 36.0});
    ASSERT_TRUE(test);
    EXPECT_NEAR(test->t, 4.183840436209302, 1e-12);
    EXPECT_NEAR(test->df, 8.65493087296758, 1e-12);
    EXPECT_NEAR(test->p, 0.002574872328738214, 1e-11);
    // The sign follows b - a.
    EXPECT_NEAR(welchTest({35.0, 28.5, 41.0}, {23.5, 30.0})->t,
                -welchTest({23.5, 30.0}, {35.0, 28.5, 41.0})->t, 1e-15);
}

TEST(Statistics, WelchTestWithoutSpread)
{
    EXPECT_FALSE(welchTest({1.0}, {1.0, 2.0}));
    EXPECT_FALSE(welchTest({1.0, 2.0}, {}));

    const auto equal = welchTest({25, 25, 25}, {25, 25});
    ASSERT_TRUE(equal);
    EXPECT_EQ(equal->t, 0);
    EXPECT_EQ(equal->df, 3);
    EXPECT_EQ(equal->p, 1);

    const auto apart = welchTest({25, 25, 25}, {20, 20});
    ASSERT_TRUE(apart);
    EXPECT_TRUE(std::isinf(apart->t) && apart->t < 0);
    EXPECT_EQ(apart->p, 0);
}

namespace {

const std::vector<ProfileScores> kRespondents = {
    {20, 10, 30, 40, 40, 30, 20, 10},     {25.5, 24.5, 25, 25, 30, 30, 20, 20},
    {10, 20, 33.5, 36.5, 50, 20, 20, 10}, {41, 29, 20, 10, 25, 25, 25, 25},
    {17, 23, 31, 29, 35, 35, 15, 15},
};

} // namespace

TEST(Resampling, BootstrapIntervalsMatchTheReference)
{
    const Interval expected[] = {{14.5, 32.014999999999915},
                                 {15.2, 26.0},
                                 {23.7, 31.8},
                                 {19.0, 36.4},
                                 {29.0, 44.0},
                                 {23.0, 32.0},
                                 {17.0, 23.0},
                                 {11.0, 21.0}};
    const ProfileIntervals intervals =
        bootstrapIntervals(kRespondents, MeanKind::Arithmetic, 0.95, kBootstrapResamples, 1);
    for (std::size_t k = 0; k < intervals.size(); ++k) {
        EXPECT_NEAR(intervals[k].low, expected[k].low, 1e-12) << k;
        EXPECT_NEAR(intervals[k].high, expected[k].high, 1e-12) << k;
    }
}

TEST(Resampling, BootstrapDependsOnTheSeedOnly)
{
    for (MeanKind kind : {MeanKind::Arithmetic, MeanKind::Geometric}) {
        const auto run = [&](std::uint64_t seed) {
            return bootstrapIntervals(kRespondents, kind, 0.95, kBootstrapResamples, seed);
        };
        const ProfileIntervals first = run(1), again = run(1), other = run(2);
        const ProfileScores mean = meanProfile(kRespondents, kind);
        bool differs = false;
        for (std::size_t k = 0; k < first.size(); ++k) {
            EXPECT_EQ(first[k].low, again[k].low);
            EXPECT_EQ(first[k].high, again[k].high);
            EXPECT_LE(first[k].low, mean[k]);
            EXPECT_GE(first[k].high, mean[k]);
            differs |= first[k].low != other[k].low || first[k].high != other[k].high;
        }
        EXPECT_TRUE(differs);
    }
}

TEST(Resampling, PermutationPMatchesTheReference)
{
    const std::vector<ProfileScores> a = {{20, 10, 30, 40, 40, 30, 20, 10},
                                          {25, 25, 25, 25, 30, 30, 20, 20}};
    const std::vector<ProfileScores> b = {{10, 20, 30, 40, 50, 20, 20, 10},
                                          {40, 30, 20, 10, 25, 25, 25, 25},
                                          {30, 30, 20, 20, 20, 20, 30, 30}};
    const double expected[] = {0.8008199180081992,  0.30526947305269475, 0.6057394260573943,
                               0.503949605039496,   0.8999100089991001,  0.20107989201079893,
                               0.40285971402859716, 0.5046495350464953};
    const ProfileScores p = permutationPValues(a, b, MeanKind::Arithmetic, kPermutations, 1);
    for (std::size_t k = 0; k < p.size(); ++k)
        EXPECT_DOUBLE_EQ(p[k], expected[k]) << k;
    EXPECT_NE(permutationPValues(a, b, MeanKind::Arithmetic, kPermutations, 2), p);
}

TEST(Resampling, PermutationOfAGroupWithItselfGivesOne)
{
    for (MeanKind kind : {MeanKind::Arithmetic, MeanKind::Geometric})
        for (double p : permutationPValues(kRespondents, kRespondents, kind, 500, 9))
            EXPECT_EQ(p, 1.0);
}

TEST(GroupMean, GeometricMeanOfIdenticalRespondentsIsTheirPoints)
{
    const ProfileScores points = {12.5, 37.5, 20, 30, 40, 35, 15.5, 9.5};
    const ProfileScores mean = meanProfile({points, points, points}, MeanKind::Geometric);
    for (std::size_t k = 0; k < points.size(); ++k)
        EXPECT_NEAR(mean[k], points[k], 1e-12) << k;
    EXPECT_EQ(meanProfile({points, points}, MeanKind::Arithmetic), points);
}

TEST(GroupMean, GeometricMeanIsCompositional)
{
    // A zero counts as 0.5; each state is scaled to sum 100.
    const ProfileScores expected = {29.768142714645684, 2.3533783172807037, 25.779967814363825,
                                    42.09851115370977,  21.782836867428667, 32.67425530114299,
                                    26.678417737742876, 18.86449009368546};
    const ProfileScores mean = meanProfile(
        {{20, 10, 30, 40, 40, 30, 20, 10}, {40, 0, 20, 40, 10, 30, 30, 30}}, MeanKind::Geometric);
    for (std::size_t k = 0; k < mean.size(); ++k)
        EXPECT_NEAR(mean[k], expected[k], 1e-12) << k;
    // Damaged data with a negative score stays finite.
    for (double score : meanProfile({{-5, 50, 30, 25, 25, 25, 25, 25}}, MeanKind::Geometric))
        EXPECT_TRUE(std::isfinite(score));
}

TEST(GroupMean, MeanKindNames)
{
    EXPECT_EQ(meanKindFromName(QStringLiteral("geometric")), MeanKind::Geometric);
    EXPECT_EQ(meanKindFromName(QStringLiteral("arithmetic")), MeanKind::Arithmetic);
    EXPECT_FALSE(meanKindFromName(QStringLiteral("Geometric")));
    EXPECT_EQ(meanKindName(MeanKind::Geometric), QStringLiteral("geometric"));
}
