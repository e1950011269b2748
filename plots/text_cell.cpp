#include "plots/text_cell.h"

#include <QFontMetrics>

namespace plots {

QFont plotFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif, QFont::NoAntialias);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setKerning(false);
    return font;
}

void drawTextCell(QPainter &painter, QPoint topLeft, const QString &text)
{
    const QFontMetrics metrics = painter.fontMetrics();
    painter.fillRect(QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height())),
                     Qt::white);
    painter.drawText(QPoint(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

} // namespace plots
