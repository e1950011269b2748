#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

// Our own line rasteriser, so that every pixel of a drawing is known in advance and the
// same on every platform (a QPainter pen would antialias or round differently).
//
// Rules, the ones of a Windows canvas's LineTo:
// - a line from P to Q paints P and not Q; a line from P to P paints nothing;
// - the pixel on the major axis (x when |dx| >= |dy|, so diagonals count as horizontal)
//   advances by one per step; the minor coordinate is the ideal one rounded to the
//   nearest integer, a tie staying on the side of P;
// - a line of width n also paints the n - 1 pixels next to each pixel towards the smaller
//   coordinate across the major axis: y - 1 ... for a mostly horizontal line,
//   x - 1 ... for a mostly vertical one;
// - a polyline is its lines one after another, each without its end point (so the last
//   point of the polyline is not painted either).
// Lines are clipped to the image before stepping, so far-away coordinates cost nothing;
// the visible pixels are those of the unclipped line. Coordinates beyond +-2^29 are
// clamped to that range first (a line that long has no pixels to keep exact).
namespace plots {

void drawLine(QImage &image, QPoint from, QPoint to, const QColor &colour, int width = 1);

void drawPolyline(QImage &image, const QPoint *points, int count, const QColor &colour,
                  int width = 1);

// The canvas erased the way a white-filled rectangle with a one-pixel black pen from
// (0, 0) to (W, H), right and bottom edges exclusive, erases it: a black frame along the
// four borders and white inside.
void clearWithFrame(QImage &image);

} // namespace plots
