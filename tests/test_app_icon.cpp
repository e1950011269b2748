// The installed icons show the programs' pictures (ocai-plot's is the about box's): the
// rendered PNGs pixel for pixel, and the hand-drawn SVGs when their shapes are drawn the way
// the pictures are drawn.
#include "glyphs.h"
#include "survey_icon.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QXmlStreamReader>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct ProgramIcon {
    const char *name;
    QIcon (*icon)(int size);
};
const ProgramIcon kProgramIcons[] = {{"ocai-plot", glyphs::appIcon},
                                     {"ocai-survey", surveyicon::icon}};

QImage iconImage(const ProgramIcon &program, int size)
{
    return program.icon(size)
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

TEST(AppIcon, ScalableIconIsTheProgramsPicture)
{
    for (const ProgramIcon &program : kProgramIcons) {
        SCOPED_TRACE(program.name);
        QString error;
        const QImage svg = renderSvgAt16(
            QStringLiteral(OCAI_PACKAGING_DIR "/%1.svg").arg(QLatin1String(program.name)), &error);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_EQ(svg, iconImage(program, 16));
    }
}

TEST(AppIcon, RenderedIconsAtEveryThemeSize)
{
    for (const ProgramIcon &program : kProgramIcons) {
        for (const int size : {OCAI_ICON_SIZES}) {
            SCOPED_TRACE(
                QStringLiteral("%1 %2").arg(QLatin1String(program.name)).arg(size).toStdString());
            const QImage png(QStringLiteral(OCAI_ICON_DIR "/%1x%1/apps/%2.png")
                                 .arg(size)
                                 .arg(QLatin1String(program.name)));
            ASSERT_EQ(png.size(), QSize(size, size));
            EXPECT_EQ(png.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                      iconImage(program, size));
        }
    }
}
