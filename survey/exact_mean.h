#pragma once

#include <QChar>
#include <QString>
#include <QtGlobal>

// A group figure made of whole points (a mean score, a difference of two means) kept as the
// fraction it is. Printed, it rounds on that true value: a mean of exactly 18.785 shows 18.79
// everywhere, where the nearest double (18.78499...) would show 18.78 in one place and, summed
// another way, 18.79 in the next. A figure that is no such fraction (a compositional mean)
// holds its double only.
namespace survey {

class Mean {
public:
    Mean() = default;
    // A figure without a fraction behind it.
    explicit Mean(double value) : m_value(value) {}
    // numerator / denominator (denominator > 0), the double divided once.
    static Mean fraction(qint64 numerator, qint64 denominator);

    double value() const { return m_value; }
    bool isExact() const { return m_denominator > 0; }
    qint64 numerator() const { return m_numerator; }
    qint64 denominator() const { return m_denominator; }

    // The figure without its sign.
    Mean magnitude() const;

    // Exact when both figures are and the result fits 64 bits; else the doubles' difference.
    friend Mean operator-(const Mean &a, const Mean &b);

private:
    double m_value = 0;
    qint64 m_numerator = 0;
    qint64 m_denominator = 0; // 0: no fraction
};

// `mean` with `decimals` (0 to 9) decimals after `separator`, rounded half away from zero on
// the exact value where there is one. A figure that rounds to zero has no sign; `sign` puts
// "+" before one that rounds above it.
QString formatMean(const Mean &mean, int decimals, QChar separator = QLatin1Char('.'),
                   bool sign = false);

} // namespace survey
