#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <array>

class QPainter;

// The bar charts of a printed report, drawn flat for paper: current bars solid, preferred
// ones hatched with a dashed outline, the types named on the axis, so that a greyscale print
// reads the same as a colour one.
namespace report {

// The legend's words: each state says how it is drawn.
QString stateLegendWord(int state);

// A sample and the word of each state, centred in `strip`.
void paintStateLegend(QPainter &painter, const QRectF &strip, const QFont &font,
                      const QColor &current, const QColor &preferred);

struct QuestionPanel {
    QString title;
    std::array<double, 4> current{};
    std::array<double, 4> preferred{};
};

// One question in `rect`: its title (wrapped), a value axis from 0 to `top` with a line
// every ten points, and per type its current and preferred bar over the type's label.
void paintQuestionPanel(QPainter &painter, const QRectF &rect, const QuestionPanel &panel,
                        double top, const QFont &font, const QColor &current,
                        const QColor &preferred);

// The difference preferred − current per type in `rect`, on a scale from −`limit` to
// `limit`: dashed guides at ±10 points, increases solid and marked «больше», decreases
// hatched and marked «меньше», each with its value `marks[type]`.
void paintDifferenceChart(QPainter &painter, const QRectF &rect,
                          const std::array<double, 4> &differences,
                          const std::array<QString, 4> &marks, double limit, const QFont &font);

// The scale's half-height for `differences`: beyond the longest bar and never inside the
// ±10 guides.
double differenceLimit(const std::array<double, 4> &differences);

} // namespace report
