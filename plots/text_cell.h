#pragma once

#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QString>

// Text the way a canvas with a solid white brush writes it: on an opaque white cell as
// wide as the text's advance and as high as the font's line, with the cell's top-left
// corner at the given point. Glyphs are not antialiased, so every pixel is either the
// cell's white or the pen's colour.
namespace plots {

// "Times New Roman" (or the metric-compatible serif the system substitutes) at a pixel
// height, without antialiasing.
QFont plotFont(int pixelSize, bool bold);

// Uses the painter's font and pen colour.
void drawTextCell(QPainter &painter, QPoint topLeft, const QString &text);

} // namespace plots
