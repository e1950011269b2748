#pragma once

#include "cli_args.h"
#include "window_load.h"

#include <QByteArray>
#include <QImage>

// The pictures the window saves after a load, drawn without a screen.
namespace cli {

// Colour chooser indexes (see plots::ColorForIndex); the window starts with red and blue.
struct PlotColours {
    int current = 1;
    int preferred = 3;
};

// The Plot A canvas, 686 x 672, drawn from the score fields.
QImage plotACanvas(const WindowProfile &profile, const PlotColours &colours);

// What "Save" writes with Plot A on show: the information strip over the canvas, 686 x 698.
QImage savedPlotA(const WindowProfile &profile, const PlotColours &colours);

// What "Save" writes with Plot B on show: the strip over the six question charts, 686 x 543.
QImage savedPlotB(const WindowProfile &profile, const PlotColours &colours);

// The "Plot C" command's chart after the load: the whole profile's differences of the
// two-decimal scores in the current colour, 334 x 353.
QImage plotCChart(const WindowProfile &profile, int currentColour, bool marks);

// The picture as the file bytes of `format`; empty if it cannot be encoded.
QByteArray encodePicture(const QImage &picture, PictureFormat format);

} // namespace cli
