#include "plots/state_strokes.h"

#include <QPainter>

namespace plots {

QPen statePen(int state, const QColor &colour, double width)
{
    QPen pen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (state == 1)
        pen.setDashPattern(kPreferredDashes);
    return pen;
}

void fillState(QPainter &painter, const QRectF &area, int state, const QColor &colour,
               double spacing)
{
    if (state != 1) {
        painter.fillRect(area, colour);
        return;
    }
    painter.save();
    painter.fillRect(area, Qt::white);
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setPen(QPen(colour, spacing / 3.5, Qt::SolidLine, Qt::FlatCap));
    // Lines rising to the right, one `spacing` apart along the bottom edge.
    for (double x = area.left() - area.height(); x < area.right(); x += spacing)
        painter.drawLine(QPointF(x, area.bottom()), QPointF(x + area.height(), area.top()));
    painter.restore();
}

void drawStateSwatch(QPainter &painter, const QRectF &box, int state, const QColor &colour)
{
    painter.save();
    fillState(painter, box, state, colour, box.height() / 3);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(statePen(state, state == 1 ? colour : Qt::black, box.height() / 8));
    painter.drawRect(box);
    painter.restore();
}

} // namespace plots
