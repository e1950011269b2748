#pragma once

#include <QColor>
#include <QPen>
#include <QRectF>

class QPainter;

// How a printed drawing tells the two states apart without colour: current solid, preferred
// dashed (and hatched where a bar is filled), so that a greyscale print keeps them apart and
// a preferred line over an equal current one still shows both.
namespace plots {

// The dashes of a preferred line, in multiples of its width.
inline const QVector<qreal> kPreferredDashes = {4, 2.5};

// A pen of `colour` and `width` for state 0 (current, solid) or 1 (preferred, dashed).
QPen statePen(int state, const QColor &colour, double width);
// Fills `area` for a state: solid `colour` for current; for preferred white with diagonal
// lines of `colour` `spacing` apart, drawn as strokes so that they print the same at any
// resolution.
void fillState(QPainter &painter, const QRectF &area, int state, const QColor &colour,
               double spacing);
// The legend's sample of a state in `box`: filled by fillState and outlined with statePen.
void drawStateSwatch(QPainter &painter, const QRectF &box, int state, const QColor &colour);

} // namespace plots
