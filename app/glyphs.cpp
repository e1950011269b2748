#include "glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace glyphs {
namespace {

QIcon paint(int size, const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(size / 16.0, size / 16.0);
    draw(painter);
    return QIcon(pixmap);
}

void bars(QPainter &p, const QColor &colour)
{
    p.setPen(Qt::black);
    p.drawLine(1, 8, 14, 8);
    p.fillRect(2, 3, 2, 5, colour);
    p.fillRect(5, 9, 2, 5, colour);
    p.fillRect(8, 5, 2, 3, colour);
    p.fillRect(11, 9, 2, 3, colour);
}

} // namespace

QIcon data()
{
    return paint(16, [](QPainter &p) {
        p.setPen(QColor(128, 96, 0));
        p.setBrush(QColor(255, 208, 64));
        p.drawRect(1, 4, 13, 9);
        p.drawRect(1, 2, 5, 2);
    });
}

QIcon group()
{
    return paint(16, [](QPainter &p) {
        p.setPen(Qt::black);
        const QColor colours[] = {QColor(0, 128, 0), QColor(0, 0, 192), QColor(192, 0, 0)};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(colours[i]);
            p.drawEllipse(1 + 5 * i, 3, 3, 3);
            p.drawRect(1 + 5 * i, 8, 3, 6);
        }
    });
}

QIcon plotA()
{
    return paint(16, [](QPainter &p) {
        p.setPen(Qt::gray);
        p.drawLine(0, 8, 15, 8);
        p.drawLine(8, 0, 8, 15);
        p.setPen(QPen(Qt::red, 1));
        const QPoint kite[] = {{3, 3}, {12, 4}, {11, 12}, {5, 11}, {3, 3}};
        p.drawPolyline(kite, 5);
        p.setPen(QPen(Qt::blue, 1));
        const QPoint other[] = {{5, 5}, {10, 6}, {10, 10}, {6, 10}, {5, 5}};
        p.drawPolyline(other, 5);
    });
}

QIcon plotB()
{
    return paint(16, [](QPainter &p) {
        p.setPen(Qt::black);
        p.drawLine(1, 14, 14, 14);
        p.fillRect(2, 6, 2, 8, Qt::red);
        p.fillRect(4, 9, 2, 5, Qt::blue);
        p.fillRect(8, 3, 2, 11, Qt::red);
        p.fillRect(10, 7, 2, 7, Qt::blue);
    });
}

QIcon plotC()
{
    return paint(16, [](QPainter &p) { bars(p, QColor(0, 128, 128)); });
}

QIcon save()
{
    return paint(16, [](QPainter &p) {
        p.setPen(Qt::black);
        p.setBrush(QColor(64, 64, 160));
        p.drawRect(1, 1, 13, 13);
        p.fillRect(4, 2, 7, 5, Qt::white);
        p.fillRect(4, 10, 7, 4, QColor(192, 192, 192));
    });
}

QIcon saveData()
{
    return paint(16, [](QPainter &p) {
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(2, 1, 11, 13);
        for (int y = 4; y <= 11; y += 2)
            p.drawLine(4, y, 11, y);
    });
}

QIcon clear()
{
    return paint(16, [](QPainter &p) {
        p.setPen(QPen(QColor(192, 0, 0), 2));
        p.drawLine(3, 3, 12, 12);
        p.drawLine(12, 3, 3, 12);
    });
}

QIcon tableImage()
{
    return paint(16, [](QPainter &p) {
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(1, 2, 13, 11);
        p.fillRect(2, 3, 12, 2, QColor(0, 0, 128));
        p.drawLine(1, 8, 14, 8);
        p.drawLine(6, 2, 6, 13);
    });
}

QIcon barsImage()
{
    return paint(16, [](QPainter &p) { bars(p, Qt::red); });
}

QIcon appIcon(int size)
{
    return paint(size, [](QPainter &p) {
        p.fillRect(0, 0, 16, 16, Qt::white);
        p.setPen(Qt::black);
        p.drawRect(0, 0, 15, 15);
        p.drawLine(0, 8, 15, 8);
        p.drawLine(8, 0, 8, 15);
        p.setPen(Qt::red);
        const QPoint kite[] = {{3, 3}, {13, 3}, {12, 12}, {4, 11}, {3, 3}};
        p.drawPolyline(kite, 5);
    });
}

} // namespace glyphs
