#pragma once

#include <QImage>
#include <QRect>

class QWidget;

namespace shell {

// What the screen shows in `rect` (screen coordinates) as an RGB32 image of exactly rect's size,
// one pixel per design pixel: Qt's screen grab, brought back to design pixels on a scaled screen;
// where the platform cannot read the screen (Wayland, offscreen) `window` rendered for the
// rectangle. Null for an empty rectangle.
QImage captureScreenRectPortable(const QRect &rect, QWidget *window);

// Qt's grab of the screen under `rect` in design pixels; parts beyond the grabbed screen black.
// Null when the platform cannot read the screen.
QImage grabScreenRect(const QRect &rect);

// `window` drawn for `rect` (screen coordinates) at design size; parts beyond the window, and the
// whole picture for a null window, black. Null for an empty rectangle.
QImage renderWindowRect(const QRect &rect, QWidget *window);

} // namespace shell
