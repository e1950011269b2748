#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QVector>

namespace gifio {

// A picture in at most 256 colours.
struct IndexedImage {
    int width = 0, height = 0;
    QVector<QRgb> palette; // used entries only, most frequent first (size 1..256)
    QByteArray indices;    // width*height palette indices, row by row
};

// Frequency palette without dithering: the up to 256 most frequent colours of the picture
// become the palette, most frequent first (equal counts: the smaller RGB value first); every
// pixel takes the nearest palette entry by squared RGB distance, the first of equally near
// entries. A picture of at most 256 colours is therefore kept exactly. Alpha is ignored. An
// empty picture gives an empty result (no palette).
IndexedImage reduceColours(const QImage &image);

} // namespace gifio
