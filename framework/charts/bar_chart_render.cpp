// Paints a bar chart where barChartGeometry places its parts: flat colours, aliased lines
// and unantialiased text, so that a chart holds few colours and renders the same every time.
#include "bar_chart_geometry.h"
#include "bar_chart_model.h"

#include <QPainter>

namespace ui {

namespace {

const QColor kLineColour(0, 0, 0);
const QColor kGridColour(128, 128, 128);
const QColor kShadowColour(128, 128, 128);

// An outlined rectangle whose outline is its own border pixels.
void drawBox(QPainter &painter, const QRect &rect, const QColor &fill)
{
    painter.fillRect(rect, fill);
    painter.setPen(kLineColour);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void drawFace(QPainter &painter, const QPolygon &face, const QColor &fill)
{
    painter.setPen(kLineColour);
    painter.setBrush(fill);
    painter.drawPolygon(face);
    painter.setBrush(Qt::NoBrush);
}

// Every second pixel from `from`, `count` steps of (dx, dy).
void drawDots(QPainter &painter, QPoint from, int dx, int dy, int count)
{
    QPolygon dots;
    for (int i = 0; i < count; i += 2)
        dots.append(from + QPoint(i * dx, i * dy));
    painter.setPen(kGridColour);
    painter.drawPoints(dots);
}

void drawWallsAndGrid(QPainter &painter, const BarChartModel &model, const BarChartGeometry &g)
{
    const QRect &plot = g.plot;
    const int d = g.depth;
    const QRect back = plot.translated(d, -d);
    if (d > 0) {
        drawFace(painter,
                 QPolygon({plot.topLeft(), back.topLeft(), back.bottomLeft(), plot.bottomLeft()}),
                 model.leftWallColour);
        drawFace(painter,
                 QPolygon({plot.bottomLeft(), back.bottomLeft(), back.bottomRight(),
                           plot.bottomRight()}),
                 model.backWallColour);
    }
    drawBox(painter, back, model.backWallColour);
    for (int row : g.valueTicks) {
        if (row - d <= back.top() || row - d >= back.bottom())
            continue;
        drawDots(painter, QPoint(back.left() + 2, row - d), 1, 0, back.width() - 3);
        if (d > 0)
            drawDots(painter, QPoint(plot.left() + 2, row - 2), 1, -1, d - 3);
    }
}

void drawBars(QPainter &painter, const BarChartGeometry &g)
{
    for (const PlacedBar &bar : g.bars) {
        if (!bar.side.isEmpty()) {
            drawFace(painter, bar.side, bar.colour.darker(160));
            drawFace(painter, bar.top, bar.colour.darker(125));
        }
        painter.fillRect(bar.front, bar.colour);
        if (bar.front.width() >= 3 && bar.front.height() >= 3) {
            painter.setPen(kLineColour);
            painter.drawRect(bar.front.adjusted(0, 0, -1, -1));
        }
    }
}

void drawAxes(QPainter &painter, const BarChartGeometry &g)
{
    const QRect &plot = g.plot;
    painter.setPen(kLineColour);
    painter.drawLine(plot.topLeft(), plot.bottomLeft());
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    for (int row : g.valueTicks)
        painter.drawLine(plot.left() - 4, row, plot.left() - 1, row);
    for (int column : g.bottomTicks)
        painter.drawLine(column, plot.bottom() + 1, column, plot.bottom() + 4);
}

void drawTexts(QPainter &painter, const QList<PlacedText> &texts, int alignment = Qt::AlignCenter)
{
    painter.setPen(kLineColour);
    for (const PlacedText &text : texts)
        painter.drawText(text.rect, alignment | Qt::TextDontClip, text.text);
}

void drawMarks(QPainter &painter, const BarChartGeometry &g)
{
    for (const PlacedBar &bar : g.bars) {
        if (!bar.hasMark)
            continue;
        if (bar.arrowFrom != bar.arrowTo) {
            painter.setPen(kLineColour);
            painter.drawLine(bar.arrowFrom, bar.arrowTo);
        }
        drawBox(painter, bar.mark, Qt::white);
        painter.drawText(bar.mark, Qt::AlignCenter | Qt::TextDontClip, bar.markText);
    }
}

void drawLegend(QPainter &painter, const BarChartGeometry &g)
{
    if (g.legend.isEmpty())
        return;
    drawBox(painter, g.legend, Qt::white);
    for (int i = 0; i < g.legendSwatches.size(); ++i)
        drawBox(painter, g.legendSwatches[i], g.legendColours[i]);
    drawTexts(painter, g.legendTexts, Qt::AlignLeft | Qt::AlignVCenter);
}

// The raised one-pixel bevel of the chart's panel: light top-left, shadow bottom-right.
void drawBevel(QPainter &painter, QSize size)
{
    const int right = size.width() - 1, bottom = size.height() - 1;
    painter.setPen(Qt::white);
    painter.drawLine(0, 0, right, 0);
    painter.drawLine(0, 0, 0, bottom);
    painter.setPen(kShadowColour);
    painter.drawLine(right, 0, right, bottom);
    painter.drawLine(0, bottom, right, bottom);
}

} // namespace

void paintBarChart(QPainter &painter, const BarChartModel &model, QSize size, const QLocale &locale)
{
    if (size.isEmpty())
        return;
    painter.fillRect(QRect(QPoint(), size),
                     model.backColour.isValid() ? model.backColour : QColor(Qt::white));
    const BarChartGeometry g = barChartGeometry(model, size, locale);
    painter.setFont(barChartFont());
    drawWallsAndGrid(painter, model, g);
    drawBars(painter, g);
    drawAxes(painter, g);
    drawTexts(painter, g.valueLabels, Qt::AlignRight | Qt::AlignVCenter);
    drawTexts(painter, g.bottomLabels);
    drawTexts(painter, g.title);
    drawTexts(painter, g.foot);
    drawMarks(painter, g);
    drawLegend(painter, g);
    drawBevel(painter, size);
}

QImage renderBarChart(const BarChartModel &model, QSize size, const QLocale &locale)
{
    if (size.isEmpty())
        return QImage();
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintBarChart(painter, model, size, locale);
    return image;
}

} // namespace ui
