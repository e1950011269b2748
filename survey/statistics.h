#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

// Descriptive figures and tests over plain samples of doubles. Everything random draws from
// SeededRandom, so that a seed gives the same figures on every platform and library.
namespace survey::stats {

double mean(const std::vector<double> &values);

// Sample standard deviation (divisor n - 1); nothing for fewer than two values.
std::optional<double> sampleSd(const std::vector<double> &values);

// The p-quantile of ascending `sorted` values, linear between neighbours: position
// p * (n - 1), counted from 0 (the common "type 7" definition). `sorted` is not empty.
double quantile(const std::vector<double> &sorted, double p);

// A 64-bit Mersenne twister and an unbiased draw of a whole number below a bound by Lemire's
// multiply-and-reject method: standard distributions are left out because their output
// differs between standard libraries. Bounds up to 2^32 take 32 bits a draw, the low half
// of the twister's output first and then its high half.
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : m_engine(seed) {}

    // Uniform in [0, bound); bound > 0.
    std::uint64_t below(std::uint64_t bound);

private:
    std::uint32_t next32();

    std::mt19937_64 m_engine;
    std::uint32_t m_highHalf = 0;
    bool m_haveHighHalf = false;
};

// The product of two 64-bit numbers as high and low halves, portable across compilers.
struct Wide {
    std::uint64_t high, low;
};
Wide multiplyWide(std::uint64_t a, std::uint64_t b);

// Inline: resampling draws once per respondent and round, millions of times.
inline std::uint32_t SeededRandom::next32()
{
    if (m_haveHighHalf) {
        m_haveHighHalf = false;
        return m_highHalf;
    }
    const std::uint64_t bits = m_engine();
    m_highHalf = std::uint32_t(bits >> 32);
    m_haveHighHalf = true;
    return std::uint32_t(bits);
}

inline std::uint64_t SeededRandom::below(std::uint64_t bound)
{
    // x * bound / 2^w maps a w-bit draw onto [0, bound); the draws whose low half falls below
    // 2^w mod bound are the surplus that would favour some results, and are drawn again.
    if (bound <= (std::uint64_t(1) << 32)) {
        std::uint64_t product = std::uint64_t(next32()) * bound;
        if (std::uint32_t(product) < bound) {
            const std::uint64_t threshold = ((std::uint64_t(1) << 32) - bound) % bound;
            while (std::uint32_t(product) < threshold)
                product = std::uint64_t(next32()) * bound;
        }
        return product >> 32;
    }
    Wide product = multiplyWide(m_engine(), bound);
    if (product.low < bound) {
        const std::uint64_t threshold = (0 - bound) % bound;
        while (product.low < threshold)
            product = multiplyWide(m_engine(), bound);
    }
    return product.high;
}

// Welch's two-sided t test of mean(b) - mean(a), the variances not assumed equal; the
// degrees of freedom by Welch-Satterthwaite, p from Student's t distribution. Without a
// variance estimate (a sample of fewer than two values) the test is not defined. When both
// samples are constant the standard error is 0: equal means give t = 0, p = 1 and different
// means t = +-infinity, p = 0, both with df = n_a + n_b - 2.
struct WelchTest {
    double t = 0;
    double df = 0;
    double p = 1;
};
std::optional<WelchTest> welchTest(const std::vector<double> &a, const std::vector<double> &b);

// Two-sided p of Student's t distribution: P(|T| >= |t|) with df degrees of freedom.
double studentTwoSidedP(double t, double df);

} // namespace survey::stats
