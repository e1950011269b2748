#include "survey_icon.h"

#include <QPainter>
#include <QPixmap>

namespace surveyicon {

QIcon icon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.scale(size / 16.0, size / 16.0);
    p.fillRect(1, 0, 14, 16, Qt::white);
    p.setPen(Qt::black);
    p.drawRect(1, 0, 13, 15);
    for (const int y : {3, 7, 11}) {
        p.drawRect(3, y, 2, 2);
        p.drawLine(7, y + 1, 12, y + 1);
    }
    p.fillRect(3, 3, 3, 3, Qt::red);
    p.fillRect(3, 7, 3, 3, Qt::red);
    return QIcon(pixmap);
}

} // namespace surveyicon
