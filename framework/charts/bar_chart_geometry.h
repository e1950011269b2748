#pragma once

#include "bar_chart_model.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QLocale>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <QString>

// Where everything of a bar chart lands, in pixels of an image of a given size. The renderer
// paints exactly these places; tests read them to find bars and marks.
namespace ui {

// The chart texts' font: a sans serif at 8 pt, not antialiased.
QFont barChartFont();

struct PlacedText {
    QRect rect; // the text's cell; text is centred in it
    QString text;
};

struct PlacedBar {
    int series = 0;
    int point = 0;
    double value = 0;
    QColor colour;
    QRect front;        // the front face, border included
    QPolygon top;       // 3-D top face; empty in 2-D
    QPolygon side;      // 3-D right face; empty in 2-D
    bool rising = true; // value >= 0: the end is at the top
    bool hasMark = false;
    QRect mark; // the framed mark box, when hasMark
    QString markText;
    QPoint arrowFrom, arrowTo;
};

struct BarChartGeometry {
    QSize size;
    QRect plot;    // the front plane of the plot area; its edges are the axes
    int depth = 0; // 3-D offset of the back plane, right and up; 0 in 2-D
    double valueMin = 0, valueMax = 1, valueStep = 1;
    int zeroY = 0; // row of value 0, kept inside the plot
    QList<PlacedText> title, foot;
    QList<PlacedText> valueLabels; // left of the plot
    QList<int> valueTicks;         // rows, one per value label
    QList<PlacedText> bottomLabels;
    QList<int> bottomTicks; // columns, one per bottom label
    QRect legend;           // empty when there is none
    QList<PlacedText> legendTexts;
    QList<QRect> legendSwatches;
    QList<QColor> legendColours;
    QList<PlacedBar> bars; // in painting order
};

BarChartGeometry barChartGeometry(const BarChartModel &model, QSize size,
                                  const QLocale &locale = QLocale());

} // namespace ui
