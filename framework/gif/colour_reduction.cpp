#include "colour_reduction.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace gifio {

namespace {

constexpr int kMaxPaletteSize = 256;
constexpr quint32 kRgbMask = 0x00FFFFFFu;
constexpr quint32 kNoColour = 0xFFFFFFFFu; // never a masked colour

// The distinct colours of a picture with one number each: first their pixel count, later their
// palette index. Open addressing, at most half full.
class ColourTable {
public:
    ColourTable() { resize(1024); }

    quint32 &valueOf(quint32 colour)
    {
        for (std::size_t i = slotOf(colour);; i = (i + 1) & m_mask) {
            if (m_keys[i] == colour)
                return m_values[i];
            if (m_keys[i] == kNoColour) {
                if ((m_size + 1) * 2 > m_keys.size()) {
                    resize(m_keys.size() * 2);
                    return valueOf(colour);
                }
                ++m_size;
                m_keys[i] = colour;
                m_values[i] = 0;
                return m_values[i];
            }
        }
    }

    std::size_t size() const { return m_size; }

    template <typename Visit> void forEach(Visit visit)
    {
        for (std::size_t i = 0; i < m_keys.size(); ++i) {
            if (m_keys[i] != kNoColour)
                visit(m_keys[i], m_values[i]);
        }
    }

private:
    std::size_t slotOf(quint32 colour) const
    {
        return std::size_t((colour * 0x9E3779B1u) >> m_shift) & m_mask;
    }

    void resize(std::size_t capacity)
    {
        std::vector<quint32> keys(capacity, kNoColour);
        std::vector<quint32> values(capacity, 0);
        std::swap(keys, m_keys);
        std::swap(values, m_values);
        m_mask = capacity - 1;
        m_shift = 32;
        for (std::size_t c = capacity; c > 1; c >>= 1)
            --m_shift;
        m_size = 0;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] != kNoColour)
                valueOf(keys[i]) = values[i];
        }
    }

    std::vector<quint32> m_keys;
    std::vector<quint32> m_values;
    std::size_t m_mask = 0;
    int m_shift = 32;
    std::size_t m_size = 0;
};

QImage asRgb32(const QImage &image)
{
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

// Calls visit(colour, runLength) for every run of equal colours, row after row: plots are
// mostly long runs of one colour, so the table is asked once per run rather than per pixel.
template <typename Visit> void forEachRun(const QImage &image, Visit visit)
{
    quint32 run = kNoColour;
    quint32 length = 0;
    const int width = image.width(), height = image.height();
    for (int y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const quint32 *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const quint32 colour = line[x] & kRgbMask;
            if (colour == run) {
                ++length;
                continue;
            }
            if (length)
                visit(run, length);
            run = colour;
            length = 1;
        }
    }
    if (length)
        visit(run, length);
}

int squaredDistance(quint32 a, quint32 b)
{
    const int dr = int((a >> 16) & 0xFF) - int((b >> 16) & 0xFF);
    const int dg = int((a >> 8) & 0xFF) - int((b >> 8) & 0xFF);
    const int db = int(a & 0xFF) - int(b & 0xFF);
    return dr * dr + dg * dg + db * db;
}

// The first of the nearest palette entries.
quint32 nearestIndex(quint32 colour, const std::vector<quint32> &palette)
{
    int best = std::numeric_limits<int>::max();
    quint32 bestIndex = 0;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int distance = squaredDistance(colour, palette[i]);
        if (distance < best) {
            best = distance;
            bestIndex = quint32(i);
        }
    }
    return bestIndex;
}

} // namespace

IndexedImage reduceColours(const QImage &source)
{
    IndexedImage result;
    if (source.isNull() || source.width() <= 0 || source.height() <= 0)
        return result;
    const QImage image = asRgb32(source);
    if (image.isNull())
        return result;

    ColourTable table;
    forEachRun(image, [&](quint32 colour, quint32 length) { table.valueOf(colour) += length; });

    // Most frequent first; equal counts by colour value, so that the palette never depends on
    // the table's slot order.
    std::vector<std::pair<quint32, quint32>> counts; // (count, colour)
    counts.reserve(table.size());
    table.forEach([&](quint32 colour, quint32 count) { counts.emplace_back(count, colour); });
    const std::size_t paletteSize = std::min<std::size_t>(counts.size(), kMaxPaletteSize);
    const auto moreFrequent = [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    };
    std::partial_sort(counts.begin(), counts.begin() + std::ptrdiff_t(paletteSize), counts.end(),
                      moreFrequent);

    std::vector<quint32> palette(paletteSize);
    for (std::size_t i = 0; i < paletteSize; ++i)
        palette[i] = counts[i].second;

    // Each distinct colour learns its index once: its own entry, or the nearest one.
    if (counts.size() <= paletteSize) {
        for (std::size_t i = 0; i < paletteSize; ++i)
            table.valueOf(palette[i]) = quint32(i);
    } else {
        table.forEach(
            [&](quint32 colour, quint32 &index) { index = nearestIndex(colour, palette); });
    }

    result.width = image.width();
    result.height = image.height();
    result.palette.reserve(int(paletteSize));
    for (quint32 colour : palette)
        result.palette.append(qRgb(qRed(colour), qGreen(colour), qBlue(colour)));
    result.indices.resize(qsizetype(result.width) * result.height);
    auto *out = reinterpret_cast<uchar *>(result.indices.data());
    forEachRun(image, [&](quint32 colour, quint32 length) {
        out = std::fill_n(out, length, uchar(table.valueOf(colour)));
    });
    return result;
}

} // namespace gifio
