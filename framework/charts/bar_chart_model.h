#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QLocale>
#include <QSize>
#include <QString>
#include <QStringList>

class QPainter;

// What a bar chart shows: title and foot lines, two axes and bar series. The renderer turns
// it into pixels; the widget only shows them.
namespace ui {

struct BarPoint {
    double x = 0;
    double y = 0;
    QString label;
    QColor colour;
};

class BarSeries {
public:
    QString title;           // shown in the legend
    QColor colour = Qt::red; // series colour; a point's own colour overrides it for that bar
    int barWidthPercent = 70;
    bool sideBySide = true;    // several series share an x position side by side; false = overlap
    bool marksVisible = false; // value marks
    int arrowLength = 8;       // pixels from the bar's end to its mark
    int markDecimals = -1;     // the marks' fixed decimals; -1: formatMarkValue
    bool showInLegend = true;
    QList<BarPoint> points;

    void clear(); // remove all points
    void addXY(double x, double y, const QString &label, const QColor &colour);
};

struct ChartAxis {
    // Automatic limits follow the data and always take in 0.
    bool automaticMinimum = true, automaticMaximum = true;
    double minimum = 0, maximum = 0;
    double increment = 0;     // label step; 0 = automatic; widened only where labels would not fit
    bool labelsOnAxis = true; // false: nothing written at the axis ends
};

struct BarChartModel {
    QStringList title; // title lines
    QStringList foot;  // foot lines
    ChartAxis bottomAxis, leftAxis;
    bool view3D = true;
    int chart3DPercent = 15; // 3-D depth in % of the chart
    bool legendVisible = true;
    int marginLeftPercent = 3;
    QColor backColour = Qt::white, backWallColour = Qt::white, leftWallColour = Qt::white;
    QList<BarSeries> series;
};

// "#,##0.###": at most three decimals (halves away from zero), the locale's group and decimal
// separators, no trailing zeros.
QString formatMarkValue(double value, const QLocale &locale);

// Deterministic rendering into a new RGB32 image of `size`. No antialiasing, no gradients;
// the front face of every bar is filled with exactly its colour.
QImage renderBarChart(const BarChartModel &model, QSize size, const QLocale &locale = QLocale());

// The same drawing on any painter whose coordinates run over `size`: a PDF page's painter
// scaled to the chart's place gets vector strokes and real text.
void paintBarChart(QPainter &painter, const BarChartModel &model, QSize size,
                   const QLocale &locale = QLocale());

} // namespace ui
