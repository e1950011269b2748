#pragma once

#include "bar_chart_model.h"

#include <QList>

// The numbers behind a chart's axes: their limits, label steps and tick values. Every
// result is finite and every loop bounded, whatever the model holds.
namespace ui {

struct AxisRange {
    double min = 0;
    double max = 1;
    double span() const { return max - min; }
};

// A finite value within +-1e300 (0 for NaN), so that differences of values stay finite.
double tameValue(double value);

// The value axis: fixed limits as given; automatic ones from the lowest to the highest bar,
// always taking in 0. An empty range is widened upwards.
AxisRange valueAxisRange(const BarChartModel &model);

// The bottom axis: fixed limits as given; automatic ones one unit beyond the outermost points.
AxisRange bottomAxisRange(const BarChartModel &model);

// The label step: `wanted` (or a fine automatic one when 0), widened in 1-2-5 steps until
// neighbouring labels stand at least `spacing` pixels apart on an axis `length` pixels long.
double axisLabelStep(double span, double wanted, int length, int spacing);

// The multiples of `step` inside the range, at most 1000 of them.
QList<double> axisTickValues(const AxisRange &range, double step);

} // namespace ui
