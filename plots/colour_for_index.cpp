#include "plots/colour_for_index.h"

namespace plots {

QColor ColorForIndex(int index)
{
    switch (index) {
    case 1:
        return QColor(255, 0, 0);
    case 2:
        return QColor(0, 255, 0);
    case 3:
        return QColor(0, 0, 255);
    case 4:
        return QColor(255, 255, 0);
    default:
        return QColor(0, 0, 0);
    }
}

} // namespace plots
