#include "documents/report_pictures.h"

#include "documents/print_charts.h"
#include "documents/report_texts.h"
#include "documents/report_typeset.h"
#include "documents/statistics_report.h"
#include "documents/typography.h"
#include "plots/colour_for_index.h"
#include "plots/plot_a.h"
#include "plots/plot_surface.h"
#include "plots/score_spread.h"
#include "plots/start_colours.h"
#include "survey/resource.h"
#include "survey/result_file.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace report {

namespace {

constexpr QSize kPlotASize = plots::kPlotACanvas;
// The question panels two abreast, wide enough for the types' names under their bars.
const QSize kQuestionChart(372, 172);
constexpr int kChartGap = 8;
constexpr int kPanelColumns = 2;
const QSize kQuestionChartsSize(kPanelColumns *kQuestionChart.width() + kChartGap,
                                3 * kQuestionChart.height() + 2 * kChartGap);
const QSize kDifferenceSize(334, 380);
constexpr int kSpreadWidth = 800;
const QChar kDecimalComma(u',');

QColor currentColour()
{
    return plots::ColorForIndex(plots::kStartCurrentColour);
}

QColor preferredColour()
{
    return plots::ColorForIndex(plots::kStartPreferredColour);
}

void whiteWithFrame(QPainter &painter, QSize size)
{
    painter.fillRect(QRect(QPoint(), size), Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
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

    void dashedPolyline(const QPoint *points, int count, const QColor &colour, int width) override
    {
        if (!m_texts)
            VectorSurface::dashedPolyline(points, count, colour, width);
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
    plots::PlotAStyle style{currentColour(), preferredColour(), documents::stateCaption(0),
                            documents::stateCaption(1)};
    style.preferredDashed = true;
    const QFont legendFont = paperFont(9, kPlotASize.width(), widthMm);
    const int legendHeight = int(std::ceil(QFontMetricsF(legendFont).height() * 1.8));
    const QSize size(kPlotASize.width(), kPlotASize.height() + legendHeight);
    return picture(size, widthMm, [=](QPainter &painter) {
        painter.fillRect(QRect(QPoint(), size), Qt::white);
        paintStateLegend(painter, QRectF(0, 0, size.width(), legendHeight), legendFont,
                         currentColour(), preferredColour());
        painter.save();
        painter.translate(0, legendHeight);
        whiteWithFrame(painter, kPlotASize);
        for (const bool texts : {false, true}) {
            CoatSurface surface(painter, texts);
            plots::paintPlotA(surface, kPlotASize, fields, drawn, style);
        }
        painter.restore();
    });
}

Picture captioned(const Picture &below, const QString &caption)
{
    const QFont font = paperFont(11, below.size.width(), below.widthMm, true);
    const QString text = documents::printedText(caption);
    const double width = below.size.width();
    // Wrapped, never cut: a long name takes the lines it needs.
    const QFontMetricsF metrics(font);
    const double lines =
        metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::AlignLeft | Qt::TextWordWrap, text)
            .height();
    const double height = std::ceil(lines + metrics.height() * 0.5);
    Picture result = below;
    result.size.rheight() += height;
    result.paint = [below, text, font, height, width](QPainter &painter) {
        painter.save();
        painter.setFont(font);
        painter.setPen(Qt::black);
        QTextOption option(Qt::AlignLeft | Qt::AlignTop);
        option.setTextDirection(Qt::LeftToRight);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        painter.drawText(QRectF(0, 0, width, height), text, option);
        painter.translate(0, height);
        below.paint(painter);
        painter.restore();
    };
    return result;
}

Picture questionChartsPicture(const survey::AnswerTable &means, double widthMm)
{
    const QFont font = paperFont(8, kQuestionChartsSize.width(), widthMm);
    const int legendHeight = int(std::ceil(QFontMetricsF(font).height() * 2));
    const QSize size(kQuestionChartsSize.width(), kQuestionChartsSize.height() + legendHeight);
    // One scale for all six, so that their bars compare: the decade above the highest.
    double highest = 0;
    for (const survey::AnswerRow &row : means)
        for (int type = 0; type < survey::kTypeCount; ++type)
            highest = std::max(highest, row[std::size_t(type)]);
    const double top = 10 * (std::floor(highest / 10) + 1);
    return picture(size, widthMm, [=](QPainter &painter) {
        painter.fillRect(QRect(QPoint(), size), Qt::white);
        paintStateLegend(painter, QRectF(0, 0, size.width(), legendHeight), font, currentColour(),
                         preferredColour());
        for (int q = 0; q < survey::kQuestionCount; ++q) {
            QuestionPanel panel{survey::QuestionTitles[std::size_t(q)], {}, {}};
            for (int type = 0; type < survey::kTypeCount; ++type) {
                panel.current[std::size_t(type)] = means[std::size_t(q)][std::size_t(type)];
                panel.preferred[std::size_t(type)] =
                    means[std::size_t(q + survey::kQuestionCount)][std::size_t(type)];
            }
            const int column = q % kPanelColumns, row = q / kPanelColumns;
            const QRectF place(column * (kQuestionChart.width() + kChartGap),
                               legendHeight + row * (kQuestionChart.height() + kChartGap),
                               kQuestionChart.width(), kQuestionChart.height());
            paintQuestionPanel(painter, place, panel, top, font, currentColour(),
                               preferredColour());
        }
    });
}

Picture differencePicture(const survey::StateMeans &preferredMinusCurrent, double widthMm)
{
    // Each bar at the value the tables print, so that its mark reads the same.
    std::array<double, survey::kTypeCount> printed{};
    std::array<QString, survey::kTypeCount> marks;
    for (int k = 0; k < survey::kTypeCount; ++k) {
        const QString mark = signedNumber(preferredMinusCurrent[std::size_t(k)]);
        marks[std::size_t(k)] = mark;
        printed[std::size_t(k)] =
            QString(mark).replace(documents::kMinus, u'-').replace(u',', u'.').toDouble();
    }
    const double limit = differenceLimit(printed);
    const QFont font = paperFont(8, kDifferenceSize.width(), widthMm);
    return picture(kDifferenceSize, widthMm, [=](QPainter &painter) {
        painter.fillRect(QRect(QPoint(), kDifferenceSize), Qt::white);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const double line = QFontMetricsF(font, painter.device()).height();
        painter.drawText(QRectF(0, 0, kDifferenceSize.width(), 2.2 * line),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                         QStringLiteral("Желаемое − текущее, баллы; пунктир — ±10 баллов, "
                                        "заметное изменение"));
        paintDifferenceChart(
            painter,
            QRectF(0, 2.2 * line, kDifferenceSize.width(), kDifferenceSize.height() - 2.2 * line),
            printed, marks, limit, font);
    });
}

Picture spreadPicture(const std::vector<survey::ProfileScores> &respondents, double widthMm,
                      double heightShare, double scaleTop)
{
    const QSize size(kSpreadWidth, int(std::lround(kSpreadWidth * heightShare)));
    const plots::SpreadStyle style{currentColour(),
                                   preferredColour(),
                                   stateLegendWord(0),
                                   stateLegendWord(1),
                                   paperFont(8.5, size.width(), widthMm),
                                   scaleTop};
    return picture(size, widthMm, [=](QPainter &painter) {
        painter.fillRect(QRect(QPoint(), size), Qt::white);
        plots::paintScoreSpread(painter, QRectF(QPointF(), size), respondents, style);
    });
}

} // namespace report
