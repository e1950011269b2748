#include "documents/plot_pictures.h"

#include "charts/bar_chart_model.h"
#include "plots/difference_chart.h"
#include "plots/information_line.h"
#include "plots/question_charts.h"
#include "plots/text_cell.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QRect>

namespace documents {

using namespace plots;

namespace {

constexpr int kStripHeight = kInfoStripHeight;
constexpr int kPanelWidth = kPlotACanvas.width();
constexpr int kPlotAHeight = kPlotACanvas.height();
constexpr int kSavedPanelRows = kPlotBSavedRows;
const QRect kInfoPlace(0, 2, kInfoFieldWidth, kInfoFieldHeight);
const QRect kLetterPlace(674, -4, 11, 19);
const QColor &kMaroon = kPlotLetterColour;
const auto &kChartPlaces = kQuestionChartPlaces;

QPalette appPalette(bool &known)
{
    known = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
    return known ? QGuiApplication::palette() : QPalette();
}

QColor buttonFace()
{
    bool known = false;
    const QPalette palette = appPalette(known);
    return known ? palette.color(QPalette::Window) : QColor(240, 240, 240);
}

// The panel's lowered one-pixel bevel: shadow top-left, light bottom-right.
void drawLoweredBevel(QPainter &painter, const QRect &panel)
{
    bool known = false;
    const QPalette palette = appPalette(known);
    painter.setPen(known ? palette.color(QPalette::Dark) : QColor(160, 160, 160));
    // As the window's sunken panel: the light right edge takes the top-right corner.
    painter.drawLine(panel.topLeft(), panel.topRight() - QPoint(1, 0));
    painter.drawLine(panel.topLeft(), panel.bottomLeft());
    painter.setPen(known ? palette.color(QPalette::Light) : QColor(255, 255, 255));
    painter.drawLine(panel.topRight(), panel.bottomRight());
    painter.drawLine(panel.bottomLeft() + QPoint(1, 0), panel.bottomRight());
}

} // namespace

QImage informationStrip(const QString &info, const QString &plotLetter, int width)
{
    QImage strip(qMax(width, 1), kStripHeight, QImage::Format_RGB32);
    strip.fill(buttonFace());
    QPainter painter(&strip);
    painter.setPen(Qt::black);
    drawInformationLine(painter, kInfoPlace, info);
    painter.setPen(kMaroon);
    painter.setFont(plotFont(16, true));
    painter.drawText(kLetterPlace, Qt::AlignLeft | Qt::AlignVCenter, plotLetter);
    return strip;
}

QImage savedPlotAPicture(const QString &info, const QImage &plotACanvas)
{
    QImage picture(kPanelWidth, kStripHeight + kPlotAHeight, QImage::Format_RGB32);
    picture.fill(buttonFace());
    QPainter painter(&picture);
    painter.drawImage(0, 0, informationStrip(info, QStringLiteral("A"), kPanelWidth));
    painter.drawImage(0, kStripHeight, plotACanvas);
    return picture;
}

QImage savedPlotBPicture(const QString &info, const survey::AnswerTable &answers,
                         const QColor &nowColour, const QColor &futureColour, const QLocale &locale)
{
    QImage picture(kPanelWidth, kStripHeight + kSavedPanelRows, QImage::Format_RGB32);
    picture.fill(buttonFace());
    QPainter painter(&picture);
    painter.drawImage(0, 0, informationStrip(info, QStringLiteral("B"), kPanelWidth));
    drawLoweredBevel(painter, QRect(0, kStripHeight, kPanelWidth, kPlotAHeight));
    for (int q = 1; q <= survey::kQuestionCount; ++q) {
        ui::BarChartModel chart;
        setupQuestionChart(chart);
        fillQuestionChart(chart, q, answers, nowColour, futureColour);
        const QRect &place = kChartPlaces[q - 1];
        painter.drawImage(place.translated(0, kStripHeight).topLeft(),
                          ui::renderBarChart(chart, place.size(), locale));
    }
    return picture;
}

QImage differenceChartPicture(const survey::ProfileScores &scores, const QColor &colour, bool marks,
                              const QLocale &locale)
{
    ui::BarChartModel chart;
    setupDifferenceChart(chart);
    fillDifferenceChart(chart, profileDifferences(scores), colour, kWholeProfileFoot);
    chart.series[0].marksVisible = marks;
    QImage picture = ui::renderBarChart(chart, kDifferenceChart, locale);
    QPainter painter(&picture);
    painter.setPen(kMaroon);
    painter.setFont(plotFont(16, true));
    painter.drawText(QPoint(320, 4 + painter.fontMetrics().ascent()), QStringLiteral("C"));
    return picture;
}

} // namespace documents
