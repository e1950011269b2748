#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

// The information line above the plot: a borderless, centred single-line field. Its text is
// drawn whole: at the designed 13 pixels where it fits, else at the largest size down to 9
// pixels that holds all of it; only a line too long even then is cut, showing its start. The
// window's field and the pictures drawn without a screen take the size and place from here,
// so that both show the same pixels.
namespace plots {

constexpr int kInfoFieldWidth = 672;
constexpr int kInfoFieldHeight = 21;
constexpr int kInfoDesignPixelSize = 13;
constexpr int kInfoSmallestPixelSize = 9;

// The sans-serif face of the field at a pixel height, without smoothing.
QFont informationFont(int pixelSize);

// The font `info` is drawn with in a field `fieldWidth` wide.
QFont fittedInformationFont(const QString &info, int fieldWidth = kInfoFieldWidth);

// Draws `info` in `field` as the window's field shows it with fittedInformationFont: centred
// when it fits, else from its start; clipped to the field. Uses the painter's pen.
void drawInformationLine(QPainter &painter, const QRect &field, const QString &info);

} // namespace plots
