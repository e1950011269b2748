#include "plots/plot_a.h"

#include "core/number_format.h"
#include "plots/plot_surface.h"
#include "plots/raster.h"
#include "plots/text_cell.h"
#include "survey/resource.h"
#include "survey/result_file.h"

#include <QPainter>

namespace plots {

namespace {

constexpr int kAxisWidth = 2;
constexpr int kTickCount = 10; // the tenth tick, nearest the corner, has no label
constexpr int kTickShortening = 15;
constexpr int kRegularPixels = 16; // 12 pt at 96 dpi
constexpr int kBoldPixels = 19;    // 14 pt at 96 dpi

const QString &fieldText(const PlotAFields &fields, int index)
{
    return index < 4 ? fields.current[std::size_t(index)]
                     : fields.preferred[std::size_t(index - 4)];
}

// Geometry shared by the steps of one drawing.
struct Frame {
    int cx;
    int cy;
    int rx;
    int ry;
};

// One quadrant: the direction of its corner as seen from the centre.
struct Quadrant {
    int sx;
    int sy;
};

// In drawing order A (upper left), B (upper right), C (lower right), D (lower left).
constexpr Quadrant kQuadrants[4] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};

void drawAxes(PlotSurface &canvas, const Frame &f)
{
    const QPoint centre(f.cx, f.cy);
    const QPoint ends[] = {{2 * f.cx, f.cy}, {0, f.cy},     {f.cx, 2 * f.cy},     {f.cx, 0},
                           {0, 0},           {2 * f.cx, 0}, {2 * f.cx, 2 * f.cy}, {0, 2 * f.cy}};
    for (const QPoint &end : ends)
        canvas.line(centre, end, Qt::black, kAxisWidth);
}

// Ticks run outwards from the diagonal, away from the vertical axis; the labels sit
// beyond their outer ends, 5 pixels further left on the left side and 10 on the right.
void drawScales(PlotSurface &canvas, const Frame &f)
{
    QPainter &painter = canvas.painter();
    for (const Quadrant &q : kQuadrants) {
        for (int i = 1; i <= kTickCount; ++i) {
            const int y = f.cy + q.sy * i * f.ry;
            canvas.line(QPoint(f.cx + q.sx * i * f.rx, y),
                        QPoint(f.cx + q.sx * ((i + 1) * f.rx - kTickShortening), y), Qt::black,
                        kAxisWidth);
            if (i == kTickCount)
                continue;
            const int labelX = q.sx < 0 ? f.cx - (i + 1) * f.rx - 5 : f.cx + (i + 1) * f.rx - 10;
            drawTextCell(painter, QPoint(labelX, y - 10), QString::number(10 * i));
        }
    }
}

// The distance of a score along its diagonal: the scale puts 108, not 100, at the corner.
int scaled(int half, double score)
{
    return numfmt::roundTiesEven(static_cast<long double>(half) * score / 108);
}

void drawKite(PlotSurface &canvas, const Frame &f, const double *s, const QColor &colour,
              bool dashed = false)
{
    const QPoint a(f.cx - scaled(f.cx, s[0]), f.cy - scaled(f.cy, s[0]));
    const QPoint b(f.cx + scaled(f.cx, s[1]), f.cy - scaled(f.cy, s[1]));
    const QPoint c(f.cx + scaled(f.cx, s[2]), f.cy + scaled(f.cy, s[2]));
    const QPoint d(f.cx - scaled(f.cx, s[3]), f.cy + scaled(f.cy, s[3]));
    const QPoint outline[] = {a, b, c, d, a};
    if (dashed)
        canvas.dashedPolyline(outline, 5, colour, kAxisWidth);
    else
        canvas.polyline(outline, 5, colour, kAxisWidth);
}

void drawTypeNames(QPainter &painter, const Frame &f)
{
    painter.setPen(QColor(255, 0, 0));
    const int top = f.cy - 10 * f.ry - 10, bottom = f.cy + 10 * f.ry - 10;
    const int left = f.cx - 11 * f.rx + 55, right = f.cx + 11 * f.rx;
    drawTextCell(painter, QPoint(right - 200, top), survey::typeLabel(1));
    drawTextCell(painter, QPoint(left, top), survey::typeLabel(0));
    drawTextCell(painter, QPoint(right - 150, bottom), survey::typeLabel(2));
    drawTextCell(painter, QPoint(left, bottom), survey::typeLabel(3));
}

void drawScoreLines(QPainter &painter, const std::array<QString, 4> &texts, int top)
{
    for (std::size_t i = 0; i < texts.size(); ++i)
        drawTextCell(painter, QPoint(10, top + 20 * int(i)),
                     survey::TypeLetters[i] + QLatin1Char(' ') + texts[i]);
}

// Reads the fields in order into `scores` up to the first that is not a number: its index,
// or -1 when all eight are numbers.
int readScoreFields(const PlotAFields &fields, QChar separator, survey::ProfileScores &scores)
{
    for (int i = 0; i < 8; ++i) {
        const auto value = numfmt::parseFloat(fieldText(fields, i), separator);
        if (!value)
            return i;
        scores[std::size_t(i)] = *value;
    }
    return -1;
}

} // namespace

std::variant<survey::ProfileScores, int> parseScoreFields(const PlotAFields &fields,
                                                          QChar separator)
{
    survey::ProfileScores scores{};
    const int bad = readScoreFields(fields, separator, scores);
    if (bad >= 0)
        return bad;
    return scores;
}

PlotAFields scoreFields(const survey::ProfileMeans &scores, QChar separator)
{
    PlotAFields fields;
    for (int k = 0; k < 2 * survey::kTypeCount; ++k)
        (k < survey::kTypeCount ? fields.current
                                : fields.preferred)[std::size_t(k % survey::kTypeCount)] =
            survey::formatMean(scores[std::size_t(k)], 2, separator).rightJustified(5);
    return fields;
}

bool drawPlotA(QImage &canvas, const PlotAFields &fields, const QColor &currentColour,
               const QColor &preferredColour, QChar separator, survey::ProfileScores &scores)
{
    clearWithFrame(canvas);
    if (readScoreFields(fields, separator, scores) >= 0)
        return false;
    if (canvas.isNull())
        return true;
    RasterSurface surface(canvas);
    paintPlotA(surface, canvas.size(), fields, scores, {currentColour, preferredColour});
    return true;
}

void paintPlotA(PlotSurface &canvas, QSize size, const PlotAFields &fields,
                const survey::ProfileScores &scores, const PlotAStyle &style)
{
    Frame f{size.width() / 2, size.height() / 2, 0, 0};
    drawAxes(canvas, f);

    QPainter &painter = canvas.painter();
    painter.setFont(plotFont(kRegularPixels, false));
    painter.setPen(Qt::black);
    f.rx = numfmt::roundTiesEven(static_cast<long double>(f.cx) / 11);
    f.ry = numfmt::roundTiesEven(static_cast<long double>(f.cy) / 11);
    drawScales(canvas, f);

    drawKite(canvas, f, &scores[survey::scoreIndex(0, 0)], style.current);
    drawKite(canvas, f, &scores[survey::scoreIndex(1, 0)], style.preferred, style.preferredDashed);

    painter.setFont(plotFont(kBoldPixels, true));
    drawTypeNames(painter, f);

    painter.setPen(style.current);
    drawTextCell(painter, QPoint(10, f.cy - 25), style.currentCaption);
    painter.setPen(style.preferred);
    drawTextCell(painter, QPoint(10, f.cy + 1), style.preferredCaption);

    painter.setFont(plotFont(kRegularPixels, false));
    painter.setPen(style.current);
    drawScoreLines(painter, fields.current, f.cy - 105);
    painter.setPen(style.preferred);
    drawScoreLines(painter, fields.preferred, f.cy + 21);
}

QImage renderPlotA(QSize size, const PlotAFields &fields, const QColor &currentColour,
                   const QColor &preferredColour, QChar separator, survey::ProfileScores &scores,
                   bool *drawn)
{
    QImage canvas(size, QImage::Format_RGB32);
    const bool ok = drawPlotA(canvas, fields, currentColour, preferredColour, separator, scores);
    if (drawn)
        *drawn = ok;
    return canvas;
}

} // namespace plots
