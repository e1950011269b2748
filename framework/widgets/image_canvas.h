#pragma once

#include <QImage>
#include <QWidget>

namespace ui {

// An image control with a drawing canvas: the canvas is made on first use with the
// control's size and kept; the control only shows it.
class ImageCanvas : public QWidget {
    Q_OBJECT
public:
    explicit ImageCanvas(QWidget *parent = nullptr);

    bool hasCanvas() const { return !m_canvas.isNull(); }
    // The canvas, created white with the control's size the first time it is asked for.
    QImage &canvas();
    const QImage &image() const { return m_canvas; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_canvas;
};

} // namespace ui
