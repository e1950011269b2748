#include "plots/score_spread.h"

#include "plots/state_strokes.h"
#include "survey/resource.h"
#include "survey/statistics.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace plots {

namespace {

struct Box {
    double low = 0, lowerQuartile = 0, median = 0, upperQuartile = 0, high = 0;
};

Box boxOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    namespace stats = survey::stats;
    return {values.front(), stats::quantile(values, 0.25), stats::quantile(values, 0.5),
            stats::quantile(values, 0.75), values.back()};
}

// Halfway to white: the box's fill, light enough for its dots and median to show on it.
QColor pale(const QColor &colour)
{
    return QColor((colour.red() + 3 * 255) / 4, (colour.green() + 3 * 255) / 4,
                  (colour.blue() + 3 * 255) / 4);
}

// A respondent's offset from the middle of its box, -0.5 to 0.5 of the box's width: spread
// by the golden ratio, so that equal scores stand side by side and the same data always
// gives the same picture.
double jitter(std::size_t respondent)
{
    const double golden = 0.6180339887498949;
    return std::fmod(double(respondent) * golden, 1.0) - 0.5;
}

// A swatch and the word of each state, centred in `strip`.
void drawLegend(QPainter &painter, const QRectF &strip, const SpreadStyle &style)
{
    const QFontMetricsF metrics(style.font, painter.device());
    const double swatch = metrics.height() * 0.7, gap = metrics.height() * 0.4;
    const QString words[2] = {style.currentCaption, style.preferredCaption};
    const QColor colours[2] = {style.current, style.preferred};
    double total = 0;
    for (const QString &word : words)
        total += 2 * swatch + gap + metrics.horizontalAdvance(word) + 3 * gap;
    double x = strip.center().x() - total / 2;
    for (int i = 0; i < 2; ++i) {
        // A box as the chart draws them: pale, its outline solid or dashed.
        painter.setPen(statePen(i, colours[i], swatch / 8));
        painter.setBrush(pale(colours[i]));
        painter.drawRect(QRectF(x, strip.center().y() - swatch / 2, 2 * swatch, swatch));
        x += 2 * swatch + gap;
        painter.setPen(Qt::black);
        painter.drawText(
            QRectF(x, strip.top(), metrics.horizontalAdvance(words[i]) + gap, strip.height()),
            Qt::AlignLeft | Qt::AlignVCenter, words[i]);
        x += metrics.horizontalAdvance(words[i]) + 3 * gap;
    }
}

} // namespace

double spreadScaleTop(const std::vector<survey::ProfileScores> &respondents)
{
    double highest = 0;
    for (const survey::ProfileScores &scores : respondents)
        for (double score : scores)
            if (std::isfinite(score))
                highest = std::max(highest, score);
    return std::clamp(10 * std::ceil(highest / 10), 10.0, 100.0);
}

void paintScoreSpread(QPainter &painter, const QRectF &rect,
                      const std::vector<survey::ProfileScores> &respondents,
                      const SpreadStyle &style)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(style.font);
    const QFontMetricsF metrics(style.font, painter.device());
    const double line = metrics.height();

    const double top = style.scaleTop > 0 ? style.scaleTop : spreadScaleTop(respondents);

    drawLegend(painter, QRectF(rect.left(), rect.top(), rect.width(), 1.6 * line), style);
    const double labelWidth = metrics.horizontalAdvance(QStringLiteral("100")) + line / 2;
    const QRectF plot(rect.left() + labelWidth, rect.top() + 2.2 * line,
                      rect.width() - labelWidth - line / 4, rect.height() - 4 * line);
    const auto rowOf = [&](double value) {
        return plot.bottom() - std::clamp(value, 0.0, top) / top * plot.height();
    };

    // The scale: a faint line every ten points.
    const double thin = line / 14;
    for (int value = 0; value <= int(top); value += 10) {
        const double y = rowOf(value);
        painter.setPen(QPen(value == 0 ? Qt::black : QColor(210, 210, 210), thin));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(rect.left(), y - line / 2, labelWidth - line / 4, line),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(value));
    }

    const double slot = plot.width() / survey::kTypeCount;
    const double boxWidth = slot * 0.28;
    const bool dots = respondents.size() <= std::size_t(kSpreadDotLimit);
    for (int type = 0; type < survey::kTypeCount; ++type) {
        const double middle = plot.left() + slot * (type + 0.5);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(middle - slot / 2, plot.bottom() + line / 4, slot, line),
                         Qt::AlignHCenter | Qt::AlignTop, survey::typeLabel(type));
        if (respondents.empty())
            continue;
        for (int state = 0; state < 2; ++state) {
            const QColor colour = state == 0 ? style.current : style.preferred;
            std::vector<double> values;
            for (const survey::ProfileScores &scores : respondents)
                values.push_back(scores[survey::scoreIndex(state, type)]);
            const Box box = boxOf(values);
            const double centre = middle + (state == 0 ? -0.6 : 0.6) * boxWidth;
            const double left = centre - boxWidth / 2, right = centre + boxWidth / 2;
            // Preferred dashed, so that a greyscale print keeps the two apart.
            painter.setPen(statePen(state, colour, 2 * thin));
            painter.drawLine(QPointF(centre, rowOf(box.low)), QPointF(centre, rowOf(box.high)));
            for (double end : {box.low, box.high})
                painter.drawLine(QPointF(centre - boxWidth / 4, rowOf(end)),
                                 QPointF(centre + boxWidth / 4, rowOf(end)));
            painter.setBrush(pale(colour));
            painter.drawRect(QRectF(QPointF(left, rowOf(box.upperQuartile)),
                                    QPointF(right, rowOf(box.lowerQuartile))));
            painter.setPen(QPen(colour.darker(150), 5 * thin));
            painter.drawLine(QPointF(left, rowOf(box.median)), QPointF(right, rowOf(box.median)));
            if (!dots)
                continue;
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour.darker(130));
            const double radius = std::min(boxWidth / 10, line / 5);
            for (std::size_t i = 0; i < values.size(); ++i)
                painter.drawEllipse(
                    QPointF(centre + jitter(i) * (boxWidth - 2 * radius), rowOf(values[i])), radius,
                    radius);
        }
    }
    painter.restore();
}

} // namespace plots
