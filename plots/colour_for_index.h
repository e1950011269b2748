#pragma once

#include <QColor>

namespace plots {

// The colour of a colour chooser's item: 0 "Black", 1 "Red", 2 "Green", 3 "Blue",
// 4 "Yellow". Any other index, -1 for "nothing selected" included, is black.
QColor ColorForIndex(int index);

} // namespace plots
