#include "bar_chart_scale.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr double kValueLimit = 1e300;
constexpr int kMaxTicks = 1000;

AxisRange widened(AxisRange range)
{
    if (!(range.max > range.min))
        range.max = range.min + std::max(1.0, std::fabs(range.min) * 1e-9);
    return range;
}

} // namespace

double tameValue(double value)
{
    return std::isfinite(value) ? std::clamp(value, -kValueLimit, kValueLimit) : 0.0;
}

AxisRange valueAxisRange(const BarChartModel &model)
{
    double low = 0, high = 0;
    for (const BarSeries &series : model.series)
        for (const BarPoint &point : series.points)
            if (std::isfinite(point.y)) {
                low = std::min(low, tameValue(point.y));
                high = std::max(high, tameValue(point.y));
            }
    const ChartAxis &axis = model.leftAxis;
    return widened({axis.automaticMinimum ? low : tameValue(axis.minimum),
                    axis.automaticMaximum ? high : tameValue(axis.maximum)});
}

AxisRange bottomAxisRange(const BarChartModel &model)
{
    double low = INFINITY, high = -INFINITY;
    for (const BarSeries &series : model.series)
        for (const BarPoint &point : series.points)
            if (std::isfinite(point.x)) {
                low = std::min(low, tameValue(point.x));
                high = std::max(high, tameValue(point.x));
            }
    if (low > high)
        low = high = 0;
    const ChartAxis &axis = model.bottomAxis;
    return widened({axis.automaticMinimum ? low - 1 : tameValue(axis.minimum),
                    axis.automaticMaximum ? high + 1 : tameValue(axis.maximum)});
}

double axisLabelStep(double span, double wanted, int length, int spacing)
{
    double step = wanted > 0 && std::isfinite(wanted)
                      ? wanted
                      : std::pow(10.0, std::floor(std::log10(span)) - 3);
    if (!(step > 0) || !std::isfinite(step))
        step = span;
    while (span / step > kMaxTicks)
        step *= 10;
    const double factors[] = {2, 2.5, 2};
    for (int i = 0; i < 64 && step * std::max(length, 0) < double(spacing) * span; ++i) {
        if (!std::isfinite(step * factors[i % 3]))
            break;
        step *= factors[i % 3];
    }
    return step;
}

QList<double> axisTickValues(const AxisRange &range, double step)
{
    QList<double> values;
    const double first = std::ceil(range.min / step - 1e-9) * step;
    if (!std::isfinite(first) || !(step > 0))
        return values;
    for (int k = 0; k < kMaxTicks; ++k) {
        const double value = first + k * step;
        if (value > range.max + step * 1e-9)
            break;
        values.append(value);
    }
    return values;
}

} // namespace ui
