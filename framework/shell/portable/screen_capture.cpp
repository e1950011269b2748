#include "screen_capture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace shell {

namespace {

QImage blackCanvas(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    if (!image.isNull())
        image.fill(Qt::black);
    return image;
}

} // namespace

QImage grabScreenRect(const QRect &rect)
{
    if (rect.isEmpty())
        return QImage();
    QScreen *screen = QGuiApplication::screenAt(rect.topLeft());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QImage();
    const QPoint offset = rect.topLeft() - screen->geometry().topLeft();
    const QPixmap shot = screen->grabWindow(0, offset.x(), offset.y(), rect.width(), rect.height());
    if (shot.isNull() || shot.width() <= 0 || shot.height() <= 0)
        return QImage();

    // Painting the grab at its device pixel ratio onto a canvas of ratio 1 brings a scaled
    // screen back to design pixels; without smoothing every design pixel keeps its colour.
    QImage image = blackCanvas(rect.size());
    if (image.isNull())
        return image;
    QPainter painter(&image);
    painter.drawPixmap(QPoint(0, 0), shot);
    return image;
}

QImage renderWindowRect(const QRect &rect, QWidget *window)
{
    if (rect.isEmpty())
        return QImage();
    QImage image = blackCanvas(rect.size());
    if (image.isNull() || !window)
        return image;
    const QRect wanted(window->mapFromGlobal(rect.topLeft()), rect.size());
    const QRect shown = wanted & window->rect();
    if (!shown.isEmpty())
        window->render(&image, shown.topLeft() - wanted.topLeft(), QRegion(shown));
    return image;
}

QImage captureScreenRectPortable(const QRect &rect, QWidget *window)
{
    const QImage shot = grabScreenRect(rect);
    return shot.isNull() ? renderWindowRect(rect, window) : shot;
}

} // namespace shell
