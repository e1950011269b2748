#include "plots/raster.h"

#include <algorithm>

namespace plots {

namespace {

constexpr qint64 kCoordinateLimit = qint64(1) << 29;
constexpr int kMaxWidth = 64;

qint64 clampCoordinate(int value)
{
    return std::clamp(qint64(value), -kCoordinateLimit, kCoordinateLimit);
}

// Writes opaque pixels; 32-bit formats directly, anything else through QImage.
class PixelWriter {
public:
    PixelWriter(QImage &image, const QColor &colour)
        : m_image(image), m_colour(colour), m_width(image.width()), m_height(image.height())
    {
        const QImage::Format format = image.format();
        m_direct = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                   format == QImage::Format_ARGB32_Premultiplied;
        if (m_direct) {
            m_bits = image.bits();
            m_stride = image.bytesPerLine();
        }
        m_rgb = 0xff000000u | (colour.rgb() & 0x00ffffffu);
    }

    int width() const { return m_width; }
    int height() const { return m_height; }

    void put(qint64 x, qint64 y)
    {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            return;
        if (m_direct)
            reinterpret_cast<QRgb *>(m_bits + y * m_stride)[x] = m_rgb;
        else
            m_image.setPixelColor(int(x), int(y), m_colour);
    }

private:
    QImage &m_image;
    QColor m_colour;
    int m_width;
    int m_height;
    bool m_direct = false;
    uchar *m_bits = nullptr;
    qsizetype m_stride = 0;
    QRgb m_rgb = 0;
};

} // namespace

void drawLine(QImage &image, QPoint from, QPoint to, const QColor &colour, int width)
{
    if (image.isNull())
        return;
    const qint64 x0 = clampCoordinate(from.x()), y0 = clampCoordinate(from.y());
    const qint64 x1 = clampCoordinate(to.x()), y1 = clampCoordinate(to.y());
    if (x0 == x1 && y0 == y1)
        return;
    const int rows = std::clamp(width, 1, kMaxWidth);
    PixelWriter out(image, colour);

    // Work along the major axis; "minor" is the other one.
    const bool xMajor = std::abs(x1 - x0) >= std::abs(y1 - y0);
    const qint64 major0 = xMajor ? x0 : y0, major1 = xMajor ? x1 : y1;
    const qint64 minor0 = xMajor ? y0 : x0, minor1 = xMajor ? y1 : x1;
    const qint64 majorSize = xMajor ? out.width() : out.height();
    const qint64 minorSize = xMajor ? out.height() : out.width();
    const qint64 length = std::abs(major1 - major0); // pixels painted: P up to before Q
    const qint64 run = std::abs(minor1 - minor0);
    const qint64 majorStep = major1 > major0 ? 1 : -1;
    const qint64 minorStep = minor1 >= minor0 ? 1 : -1;

    // Nothing across the major axis can become visible.
    if (std::max(minor0, minor1) < 0 || std::min(minor0, minor1) - (rows - 1) >= minorSize)
        return;
    // Steps k in [0, length) whose major coordinate lies inside the image.
    qint64 first = 0, last = length - 1;
    if (majorStep > 0) {
        first = std::max(first, -major0);
        last = std::min(last, majorSize - 1 - major0);
    } else {
        first = std::max(first, major0 - (majorSize - 1));
        last = std::min(last, major0);
    }
    if (first > last)
        return;

    // Minor offset at step k: floor((2·k·run + length − 1) / (2·length)), the nearest
    // integer to k·run/length with ties towards P; kept as quotient and remainder.
    const qint64 denominator = 2 * length;
    const qint64 numerator = 2 * first * run + length - 1;
    qint64 offset = numerator / denominator;
    qint64 remainder = numerator % denominator;
    for (qint64 k = first; k <= last; ++k) {
        const qint64 major = major0 + majorStep * k;
        const qint64 minor = minor0 + minorStep * offset;
        for (int row = 0; row < rows; ++row) {
            if (xMajor)
                out.put(major, minor - row);
            else
                out.put(minor - row, major);
        }
        remainder += 2 * run;
        if (remainder >= denominator) {
            remainder -= denominator;
            ++offset;
        }
    }
}

void drawPolyline(QImage &image, const QPoint *points, int count, const QColor &colour, int width)
{
    for (int i = 0; i + 1 < count; ++i)
        drawLine(image, points[i], points[i + 1], colour, width);
}

void clearWithFrame(QImage &image)
{
    if (image.isNull())
        return;
    image.fill(Qt::white);
    const int w = image.width(), h = image.height();
    PixelWriter out(image, Qt::black);
    for (int x = 0; x < w; ++x) {
        out.put(x, 0);
        out.put(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        out.put(0, y);
        out.put(w - 1, y);
    }
}

} // namespace plots
