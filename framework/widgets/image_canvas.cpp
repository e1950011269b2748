#include "image_canvas.h"

#include <QPainter>

namespace ui {

ImageCanvas::ImageCanvas(QWidget *parent) : QWidget(parent) {}

QImage &ImageCanvas::canvas()
{
    if (m_canvas.isNull()) {
        m_canvas = QImage(size(), QImage::Format_RGB32);
        m_canvas.fill(Qt::white);
    }
    return m_canvas;
}

void ImageCanvas::paintEvent(QPaintEvent *)
{
    if (m_canvas.isNull())
        return; // blank: the window's background shows through
    QPainter painter(this);
    painter.drawImage(0, 0, m_canvas);
}

} // namespace ui
