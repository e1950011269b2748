#include "plots/information_line.h"

#include <QFontMetrics>
#include <QPainter>

namespace plots {

namespace {

// An edit field keeps 2 pixels clear on either side of its text.
constexpr int kEditMargin = 2;

// The width an edit field takes for `info`: its advance and one pixel for the cursor.
int usedWidth(const QFontMetrics &metrics, const QString &info)
{
    return metrics.horizontalAdvance(info) + 1;
}

} // namespace

QFont informationFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    // Without smoothing, small sizes stay legible only with the glyphs fitted to the pixel
    // grid; asked for here, so that every platform and desktop setting draws the same pixels.
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setPixelSize(pixelSize);
    return font;
}

QFont fittedInformationFont(const QString &info, int fieldWidth)
{
    const int room = fieldWidth - 2 * kEditMargin;
    for (int size = kInfoDesignPixelSize; size > kInfoSmallestPixelSize; --size) {
        const QFont font = informationFont(size);
        if (usedWidth(QFontMetrics(font), info) <= room)
            return font;
    }
    return informationFont(kInfoSmallestPixelSize);
}

void drawInformationLine(QPainter &painter, const QRect &field, const QString &info)
{
    const QFont font = fittedInformationFont(info, field.width());
    const QFontMetrics metrics(font);
    // The edit field's own placement: the line box is the taller of the font's line and the
    // text's glyphs, centred with the odd pixel below; centred across when it fits.
    const int lineHeight = qMax(metrics.boundingRect(info).height(), metrics.height());
    const int top = field.y() + (field.height() - lineHeight + 1) / 2;
    const int room = field.width() - 2 * kEditMargin;
    const int used = usedWidth(metrics, info);
    const int scroll = used <= room ? (used - room) / 2 : 0;

    painter.save();
    painter.setFont(font);
    painter.setClipRect(field);
    painter.drawText(QPoint(field.x() + kEditMargin - scroll, top + metrics.ascent()), info);
    painter.restore();
}

} // namespace plots
