#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>

// Where a plot's strokes go. The window's pictures need every pixel known in advance, so
// their lines go through our own rasteriser; a printed report needs the same drawing as
// vector lines that stay sharp at any size. Texts go through the painter in both.
namespace plots {

class PlotSurface {
public:
    virtual ~PlotSurface() = default;

    virtual QPainter &painter() = 0;
    // A line of `width` pixels from `from` towards `to`.
    virtual void line(QPoint from, QPoint to, const QColor &colour, int width) = 0;
    virtual void polyline(const QPoint *points, int count, const QColor &colour, int width);
    // The same dashed where the surface can (a page); the window's pixels draw it solid.
    virtual void dashedPolyline(const QPoint *points, int count, const QColor &colour, int width)
    {
        polyline(points, count, colour, width);
    }
};

// Pixels of an image, exactly as drawLine and drawPolyline set them; text unantialiased.
class RasterSurface : public PlotSurface {
public:
    explicit RasterSurface(QImage &image);

    QPainter &painter() override { return m_painter; }
    void line(QPoint from, QPoint to, const QColor &colour, int width) override;
    void polyline(const QPoint *points, int count, const QColor &colour, int width) override;

private:
    QImage &m_image;
    QPainter m_painter;
};

// Lines as vector strokes of a painter (a PDF page, scaled to the picture's place).
class VectorSurface : public PlotSurface {
public:
    explicit VectorSurface(QPainter &painter) : m_painter(painter) {}

    QPainter &painter() override { return m_painter; }
    void line(QPoint from, QPoint to, const QColor &colour, int width) override;
    void polyline(const QPoint *points, int count, const QColor &colour, int width) override;
    void dashedPolyline(const QPoint *points, int count, const QColor &colour, int width) override;

private:
    QPainter &m_painter;
};

} // namespace plots
