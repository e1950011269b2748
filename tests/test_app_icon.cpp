// The installed icons show the about box's picture: the rendered PNGs pixel for pixel, and the
// hand-drawn SVG when its shapes are drawn the way the picture is drawn.
#include "glyphs.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QXmlStreamReader>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QImage appIconImage(int size)
{
    return glyphs::appIcon(size)
        .pixmap(size, size)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// SVG strokes run through pixel centres; the picture's aliased QPainter calls take the
// pixel's corner.
int pixel(const QXmlStreamAttributes &attributes, const char *name)
{
    return int(std::floor(attributes.value(QLatin1String(name)).toDouble()));
}

// Draws the few shapes the icon uses (filled rect, stroked rect, line, polygon) at 16 px.
QImage renderSvgAt16(const QString &path, QString *error)
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const auto name = xml.name();
        const QColor stroke(a.value(QLatin1String("stroke")).toString());
        const QColor fill(a.value(QLatin1String("fill")).toString());
        p.setPen(QPen(stroke, 1));
        if (name == QLatin1String("rect") && fill.isValid()) {
            p.fillRect(pixel(a, "x"), pixel(a, "y"), pixel(a, "width"), pixel(a, "height"), fill);
        } else if (name == QLatin1String("rect")) {
            p.drawRect(pixel(a, "x"), pixel(a, "y"), pixel(a, "width"), pixel(a, "height"));
        } else if (name == QLatin1String("line")) {
            p.drawLine(pixel(a, "x1"), pixel(a, "y1"), pixel(a, "x2"), pixel(a, "y2"));
        } else if (name == QLatin1String("polygon")) {
            QPolygon polygon;
            for (const auto &point : a.value(QLatin1String("points")).split(QLatin1Char(' '))) {
                const auto xy = point.split(QLatin1Char(','));
                polygon << QPoint(int(std::floor(xy.value(0).toDouble())),
                                  int(std::floor(xy.value(1).toDouble())));
            }
            polygon << polygon.value(0);
            p.drawPolyline(polygon);
        } else if (name != QLatin1String("svg") && name != QLatin1String("g")) {
            *error = QStringLiteral("unexpected element ") + name.toString();
            return {};
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return image;
}

} // namespace

TEST(AppIcon, ScalableIconIsTheAboutBoxPicture)
{
    QString error;
    const QImage svg = renderSvgAt16(QStringLiteral(OCAI_PACKAGING_DIR "/ocai-plot.svg"), &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(svg, appIconImage(16));
}

TEST(AppIcon, RenderedIconsAtEveryThemeSize)
{
    for (const int size : {OCAI_ICON_SIZES}) {
        SCOPED_TRACE(size);
        const QImage png(QStringLiteral(OCAI_ICON_DIR "/%1x%1/apps/ocai-plot.png").arg(size));
        ASSERT_EQ(png.size(), QSize(size, size));
        EXPECT_EQ(png.convertToFormat(QImage::Format_ARGB32_Premultiplied), appIconImage(size));
    }
}
