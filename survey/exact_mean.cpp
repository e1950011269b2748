#include "survey/exact_mean.h"

#include "core/number_format.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace survey {

namespace {

using Wide = __int128; // products of two 64-bit figures, and the scaling of a numerator

bool fits(Wide value)
{
    return value >= std::numeric_limits<qint64>::min() &&
           value <= std::numeric_limits<qint64>::max();
}

// The digits of the magnitude of n / d (d > 0) times 10^decimals, rounded half away from zero.
QString scaledDigits(qint64 numerator, qint64 denominator, int decimals)
{
    unsigned __int128 magnitude = numerator < 0 ? -Wide(numerator) : Wide(numerator);
    for (int i = 0; i < decimals; ++i)
        magnitude *= 10; // |n| < 2^63 and 10^9 < 2^30: no overflow
    const auto d = static_cast<unsigned __int128>(denominator);
    unsigned __int128 quotient = magnitude / d;
    if (2 * (magnitude % d) >= d)
        ++quotient;
    QString digits;
    do {
        digits.prepend(QLatin1Char(char('0' + int(quotient % 10))));
        quotient /= 10;
    } while (quotient != 0);
    return digits.rightJustified(decimals + 1, QLatin1Char('0'));
}

} // namespace

Mean Mean::fraction(qint64 numerator, qint64 denominator)
{
    Mean mean(double(numerator) / double(denominator));
    mean.m_numerator = numerator;
    mean.m_denominator = denominator;
    return mean;
}

Mean Mean::magnitude() const
{
    if (isExact() && m_numerator != std::numeric_limits<qint64>::min())
        return fraction(m_numerator < 0 ? -m_numerator : m_numerator, m_denominator);
    return Mean(std::fabs(m_value));
}

Mean operator-(const Mean &a, const Mean &b)
{
    if (a.isExact() && b.isExact()) {
        // Over the least common denominator, so that the differences of one group's means
        // keep its own denominator.
        const qint64 common = std::gcd(a.m_denominator, b.m_denominator);
        const Wide denominator = Wide(a.m_denominator / common) * b.m_denominator;
        const Wide numerator = Wide(a.m_numerator) * (b.m_denominator / common) -
                               Wide(b.m_numerator) * (a.m_denominator / common);
        if (fits(numerator) && fits(denominator))
            return Mean::fraction(qint64(numerator), qint64(denominator));
    }
    return Mean(a.value() - b.value());
}

QString formatMean(const Mean &mean, int decimals, QChar separator, bool sign)
{
    decimals = std::clamp(decimals, 0, 9); // within the 128 bits of the scaled numerator
    QString text;
    bool negative = false;
    if (mean.isExact()) {
        text = scaledDigits(mean.numerator(), mean.denominator(), decimals);
        if (decimals > 0)
            text.insert(text.size() - decimals, separator);
        negative = mean.numerator() < 0;
    } else {
        text = numfmt::formatFixed(mean.value(), 0, decimals, separator);
        negative = text.startsWith(QLatin1Char('-'));
        if (negative)
            text.remove(0, 1);
    }
    const bool zero = std::all_of(text.begin(), text.end(), [separator](QChar c) {
        return c == QLatin1Char('0') || c == separator;
    });
    if (zero)
        return text;
    return negative ? QLatin1Char('-') + text : sign ? QLatin1Char('+') + text : text;
}

} // namespace survey
