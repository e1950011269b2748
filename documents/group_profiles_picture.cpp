#include "documents/group_profiles_picture.h"

#include "documents/report_texts.h"
#include "documents/report_typeset.h"
#include "documents/statistics_report.h"

#include <QFontMetricsF>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace report {

namespace {

constexpr double kWidth = 1000;
constexpr double kPanelHeight = 330;
constexpr double kAxis = 34;      // the scale's numbers left of a panel
constexpr double kTypeBand = 44;  // the type letters and names under a panel
constexpr double kTitleBand = 30; // the state above a panel
constexpr double kGap = 30;       // between the two panels
constexpr double kSwatch = 26;

// Fills that stay apart in greyscale: solid, hatched both ways, hatched, dotted, white.
QBrush fill(int group)
{
    static const Qt::BrushStyle styles[] = {
        Qt::SolidPattern,  Qt::SolidPattern, Qt::DiagCrossPattern, Qt::BDiagPattern,
        Qt::Dense5Pattern, Qt::NoBrush,      Qt::HorPattern,       Qt::FDiagPattern};
    static const QColor colours[] = {QColor(40, 40, 40), QColor(150, 150, 150)};
    const int index = group % int(std::size(styles));
    return QBrush(index < 2 ? colours[index] : QColor(Qt::black), styles[index]);
}

void swatch(QPainter &painter, const QRectF &box, int group)
{
    painter.fillRect(box, Qt::white);
    painter.fillRect(box, fill(group));
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
}

} // namespace

double profilesScaleTop(const std::vector<survey::ProfileMeans> &profiles)
{
    double highest = 0;
    for (const survey::ProfileMeans &profile : profiles)
        for (const survey::Mean &score : profile)
            highest = std::max(highest, score.value());
    return std::max(10.0, std::ceil(highest / 10) * 10);
}

namespace {

void paintPanel(QPainter &painter, const QRectF &area, int state,
                const std::vector<survey::ProfileMeans> &profiles, double top, const QFont &font,
                const QFont &small)
{
    const QRectF plot(area.left() + kAxis, area.top() + kTitleBand, area.width() - kAxis,
                      area.height() - kTitleBand - kTypeBand);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), kTitleBand), Qt::AlignCenter,
                     documents::stateCaption(state));
    painter.setFont(small);
    for (int mark = 0; mark <= int(top); mark += 10) {
        const double y = plot.bottom() - plot.height() * mark / top;
        painter.setPen(QPen(QColor(200, 200, 200), 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), y - 10, kAxis - 4, 20),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(mark));
    }
    const int groups = int(profiles.size());
    const double band = plot.width() / survey::kTypeCount;
    const double bar = band * 0.8 / groups;
    const bool values = groups <= 3;
    for (int type = 0; type < survey::kTypeCount; ++type) {
        const double left = plot.left() + band * type + band * 0.1;
        for (int g = 0; g < groups; ++g) {
            const double value = profiles[std::size_t(g)][survey::scoreIndex(state, type)].value();
            const double height = plot.height() * std::clamp(value, 0.0, top) / top;
            const QRectF box(left + g * bar, plot.bottom() - height, bar, height);
            swatch(painter, box, g);
            if (values)
                painter.drawText(QRectF(box.left() - 10, box.top() - 20, box.width() + 20, 18),
                                 Qt::AlignHCenter | Qt::AlignBottom,
                                 number(profiles[std::size_t(g)][survey::scoreIndex(state, type)],
                                        values && groups <= 2 ? 1 : 0));
        }
        painter.setFont(font);
        painter.drawText(QRectF(plot.left() + band * type, plot.bottom() + 2, band, 22),
                         Qt::AlignHCenter | Qt::AlignTop, documents::typeLetter(type));
        painter.setFont(small);
        painter.drawText(QRectF(plot.left() + band * type, plot.bottom() + 22, band, 20),
                         Qt::AlignHCenter | Qt::AlignTop, documents::typeShortName(type));
    }
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
}

constexpr int kPanelsPerRow = 3;
constexpr double kPanelGap = 24;
constexpr double kPanelPlot = 170;

// One group's eight bars: current solid, preferred white with a dashed outline.
void paintGroupPanel(QPainter &painter, const QRectF &plot, const survey::ProfileMeans &profile,
                     double top, const QFont &letters)
{
    painter.setPen(QPen(QColor(200, 200, 200), 1));
    for (int mark = 10; mark <= int(top); mark += 10) {
        const double y = plot.bottom() - plot.height() * mark / top;
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    const double band = plot.width() / survey::kTypeCount, bar = band * 0.36;
    for (int type = 0; type < survey::kTypeCount; ++type) {
        const double left = plot.left() + band * type + band * 0.14;
        for (int state = 0; state < 2; ++state) {
            const double value =
                std::clamp(profile[survey::scoreIndex(state, type)].value(), 0.0, top);
            const double height = plot.height() * value / top;
            const QRectF box(left + state * bar, plot.bottom() - height, bar, height);
            painter.setBrush(state == 0 ? QBrush(QColor(60, 60, 60)) : QBrush(Qt::white));
            painter.setPen(QPen(Qt::black, 1.6, state == 0 ? Qt::SolidLine : Qt::DashLine));
            painter.drawRect(box);
        }
        painter.setPen(Qt::black);
        painter.setFont(letters);
        painter.drawText(QRectF(plot.left() + band * type, plot.bottom() + 2, band, 24),
                         Qt::AlignHCenter | Qt::AlignTop, documents::typeLetter(type));
    }
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
}

QFont pictureFont(double points, double widthMm, bool bold = false)
{
    QFont font = reportFont(points, bold);
    font.setPixelSize(std::max(1, int(std::lround(points * 25.4 / 72 * kWidth / widthMm))));
    return font;
}

} // namespace

Picture groupPanelsPicture(const QStringList &names,
                           const std::vector<survey::ProfileMeans> &profiles, double widthMm,
                           double scaleTop)
{
    const QFont title = pictureFont(9, widthMm, true), text = pictureFont(8.5, widthMm);
    const double panel = (kWidth - (kPanelsPerRow - 1) * kPanelGap) / kPanelsPerRow;
    const QFontMetricsF metrics(title);
    // Each row as high as its longest name.
    const int count = int(profiles.size());
    const int rows = (count + kPanelsPerRow - 1) / kPanelsPerRow;
    QList<double> nameHeights(rows, 0);
    for (int g = 0; g < count; ++g) {
        const QRectF box = metrics.boundingRect(QRectF(0, 0, panel - kAxis, 1e6),
                                                Qt::TextWordWrap | Qt::AlignLeft, names.value(g));
        nameHeights[g / kPanelsPerRow] = std::max(nameHeights[g / kPanelsPerRow], box.height());
    }
    constexpr double kLegend = 40, kBelow = 30;
    double height = kLegend;
    for (double names : nameHeights)
        height += names + 6 + kPanelPlot + kBelow;
    const QSizeF size(kWidth, height);
    const double top = scaleTop > 0 ? scaleTop : profilesScaleTop(profiles);
    return Picture{
        size, widthMm, [=](QPainter &painter) {
            painter.fillRect(QRectF(QPointF(), size), Qt::white);
            // The legend: the two states as the panels draw them.
            painter.setFont(text);
            double x = 0;
            for (int state = 0; state < 2; ++state) {
                painter.setBrush(state == 0 ? QBrush(QColor(60, 60, 60)) : QBrush(Qt::white));
                painter.setPen(QPen(Qt::black, 1.6, state == 0 ? Qt::SolidLine : Qt::DashLine));
                painter.drawRect(QRectF(x, 8, kSwatch, kSwatch * 0.7));
                const QString word =
                    documents::stateCaption(state) +
                    (state == 0 ? QStringLiteral(" — сплошные") : QStringLiteral(" — пунктир"));
                painter.setPen(Qt::black);
                painter.drawText(QRectF(x + kSwatch + 8, 0, 400, kLegend - 8),
                                 Qt::AlignLeft | Qt::AlignVCenter, word);
                x += kSwatch + 8 + QFontMetricsF(text).horizontalAdvance(word) + 40;
            }
            double y = kLegend;
            for (int row = 0; row < rows; ++row) {
                for (int column = 0; column < kPanelsPerRow; ++column) {
                    const int g = row * kPanelsPerRow + column;
                    if (g >= count)
                        break;
                    const double left = column * (panel + kPanelGap);
                    painter.setFont(title);
                    painter.setPen(Qt::black);
                    painter.drawText(QRectF(left + kAxis, y, panel - kAxis, nameHeights[row]),
                                     Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignBottom,
                                     names.value(g));
                    const QRectF plot(left + kAxis, y + nameHeights[row] + 6, panel - kAxis,
                                      kPanelPlot);
                    painter.setFont(text);
                    for (int mark = 0; mark <= int(top); mark += 10)
                        painter.drawText(QRectF(left,
                                                plot.bottom() - plot.height() * mark / top - 10,
                                                kAxis - 4, 20),
                                         Qt::AlignRight | Qt::AlignVCenter, QString::number(mark));
                    paintGroupPanel(painter, plot, profiles[std::size_t(g)], top, title);
                }
                y += nameHeights[row] + 6 + kPanelPlot + kBelow;
            }
        }};
}

Picture groupProfilesPicture(const QStringList &names,
                             const std::vector<survey::ProfileMeans> &profiles, double widthMm)
{
    const QFont legendFont = pictureFont(9, widthMm), panelFont = pictureFont(10, widthMm, true),
                smallFont = pictureFont(8.5, widthMm);
    // One legend line per group, each wrapped to the width.
    const QFontMetricsF metrics(legendFont);
    const double textWidth = kWidth - kSwatch - 12;
    QList<double> heights;
    double legend = 8;
    for (const QString &name : names) {
        const QRectF box = metrics.boundingRect(QRectF(0, 0, textWidth, 1e6),
                                                Qt::TextWordWrap | Qt::AlignLeft, name);
        heights << std::max(kSwatch, box.height()) + 6;
        legend += heights.last();
    }
    const QSizeF size(kWidth, kPanelHeight + legend);
    const double top = profilesScaleTop(profiles);
    return Picture{
        size, widthMm, [=](QPainter &painter) {
            painter.fillRect(QRectF(QPointF(), size), Qt::white);
            const double panel = (kWidth - kGap) / 2;
            for (int state = 0; state < 2; ++state)
                paintPanel(painter, QRectF(state * (panel + kGap), 0, panel, kPanelHeight), state,
                           profiles, top, panelFont, smallFont);
            double y = kPanelHeight + 8;
            painter.setFont(legendFont);
            for (int g = 0; g < names.size(); ++g) {
                swatch(painter, QRectF(0, y, kSwatch, kSwatch * 0.7), g);
                painter.setPen(Qt::black);
                painter.drawText(QRectF(kSwatch + 12, y - 2, textWidth, heights[g]),
                                 Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, names[g]);
                y += heights[g];
            }
        }};
}

} // namespace report
