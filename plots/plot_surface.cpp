#include "plots/plot_surface.h"

#include "plots/raster.h"
#include "plots/state_strokes.h"

#include <QPen>
#include <QPolygon>

namespace plots {

void PlotSurface::polyline(const QPoint *points, int count, const QColor &colour, int width)
{
    for (int i = 0; i + 1 < count; ++i)
        line(points[i], points[i + 1], colour, width);
}

RasterSurface::RasterSurface(QImage &image) : m_image(image), m_painter(&image)
{
    m_painter.setRenderHint(QPainter::TextAntialiasing, false);
}

// Lines go straight into the pixels, text through the painter; both share the image's
// memory, so the order of the calls is the order of the strokes.
void RasterSurface::line(QPoint from, QPoint to, const QColor &colour, int width)
{
    drawLine(m_image, from, to, colour, width);
}

void RasterSurface::polyline(const QPoint *points, int count, const QColor &colour, int width)
{
    drawPolyline(m_image, points, count, colour, width);
}

namespace {

QPen strokePen(const QColor &colour, int width)
{
    return QPen(colour, qMax(1, width), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

} // namespace

// The texts keep the pen they were given: a stroke leaves the painter as it found it.
void VectorSurface::line(QPoint from, QPoint to, const QColor &colour, int width)
{
    const QPen pen = m_painter.pen();
    m_painter.setPen(strokePen(colour, width));
    m_painter.drawLine(from, to);
    m_painter.setPen(pen);
}

void VectorSurface::polyline(const QPoint *points, int count, const QColor &colour, int width)
{
    const QPen pen = m_painter.pen();
    m_painter.setPen(strokePen(colour, width));
    m_painter.drawPolyline(points, count);
    m_painter.setPen(pen);
}

void VectorSurface::dashedPolyline(const QPoint *points, int count, const QColor &colour, int width)
{
    const QPen pen = m_painter.pen();
    m_painter.setPen(statePen(1, colour, qMax(1, width)));
    m_painter.drawPolyline(points, count);
    m_painter.setPen(pen);
}

} // namespace plots
