#include "bar_chart_geometry.h"

#include "bar_chart_scale.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
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

// Axis values onto pixels: `first` is the column of range.min, or on a value axis, whose rows
// count downwards, the row of range.max.
struct PixelMap {
    AxisRange range;
    int first = 0;
    int last = 0;
    bool downwards = false;

    int operator()(double value) const
    {
        const double offset = downwards ? range.max - value : value - range.min;
        return toPixel(first + offset / range.span() * (last - first));
    }
};

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

// Title lines from the top, foot lines up from the bottom; returns the area between them less
// the margins.
QRect placeTitleAndFoot(const BarChartModel &model, int lineHeight, BarChartGeometry &g)
{
    const int width = g.size.width(), height = g.size.height();
    int top = 4;
    for (const QString &line : model.title) {
        g.title.append({QRect(0, top, width, lineHeight), line});
        top += lineHeight;
    }
    int bottom = height - 4;
    for (qsizetype i = model.foot.size() - 1; i >= 0; --i) {
        bottom -= lineHeight;
        g.foot.prepend({QRect(0, bottom, width, lineHeight), model.foot[i]});
    }
    return QRect(QPoint(percentOf(width, model.marginLeftPercent), top + percentOf(height, 4)),
                 QPoint(width - 1 - percentOf(width, 3), bottom - 1 - percentOf(height, 4)));
}

// The back plane lies chart3DPercent % of the plot's smaller side behind the front one; seen
// obliquely, receding lines show at half length, to the right and upwards.
int chartDepth(const BarChartModel &model, const QRect &area)
{
    if (!model.view3D)
        return 0;
    return percentOf(std::max(0, std::min(area.width(), area.height())), model.chart3DPercent) / 2;
}

// The value axis's rows: its range maps onto the plot's rows less the room its marks need.
PixelMap valueRows(const BarChartModel &model, int plotTop, int plotBottom, int lineHeight)
{
    const MarkPads pads = markPads(model, lineHeight + 2);
    const int plotHeight = plotBottom - plotTop;
    return PixelMap{valueAxisRange(model), plotTop + std::min(pads.top, plotHeight / 3),
                    plotBottom - std::min(pads.bottom, plotHeight / 3), true};
}

// The value axis with its ticks and labels, and the plot right of the labels.
PixelMap placeValueAxis(const BarChartModel &model, const QLocale &locale,
                        const QFontMetrics &metrics, const QRect &area, BarChartGeometry &g)
{
    const int lineHeight = metrics.height();
    const int plotTop = area.top() + g.depth;
    const int plotBottom = std::max(plotTop, area.bottom() - kTickLength - kLabelGap - lineHeight);
    const PixelMap rows = valueRows(model, plotTop, plotBottom, lineHeight);
    g.valueMin = rows.range.min;
    g.valueMax = rows.range.max;
    g.valueStep = axisLabelStep(rows.range.span(), model.leftAxis.increment, rows.last - rows.first,
                                lineHeight + 2);
    g.zeroY = rows(std::clamp(0.0, rows.range.min, rows.range.max));

    int labelWidth = 0;
    for (double value : axisTickValues(rows.range, g.valueStep)) {
        const QString text = formatMarkValue(value, locale);
        const int textWidth = metrics.horizontalAdvance(text);
        labelWidth = std::max(labelWidth, textWidth);
        g.valueTicks.append(rows(value));
        g.valueLabels.append({QRect(0, rows(value) - lineHeight / 2, textWidth, lineHeight), text});
    }
    const int plotLeft = area.left() + labelWidth + kLabelGap + kTickLength + 1;
    const int plotRight = std::max(plotLeft, area.right() - g.depth);
    g.plot = QRect(QPoint(plotLeft, plotTop), QPoint(plotRight, plotBottom));
    for (PlacedText &label : g.valueLabels)
        label.rect.moveRight(plotLeft - kTickLength - kLabelGap - 1);
    return rows;
}

// Bottom labels: the points' labels under their positions, or numbers when no point has one.
void placeBottomLabels(const BarChartModel &model, const QLocale &locale,
                       const QFontMetrics &metrics, const PixelMap &columns, BarChartGeometry &g)
{
    const AxisRange &range = columns.range;
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
        const int column = columns(x);
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
    bar.markText = series.markDecimals < 0
                       ? formatMarkValue(bar.value, locale)
                       : locale.toString(bar.value, 'f', std::min(series.markDecimals, 6));
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

// Where the bars of each series stand relative to their position: bars side by side share their
// position's slot, others stand centred on it.
struct SeriesSpans {
    QList<int> widths, offsets;
};

SeriesSpans seriesSpans(const BarChartModel &model, double slot)
{
    SeriesSpans spans;
    int sideTotal = 0;
    const auto sideCount = std::count_if(model.series.begin(), model.series.end(),
                                         [](const BarSeries &series) { return series.sideBySide; });
    for (const BarSeries &series : model.series) {
        const double share = slot * std::clamp(series.barWidthPercent, 1, 100) / 100.0;
        const int barWidth = std::max(1, toPixel(series.sideBySide ? share / sideCount : share));
        spans.widths.append(barWidth);
        spans.offsets.append(series.sideBySide ? sideTotal : -barWidth / 2);
        if (series.sideBySide)
            sideTotal += barWidth;
    }
    for (int s = 0; s < model.series.size(); ++s)
        if (model.series[s].sideBySide)
            spans.offsets[s] -= sideTotal / 2;
    return spans;
}

// The faces of a bar from `left` to `right` and from `top` to `bottom` on the front plane.
void placeFaces(int left, int right, int top, int bottom, int depth, PlacedBar &bar)
{
    bar.front = QRect(QPoint(left, top), QPoint(right, bottom));
    if (depth <= 0)
        return;
    const int d = depth;
    bar.top = QPolygon({{left, top}, {left + d, top - d}, {right + d, top - d}, {right, top}});
    bar.side =
        QPolygon({{right, top}, {right + d, top - d}, {right + d, bottom - d}, {right, bottom}});
}

void placeBars(const BarChartModel &model, const QLocale &locale, const QFontMetrics &metrics,
               const PixelMap &rows, const PixelMap &columns, BarChartGeometry &g)
{
    const SeriesSpans spans = seriesSpans(model, barSlot(model, columns.range, g.plot.width() - 1));
    const AxisRange &values = rows.range, &positions = columns.range;
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
            const int left = columns(point.x) + spans.offsets[s];
            placeFaces(left, left + spans.widths[s] - 1, rows(std::max(value, origin)),
                       rows(std::min(value, origin)), g.depth, bar);
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
    QRect area = placeTitleAndFoot(model, metrics.height(), g);
    placeLegend(model, metrics, area, g);
    g.depth = chartDepth(model, area);
    const PixelMap rows = placeValueAxis(model, locale, metrics, area, g);
    const PixelMap columns{bottomAxisRange(model), g.plot.left(), g.plot.right()};
    placeBottomLabels(model, locale, metrics, columns, g);
    placeBars(model, locale, metrics, rows, columns, g);
    // Left to right, so that in 3-D each bar hides the side of its left neighbour.
    std::stable_sort(g.bars.begin(), g.bars.end(), [](const PlacedBar &a, const PlacedBar &b) {
        return a.front.left() < b.front.left();
    });
    return g;
}

} // namespace ui
