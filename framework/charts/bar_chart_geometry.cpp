#include "bar_chart_geometry.h"

#include "bar_chart_scale.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace ui {

namespace {

constexpr int kTickLength = 4;
constexpr int kLabelGap = 2;
constexpr int kMaxArrowLength = 200;

int toPixel(double position)
{
    return int(std::lround(std::clamp(position, -1e6, 1e6)));
}

int percentOf(int length, int percent)
{
    return length * std::clamp(percent, 0, 100) / 100;
}

struct MarkPads {
    int top = 0;
    int bottom = 0;
};

// Room inside the plot for the marks of the highest and the lowest bars.
MarkPads markPads(const BarChartModel &model, int markHeight)
{
    MarkPads pads;
    for (const BarSeries &series : model.series) {
        if (!series.marksVisible)
            continue;
        const int room = std::clamp(series.arrowLength, 0, kMaxArrowLength) + markHeight;
        for (const BarPoint &point : series.points) {
            if (point.y >= 0)
                pads.top = std::max(pads.top, room);
            else if (point.y < 0)
                pads.bottom = std::max(pads.bottom, room);
        }
    }
    return pads;
}

void placeLegend(const BarChartModel &model, const QFontMetrics &metrics, QRect &area,
                 BarChartGeometry &g)
{
    if (!model.legendVisible)
        return;
    QList<const BarSeries *> entries;
    int textWidth = 0;
    for (const BarSeries &series : model.series)
        if (series.showInLegend) {
            entries.append(&series);
            textWidth = std::max(textWidth, metrics.horizontalAdvance(series.title));
        }
    if (entries.isEmpty())
        return;
    const int line = metrics.height();
    const int width = 4 + 10 + 4 + textWidth + 4;
    const int height = int(entries.size()) * line + 4;
    g.legend = QRect(area.right() - width + 1, area.center().y() - height / 2, width, height);
    for (int i = 0; i < entries.size(); ++i) {
        const int rowTop = g.legend.top() + 2 + i * line;
        g.legendSwatches.append(QRect(g.legend.left() + 4, rowTop + (line - 8) / 2, 10, 8));
        g.legendTexts.append(
            {QRect(g.legend.left() + 18, rowTop, textWidth, line), entries[i]->title});
        g.legendColours.append(entries[i]->colour);
    }
    area.setRight(g.legend.left() - 6);
}

void placeTitleAndFoot(const BarChartModel &model, int lineHeight, BarChartGeometry &g, int &top,
                       int &bottom)
{
    const int width = g.size.width();
    top = 4;
    for (const QString &line : model.title) {
        g.title.append({QRect(0, top, width, lineHeight), line});
        top += lineHeight;
    }
    bottom = g.size.height() - 4;
    for (qsizetype i = model.foot.size() - 1; i >= 0; --i) {
        bottom -= lineHeight;
        g.foot.prepend({QRect(0, bottom, width, lineHeight), model.foot[i]});
    }
}

// Bottom labels: the points' labels under their positions, or numbers when no point has one.
void placeBottomLabels(const BarChartModel &model, const QLocale &locale,
                       const QFontMetrics &metrics, const AxisRange &range,
                       const std::function<int(double)> &xOf, BarChartGeometry &g)
{
    std::map<double, QString> labels;
    for (const BarSeries &series : model.series)
        for (const BarPoint &point : series.points)
            if (!point.label.isEmpty() && std::isfinite(point.x))
                labels.emplace(tameValue(point.x), point.label);
    const int length = g.plot.width();
    if (labels.empty()) {
        const int spacing = metrics.horizontalAdvance(formatMarkValue(
                                -std::max(std::fabs(range.min), std::fabs(range.max)), locale)) +
                            8;
        const double step =
            axisLabelStep(range.span(), model.bottomAxis.increment, length, spacing);
        for (double value : axisTickValues(range, step))
            labels.emplace(value, formatMarkValue(value, locale));
    }
    const double tolerance = range.span() * 1e-9;
    for (const auto &[x, text] : labels) {
        if (x < range.min - tolerance || x > range.max + tolerance)
            continue;
        const bool atEnd =
            std::fabs(x - range.min) <= tolerance || std::fabs(x - range.max) <= tolerance;
        if (atEnd && !model.bottomAxis.labelsOnAxis)
            continue;
        const int column = xOf(x);
        const int width = metrics.horizontalAdvance(text);
        g.bottomTicks.append(column);
        g.bottomLabels.append({QRect(column - width / 2, g.plot.bottom() + kTickLength + kLabelGap,
                                     width, metrics.height()),
                               text});
    }
}

// The pixel distance between neighbouring bar positions.
double barSlot(const BarChartModel &model, const AxisRange &range, int plotWidth)
{
    QList<double> xs;
    for (const BarSeries &series : model.series)
        for (const BarPoint &point : series.points)
            if (std::isfinite(point.x))
                xs.append(tameValue(point.x));
    std::sort(xs.begin(), xs.end());
    double gap = INFINITY;
    for (qsizetype i = 1; i < xs.size(); ++i)
        if (xs[i] > xs[i - 1])
            gap = std::min(gap, xs[i] - xs[i - 1]);
    if (!std::isfinite(gap))
        gap = 1;
    return std::clamp(gap / range.span() * plotWidth, 1.0, double(std::max(plotWidth, 1)));
}

void placeMark(const BarSeries &series, const QLocale &locale, const QFontMetrics &metrics,
               int depth, PlacedBar &bar, QSize image)
{
    bar.hasMark = true;
    bar.markText = formatMarkValue(bar.value, locale);
    const int arrow = std::clamp(series.arrowLength, 0, kMaxArrowLength);
    const int width = metrics.horizontalAdvance(bar.markText) + 6;
    const int height = metrics.height() + 2;
    const int centre = (bar.front.left() + bar.front.right()) / 2 + depth / 2;
    const int end = (bar.rising ? bar.front.top() : bar.front.bottom()) - depth / 2;
    const int top = bar.rising ? end - arrow - height : end + arrow + 1;
    bar.mark = QRect(centre - width / 2, top, width, height);
    // Keep the box inside the image where it fits.
    bar.mark.moveLeft(std::clamp(bar.mark.left(), 0, std::max(0, image.width() - width)));
    bar.mark.moveTop(std::clamp(bar.mark.top(), 0, std::max(0, image.height() - height)));
    bar.arrowFrom = QPoint(centre, end);
    bar.arrowTo = QPoint(centre, bar.rising ? bar.mark.bottom() + 1 : bar.mark.top() - 1);
    if (bar.rising ? bar.arrowTo.y() > end : bar.arrowTo.y() < end)
        bar.arrowTo = bar.arrowFrom;
}

// Bars side by side share their position's slot; others stand centred on it.
void placeBars(const BarChartModel &model, const QLocale &locale, const QFontMetrics &metrics,
               const AxisRange &values, const AxisRange &positions,
               const std::function<int(double)> &yOf, const std::function<int(double)> &xOf,
               BarChartGeometry &g)
{
    const double slot = barSlot(model, positions, g.plot.width() - 1);
    QList<int> widths, offsets;
    int sideTotal = 0;
    const auto sideCount = std::count_if(model.series.begin(), model.series.end(),
                                         [](const BarSeries &series) { return series.sideBySide; });
    for (const BarSeries &series : model.series) {
        const double share = slot * std::clamp(series.barWidthPercent, 1, 100) / 100.0;
        const int barWidth = std::max(1, toPixel(series.sideBySide ? share / sideCount : share));
        widths.append(barWidth);
        offsets.append(series.sideBySide ? sideTotal : -barWidth / 2);
        if (series.sideBySide)
            sideTotal += barWidth;
    }
    const double origin = std::clamp(0.0, values.min, values.max);
    const double tolerance = positions.span() * 1e-9;
    for (int s = 0; s < model.series.size(); ++s) {
        const BarSeries &series = model.series[s];
        for (int p = 0; p < series.points.size(); ++p) {
            const BarPoint &point = series.points[p];
            if (std::isnan(point.y) || !std::isfinite(point.x) ||
                point.x < positions.min - tolerance || point.x > positions.max + tolerance)
                continue;
            PlacedBar bar;
            bar.series = s;
            bar.point = p;
            bar.value = point.y;
            bar.colour = point.colour.isValid() ? point.colour : series.colour;
            bar.rising = point.y >= 0;
            const double value = std::clamp(tameValue(point.y), values.min, values.max);
            const int left =
                xOf(point.x) + (series.sideBySide ? offsets[s] - sideTotal / 2 : offsets[s]);
            const int right = left + widths[s] - 1;
            const int top = yOf(std::max(value, origin)), bottom = yOf(std::min(value, origin));
            bar.front = QRect(QPoint(left, top), QPoint(right, bottom));
            if (g.depth > 0) {
                const int d = g.depth;
                bar.top = QPolygon(
                    {{left, top}, {left + d, top - d}, {right + d, top - d}, {right, top}});
                bar.side = QPolygon(
                    {{right, top}, {right + d, top - d}, {right + d, bottom - d}, {right, bottom}});
            }
            if (series.marksVisible)
                placeMark(series, locale, metrics, g.depth, bar, g.size);
            g.bars.append(bar);
        }
    }
}

} // namespace

QFont barChartFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    font.setPixelSize(11);
    font.setKerning(false);
    return font;
}

BarChartGeometry barChartGeometry(const BarChartModel &model, QSize size, const QLocale &locale)
{
    BarChartGeometry g;
    g.size = size.expandedTo(QSize(0, 0));
    const QFontMetrics metrics(barChartFont());
    const int lineHeight = metrics.height();
    const int width = g.size.width(), height = g.size.height();

    int textTop = 0, textBottom = 0;
    placeTitleAndFoot(model, lineHeight, g, textTop, textBottom);
    QRect area(QPoint(percentOf(width, model.marginLeftPercent), textTop + percentOf(height, 4)),
               QPoint(width - 1 - percentOf(width, 3), textBottom - 1 - percentOf(height, 4)));
    placeLegend(model, metrics, area, g);

    // The back plane lies chart3DPercent % of the plot's smaller side behind the front one;
    // seen obliquely, receding lines show at half length, to the right and upwards.
    g.depth = model.view3D ? percentOf(std::max(0, std::min(area.width(), area.height())),
                                       model.chart3DPercent) /
                                 2
                           : 0;
    const int plotTop = area.top() + g.depth;
    const int plotBottom = std::max(plotTop, area.bottom() - kTickLength - kLabelGap - lineHeight);

    // Value axis: its range maps onto the plot less the room its marks need.
    const MarkPads pads = markPads(model, lineHeight + 2);
    const int plotHeight = plotBottom - plotTop;
    const int padTop = std::min(pads.top, plotHeight / 3);
    const int padBottom = std::min(pads.bottom, plotHeight / 3);
    const int valueTop = plotTop + padTop, valueBottom = plotBottom - padBottom;
    const AxisRange values = valueAxisRange(model);
    g.valueMin = values.min;
    g.valueMax = values.max;
    g.valueStep = axisLabelStep(values.span(), model.leftAxis.increment, valueBottom - valueTop,
                                lineHeight + 2);
    const std::function<int(double)> yOf = [&](double value) {
        return toPixel(valueTop + (values.max - value) / values.span() * (valueBottom - valueTop));
    };
    g.zeroY = yOf(std::clamp(0.0, values.min, values.max));

    QList<PlacedText> valueTexts;
    int labelWidth = 0;
    for (double value : axisTickValues(values, g.valueStep)) {
        const QString text = formatMarkValue(value, locale);
        const int textWidth = metrics.horizontalAdvance(text);
        labelWidth = std::max(labelWidth, textWidth);
        g.valueTicks.append(yOf(value));
        valueTexts.append({QRect(0, yOf(value) - lineHeight / 2, textWidth, lineHeight), text});
    }
    const int plotLeft = area.left() + labelWidth + kLabelGap + kTickLength + 1;
    const int plotRight = std::max(plotLeft, area.right() - g.depth);
    g.plot = QRect(QPoint(plotLeft, plotTop), QPoint(plotRight, plotBottom));
    for (PlacedText &label : valueTexts) {
        label.rect.moveRight(plotLeft - kTickLength - kLabelGap - 1);
        g.valueLabels.append(label);
    }

    // Bottom axis and the bars.
    const AxisRange positions = bottomAxisRange(model);
    const std::function<int(double)> xOf = [&](double x) {
        return toPixel(plotLeft + (x - positions.min) / positions.span() * (plotRight - plotLeft));
    };
    placeBottomLabels(model, locale, metrics, positions, xOf, g);

    placeBars(model, locale, metrics, values, positions, yOf, xOf, g);
    // Left to right, so that in 3-D each bar hides the side of its left neighbour.
    std::stable_sort(g.bars.begin(), g.bars.end(), [](const PlacedBar &a, const PlacedBar &b) {
        return a.front.left() < b.front.left();
    });
    return g;
}

} // namespace ui
