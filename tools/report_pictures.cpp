#include "report_pictures.h"

#include "charts/bar_chart_geometry.h"
#include "charts/bar_chart_model.h"
#include "colour_for_index.h"
#include "difference_chart.h"
#include "plot_a.h"
#include "plot_surface.h"
#include "question_charts.h"
#include "report_texts.h"
#include "result_file.h"
#include "statistics_report.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace report {

namespace {

const QSize kPlotASize(686, 672);
// The window's question charts are 228 x 257; here each gets a little more width, so that
// the longest question title fits in the fonts the page embeds.
const QSize kQuestionChart(248, 257);
constexpr int kChartGap = 4;
const QSize kQuestionChartsSize(3 * kQuestionChart.width() + 2 * kChartGap,
                                2 * kQuestionChart.height() + kChartGap);
const QSize kDifferenceSize(334, 353);
constexpr int kLegendHeight = 24;
const QChar kDecimalComma(u',');

QColor currentColour()
{
    return plots::ColorForIndex(1);
}

QColor preferredColour()
{
    return plots::ColorForIndex(3);
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
    const QString words[2] = {survey::stateCaption(0), survey::stateCaption(1)};
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

} // namespace

Picture plotAPicture(const survey::ProfileMeans &profile, double widthMm)
{
    const plots::PlotAFields fields = plots::scoreFields(profile, kDecimalComma);
    // The kites follow the fields' texts, as the window's do.
    survey::ProfileScores drawn{};
    QImage parseOnly;
    plots::drawPlotA(parseOnly, fields, Qt::black, Qt::black, kDecimalComma, drawn);
    return picture(kPlotASize, widthMm, [fields, drawn](QPainter &painter) {
        whiteWithFrame(painter, kPlotASize);
        plots::VectorSurface surface(painter);
        plots::paintPlotA(
            surface, kPlotASize, fields, drawn,
            {currentColour(), preferredColour(), survey::stateCaption(0), survey::stateCaption(1)});
    });
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
    return picture(kDifferenceSize, widthMm, [printed](QPainter &painter) {
        ui::BarChartModel chart;
        plots::setupDifferenceChart(chart);
        chart.title = QStringList{QStringLiteral("Желаемое − текущее")};
        plots::fillDifferenceChart(chart, printed, currentColour(),
                                   QStringLiteral("Разница средних оценок, баллы"));
        chart.series[0].marksVisible = true;
        paintChart(painter, chart, kDifferenceSize);
    });
}

} // namespace report
