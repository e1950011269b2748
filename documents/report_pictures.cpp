#include "documents/report_pictures.h"

#include "charts/bar_chart_geometry.h"
#include "charts/bar_chart_model.h"
#include "documents/report_texts.h"
#include "documents/report_typeset.h"
#include "documents/statistics_report.h"
#include "plots/colour_for_index.h"
#include "plots/difference_chart.h"
#include "plots/plot_a.h"
#include "plots/plot_surface.h"
#include "plots/question_charts.h"
#include "plots/score_spread.h"
#include "plots/start_colours.h"
#include "survey/result_file.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace report {

namespace {

constexpr QSize kPlotASize = plots::kPlotACanvas;
// The window's question charts are 228 x 257; here each gets a little more width, so that
// the longest question title fits in the fonts the page embeds.
const QSize kQuestionChart(248, 257);
constexpr int kChartGap = 4;
const QSize kQuestionChartsSize(3 * kQuestionChart.width() + 2 * kChartGap,
                                2 * kQuestionChart.height() + kChartGap);
constexpr QSize kDifferenceSize = plots::kDifferenceChart;
constexpr int kSpreadWidth = 800;
constexpr int kLegendHeight = 24;
const QChar kDecimalComma(u',');

QColor currentColour()
{
    return plots::ColorForIndex(plots::kStartCurrentColour);
}

QColor preferredColour()
{
    return plots::ColorForIndex(plots::kStartPreferredColour);
}

QLocale documentLocale()
{
    return QLocale(QLocale::Russian, QLocale::Russia);
}

void whiteWithFrame(QPainter &painter, QSize size)
{
    painter.fillRect(QRect(QPoint(), size), Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
}

// A swatch and the state's word for each colour, centred in a strip of `width`.
void drawLegend(QPainter &painter, int width)
{
    painter.setFont(ui::barChartFont());
    const QFontMetrics metrics = painter.fontMetrics();
    const QString words[2] = {documents::stateCaption(0), documents::stateCaption(1)};
    const QColor colours[2] = {currentColour(), preferredColour()};
    constexpr int kSwatch = 12, kGap = 6, kSpace = 28;
    int total = 0;
    for (const QString &word : words)
        total += kSwatch + kGap + metrics.horizontalAdvance(word);
    total += kSpace;
    int x = (width - total) / 2;
    const int y = (kLegendHeight - kSwatch) / 2;
    for (int i = 0; i < 2; ++i) {
        painter.fillRect(QRect(x, y, kSwatch, kSwatch), colours[i]);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(QRectF(x + 0.5, y + 0.5, kSwatch - 1, kSwatch - 1));
        x += kSwatch + kGap;
        painter.drawText(QRect(x, 0, metrics.horizontalAdvance(words[i]) + 2, kLegendHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, words[i]);
        x += metrics.horizontalAdvance(words[i]) + kSpace;
    }
}

// The chart without the raised bevel of the window's panel, which means nothing on paper.
void paintChart(QPainter &painter, const ui::BarChartModel &chart, QSize size)
{
    painter.save();
    // Its right and bottom lines are strokes one unit wide centred on the last column and row.
    painter.setClipRect(QRectF(0, 0, size.width() - 1.5, size.height() - 1.5), Qt::IntersectClip);
    ui::paintBarChart(painter, chart, size, documentLocale());
    painter.restore();
}

Picture picture(QSize size, double widthMm, std::function<void(QPainter &)> paint)
{
    return Picture{QSizeF(size), widthMm, std::move(paint)};
}

// The report's font at `points` on paper, in the units of a picture `units` wide that is
// printed `widthMm` wide.
QFont paperFont(double points, double units, double widthMm, bool bold = false)
{
    QFont font = reportFont(points, bold);
    font.setPixelSize(std::max(1, int(std::lround(points * 25.4 / 72 * units / widthMm))));
    return font;
}

// Plot A in two coats on a page: its lines, then its texts over them, so that no kite runs
// through a number of a scale (the window keeps its own drawing order).
class CoatSurface : public plots::VectorSurface {
public:
    CoatSurface(QPainter &page, bool texts) : VectorSurface(page), m_texts(texts)
    {
        if (!texts)
            m_discard.begin(&m_nowhere);
    }

    QPainter &painter() override { return m_texts ? VectorSurface::painter() : m_discard; }

    void line(QPoint from, QPoint to, const QColor &colour, int width) override
    {
        if (!m_texts)
            VectorSurface::line(from, to, colour, width);
    }

    void polyline(const QPoint *points, int count, const QColor &colour, int width) override
    {
        if (!m_texts)
            VectorSurface::polyline(points, count, colour, width);
    }

private:
    bool m_texts;
    QImage m_nowhere{1, 1, QImage::Format_RGB32};
    QPainter m_discard;
};

} // namespace

Picture plotAPicture(const survey::ProfileMeans &profile, double widthMm)
{
    const plots::PlotAFields fields = plots::scoreFields(profile, kDecimalComma);
    // The kites follow the fields' texts, as the window's do.
    const auto parsed = plots::parseScoreFields(fields, kDecimalComma);
    const auto *scores = std::get_if<survey::ProfileScores>(&parsed);
    const survey::ProfileScores drawn = scores ? *scores : survey::ProfileScores{};
    const plots::PlotAStyle style{currentColour(), preferredColour(), documents::stateCaption(0),
                                  documents::stateCaption(1)};
    return picture(kPlotASize, widthMm, [=](QPainter &painter) {
        whiteWithFrame(painter, kPlotASize);
        for (const bool texts : {false, true}) {
            CoatSurface surface(painter, texts);
            plots::paintPlotA(surface, kPlotASize, fields, drawn, style);
        }
    });
}

Picture captioned(const Picture &below, const QString &caption)
{
    const QFont font = paperFont(11, below.size.width(), below.widthMm, true);
    const double height = std::ceil(QFontMetricsF(font).height() * 1.5);
    Picture result = below;
    result.size.rheight() += height;
    result.paint = [below, caption, font, height](QPainter &painter) {
        painter.save();
        painter.setFont(font);
        painter.setPen(Qt::black);
        QTextOption option(Qt::AlignLeft | Qt::AlignTop);
        option.setTextDirection(Qt::LeftToRight);
        option.setWrapMode(QTextOption::NoWrap);
        const double width = below.size.width();
        painter.drawText(QRectF(0, 0, width, height),
                         QFontMetricsF(font).elidedText(caption, Qt::ElideRight, width), option);
        painter.translate(0, height);
        below.paint(painter);
        painter.restore();
    };
    return result;
}

Picture questionChartsPicture(const survey::AnswerTable &means, double widthMm)
{
    const QSize size(kQuestionChartsSize.width(), kQuestionChartsSize.height() + kLegendHeight);
    return picture(size, widthMm, [means, size](QPainter &painter) {
        painter.fillRect(QRect(QPoint(), size), Qt::white);
        drawLegend(painter, size.width());
        for (int q = 1; q <= survey::kQuestionCount; ++q) {
            ui::BarChartModel chart;
            plots::setupQuestionChart(chart);
            plots::fillQuestionChart(chart, q, means, currentColour(), preferredColour());
            const int column = (q - 1) % 3, row = (q - 1) / 3;
            painter.save();
            painter.translate(column * (kQuestionChart.width() + kChartGap),
                              kLegendHeight + row * (kQuestionChart.height() + kChartGap));
            // A scale a step above the highest bar keeps the 3-D tops clear of the frame.
            double highest = 0;
            for (const ui::BarSeries &series : chart.series)
                for (const ui::BarPoint &point : series.points)
                    highest = std::max(highest, point.y);
            chart.leftAxis.automaticMaximum = false;
            chart.leftAxis.maximum = 10 * (std::floor(highest / 10) + 1);
            paintChart(painter, chart, kQuestionChart);
            painter.restore();
        }
    });
}

Picture differencePicture(const survey::StateMeans &preferredMinusCurrent, double widthMm)
{
    // Each bar at the value the tables print, so that its mark reads the same.
    std::array<double, survey::kTypeCount> printed{};
    for (int k = 0; k < survey::kTypeCount; ++k)
        printed[std::size_t(k)] =
            number(preferredMinusCurrent[std::size_t(k)]).replace(u',', u'.').toDouble();
    // Fixed limits a little beyond the longest bar keep each mark inside the frame.
    double reach = 0;
    bool below = false, above = false;
    for (double value : printed) {
        reach = std::max(reach, std::fabs(value));
        below = below || value < 0;
        above = above || value > 0;
    }
    const double step = reach > 20 ? 10 : 5;
    const double limit = step * (std::floor(reach / step) + 1);
    return picture(kDifferenceSize, widthMm, [=](QPainter &painter) {
        ui::BarChartModel chart;
        plots::setupDifferenceChart(chart);
        chart.title = QStringList{QStringLiteral("Желаемое − текущее")};
        plots::fillDifferenceChart(chart, printed, currentColour(),
                                   QStringLiteral("Разница средних оценок, баллы"));
        chart.leftAxis.automaticMinimum = chart.leftAxis.automaticMaximum = false;
        chart.leftAxis.minimum = below ? -limit : 0;
        chart.leftAxis.maximum = above || !below ? limit : 0;
        chart.series[0].marksVisible = true;
        chart.series[0].markDecimals = 2;
        paintChart(painter, chart, kDifferenceSize);
    });
}

Picture spreadPicture(const std::vector<survey::ProfileScores> &respondents, double widthMm,
                      double heightShare, double scaleTop)
{
    const QSize size(kSpreadWidth, int(std::lround(kSpreadWidth * heightShare)));
    const plots::SpreadStyle style{currentColour(),
                                   preferredColour(),
                                   documents::stateCaption(0),
                                   documents::stateCaption(1),
                                   paperFont(8.5, size.width(), widthMm),
                                   scaleTop};
    return picture(size, widthMm, [=](QPainter &painter) {
        painter.fillRect(QRect(QPoint(), size), Qt::white);
        plots::paintScoreSpread(painter, QRectF(QPointF(), size), respondents, style);
    });
}

} // namespace report
