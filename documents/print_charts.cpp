#include "documents/print_charts.h"

#include "documents/typography.h"
#include "plots/state_strokes.h"
#include "survey/group_statistics.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace report {

namespace {

const QColor kGrid(205, 205, 205);
const QColor kIncrease(40, 110, 60);
const QColor kDecrease(180, 50, 40);

// A value axis's labels at the left of `plot`, one every `step` from `low` to `high`, with
// a faint line across the plot and a black one at 0.
void paintValueAxis(QPainter &painter, const QRectF &plot, double labelLeft, double low,
                    double high, double step, const QFont &font)
{
    const QFontMetricsF metrics(font, painter.device());
    const double thin = metrics.height() / 14;
    for (double value = low; value <= high + 1e-9; value += step) {
        const double y = plot.bottom() - (value - low) / (high - low) * plot.height();
        painter.setPen(QPen(std::fabs(value) < 1e-9 ? QColor(Qt::black) : kGrid, thin));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(labelLeft, y - metrics.height() / 2,
                                plot.left() - labelLeft - metrics.height() / 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, documents::points(value, 0));
    }
}

// The four types' labels under `plot`, the name over the letter.
void paintTypeLabels(QPainter &painter, const QRectF &plot, double height)
{
    const double slot = plot.width() / 4;
    painter.setPen(Qt::black);
    for (int type = 0; type < 4; ++type)
        painter.drawText(
            QRectF(plot.left() + slot * type, plot.bottom() + height * 0.05, slot, height),
            Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, documents::typeLabel(type));
}

} // namespace

QString stateLegendWord(int state)
{
    return state == 0 ? QStringLiteral("Текущее — сплошная линия")
                      : QStringLiteral("Желаемое — пунктир");
}

namespace {

// The legend's width in `font`: two swatches, their words and the gaps.
double legendWidth(const QFont &font, const QPaintDevice *device)
{
    const QFontMetricsF metrics(font, device);
    double total = 3 * 0.4 * metrics.height();
    for (int state = 0; state < 2; ++state)
        total += (2.2 * 0.8 + 0.4) * metrics.height() +
                 metrics.horizontalAdvance(stateLegendWord(state));
    return total;
}

} // namespace

void paintStateLegend(QPainter &painter, const QRectF &strip, const QFont &given,
                      const QColor &current, const QColor &preferred)
{
    painter.save();
    // Smaller where the strip is narrow (a half-width plot), never cut.
    QFont font = given;
    const double wide = legendWidth(font, painter.device());
    if (wide > strip.width() * 0.96 && font.pixelSize() > 0)
        font.setPixelSize(std::max(1, int(font.pixelSize() * strip.width() * 0.96 / wide)));
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double swatch = metrics.height() * 0.8, gap = metrics.height() * 0.4;
    const double total = legendWidth(font, painter.device());
    double x = strip.center().x() - total / 2;
    for (int state = 0; state < 2; ++state) {
        const QString word = stateLegendWord(state);
        plots::drawStateSwatch(painter,
                               QRectF(x, strip.center().y() - swatch / 2, 2.2 * swatch, swatch),
                               state, state == 0 ? current : preferred);
        x += 2.2 * swatch + gap;
        painter.setPen(Qt::black);
        painter.drawText(
            QRectF(x, strip.top(), metrics.horizontalAdvance(word) + gap, strip.height()),
            Qt::AlignLeft | Qt::AlignVCenter, word);
        x += metrics.horizontalAdvance(word) + 3 * gap;
    }
    painter.restore();
}

void paintQuestionPanel(QPainter &painter, const QRectF &rect, const QuestionPanel &panel,
                        double top, const QFont &font, const QColor &current,
                        const QColor &preferred)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double line = metrics.height();
    painter.setPen(Qt::black);
    painter.drawText(QRectF(rect.left(), rect.top(), rect.width(), 2.2 * line),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     documents::printedText(panel.title));
    const double labelWidth = metrics.horizontalAdvance(QStringLiteral("100")) + line / 2;
    const QRectF plot(rect.left() + labelWidth, rect.top() + 2.6 * line,
                      rect.width() - labelWidth - line / 4, rect.height() - 5.0 * line);
    paintValueAxis(painter, plot, rect.left(), 0, top, 10, font);
    const double slot = plot.width() / 4, bar = slot * 0.34;
    for (int type = 0; type < 4; ++type) {
        const double middle = plot.left() + slot * (type + 0.5);
        for (int state = 0; state < 2; ++state) {
            const double value = (state == 0 ? panel.current : panel.preferred)[std::size_t(type)];
            const double height = std::clamp(value, 0.0, top) / top * plot.height();
            const QRectF area(state == 0 ? middle - bar - line / 12 : middle + line / 12,
                              plot.bottom() - height, bar, height);
            const QColor colour = state == 0 ? current : preferred;
            plots::fillState(painter, area, state, colour, line / 2.5);
            painter.setBrush(Qt::NoBrush);
            painter.setPen(
                plots::statePen(state, state == 0 ? QColor(Qt::black) : colour, line / 10));
            painter.drawRect(area);
        }
    }
    paintTypeLabels(painter, plot, 2.2 * line);
    painter.restore();
}

double differenceLimit(const std::array<double, 4> &differences)
{
    double reach = 0;
    for (double value : differences)
        reach = std::max(reach, std::fabs(value));
    const double step = reach > 20 ? 10 : 5;
    return std::max(survey::kDiscrepancyThreshold + step, step * (std::floor(reach / step) + 1));
}

void paintDifferenceChart(QPainter &painter, const QRectF &rect,
                          const std::array<double, 4> &differences,
                          const std::array<QString, 4> &marks, double limit, const QFont &font)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double line = metrics.height();
    const double labelWidth = metrics.horizontalAdvance(QStringLiteral("−100")) + line / 2;
    const QRectF plot(rect.left() + labelWidth, rect.top() + 2.4 * line,
                      rect.width() - labelWidth - line / 4, rect.height() - 5.0 * line);
    const double step = limit > 30 ? 10 : 5;
    paintValueAxis(painter, plot, rect.left(), -limit, limit, step, font);
    const auto rowOf = [&](double value) {
        return plot.center().y() - std::clamp(value, -limit, limit) / limit * plot.height() / 2;
    };

    // The guides: a change of ten points is the one the method calls notable.
    painter.setPen(plots::statePen(1, Qt::black, line / 8));
    for (double guide : {survey::kDiscrepancyThreshold, -survey::kDiscrepancyThreshold})
        painter.drawLine(QPointF(plot.left(), rowOf(guide)), QPointF(plot.right(), rowOf(guide)));

    const double slot = plot.width() / 4, bar = slot * 0.5;
    for (int type = 0; type < 4; ++type) {
        const double value = differences[std::size_t(type)];
        const double middle = plot.left() + slot * (type + 0.5);
        const QRectF area = QRectF(QPointF(middle - bar / 2, rowOf(std::max(value, 0.0))),
                                   QPointF(middle + bar / 2, rowOf(std::min(value, 0.0))));
        const bool increase = value > 0;
        if (area.height() > 0) {
            plots::fillState(painter, area, increase ? 0 : 1, increase ? kIncrease : kDecrease,
                             line / 2.5);
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(Qt::black, line / 12));
            painter.drawRect(area);
        }
        // The value and its direction in words, beyond zero on the side the bar leaves free,
        // where no end of the scale can crowd them.
        const QString word = value > 0   ? QStringLiteral("больше")
                             : value < 0 ? QStringLiteral("меньше")
                                         : QString();
        const QString text = marks[std::size_t(type)] + u'\n' + word;
        const double zero = rowOf(0);
        const QRectF place(middle - slot / 2, increase ? zero + 0.1 * line : zero - 2.1 * line,
                           slot, 2 * line);
        painter.setPen(Qt::black);
        painter.drawText(place, Qt::AlignHCenter | (increase ? Qt::AlignTop : Qt::AlignBottom),
                         text);
    }
    paintTypeLabels(painter,
                    QRectF(plot.left(), plot.top(), plot.width(), plot.height() + 0.2 * line),
                    2.2 * line);
    painter.restore();
}

} // namespace report
