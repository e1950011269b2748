// A small picture from the input through the GIF writer and back through giflib: the input
// gives the size (up to 64 x 64), the pixel format, a palette of up to 300 colours and the
// pixels as indices into it (cycling through the palette where the input ends, so that short
// inputs have many colours too). The file must have the fixed GIF87a form; a picture of at
// most 256 colours comes back exactly, a larger one in its most frequent colours, every
// pixel in the nearest of them.
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "gif/gif_writer.h"

#include <QImage>
#include <algorithm>
#include <climits>
#include <cstring>
#include <gif_lib.h>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kMaxSide = 64;
constexpr int kMaxColours = 300;
constexpr int kTableSize = 256;
constexpr QRgb kFiller = 0x808080;

const QImage::Format kFormats[] = {QImage::Format_RGB32, QImage::Format_ARGB32,
                                   QImage::Format_RGB888};

QImage pictureFrom(FuzzInput &in)
{
    const int width = in.byte() % (kMaxSide + 1);
    const int height = in.byte() % (kMaxSide + 1);
    const QImage::Format format = kFormats[in.byte() % std::size(kFormats)];
    const int colours = in.word() % kMaxColours + 1;
    std::vector<QRgb> palette;
    for (int i = 0; i < colours; ++i) {
        const int r = in.byte(), g = in.byte(), b = in.byte();
        // Where the input has ended, colours of their own: (0, 0, 0) would repeat.
        palette.push_back(in.remaining() ? qRgba(r, g, b, in.byte())
                                         : qRgb(i * 37 & 0xFF, i * 11 & 0xFF, i / 3));
    }
    QImage image(width, height, format);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int cycle = (y * width + x) % colours;
            const int index = !in.remaining() ? cycle
                              : colours > 256 ? in.word() % colours
                                              : in.byte() % colours;
            image.setPixel(x, y, palette[std::size_t(index)]);
        }
    }
    return image;
}

// The colours the writer sees: alpha is ignored, other formats become 32-bit RGB.
std::vector<QRgb> pixelsOf(const QImage &image)
{
    const QImage rgb = image.format() == QImage::Format_ARGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    std::vector<QRgb> pixels;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            pixels.push_back(line[x] & 0xFFFFFF);
    }
    return pixels;
}

// Most frequent first, equal counts by the smaller RGB value; at most 256 entries.
std::vector<QRgb> expectedPalette(const std::vector<QRgb> &pixels, std::size_t *distinct)
{
    std::unordered_map<QRgb, int> counts;
    for (const QRgb pixel : pixels)
        ++counts[pixel];
    std::vector<std::pair<int, QRgb>> order;
    for (const auto &[colour, count] : counts)
        order.emplace_back(-count, colour);
    std::sort(order.begin(), order.end());
    *distinct = order.size();
    std::vector<QRgb> palette;
    for (std::size_t i = 0; i < order.size() && i < std::size_t(kTableSize); ++i)
        palette.push_back(order[i].second);
    return palette;
}

int squaredDistance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

// The first of the nearest entries.
std::size_t nearest(QRgb colour, const std::vector<QRgb> &palette)
{
    std::size_t best = 0;
    int bestDistance = INT_MAX;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int distance = squaredDistance(colour, palette[i]);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

int readFromMemory(GifFileType *gif, GifByteType *to, int length)
{
    auto *rest = static_cast<QByteArray *>(gif->UserData);
    const int n = int(std::min<qsizetype>(length, rest->size()));
    std::memcpy(to, rest->constData(), std::size_t(n));
    rest->remove(0, n);
    return n;
}

int at(const QByteArray &bytes, int i)
{
    return quint8(bytes.at(i));
}

int word(const QByteArray &bytes, int i)
{
    return at(bytes, i) | at(bytes, i + 1) << 8;
}

// The fixed layout: header, screen, table, then at once the image descriptor.
void checkLayout(const QByteArray &gif, int width, int height)
{
    constexpr int descriptor = 13 + 3 * kTableSize;
    FUZZ_CHECK(gif.size() > descriptor + 12);
    FUZZ_CHECK(gif.startsWith("GIF87a"));
    FUZZ_CHECK(word(gif, 6) == width && word(gif, 8) == height);
    FUZZ_CHECK(at(gif, 10) == 0xF7 && at(gif, 11) == 0 && at(gif, 12) == 0);
    FUZZ_CHECK(at(gif, descriptor) == 0x2C);
    FUZZ_CHECK(word(gif, descriptor + 1) == 0 && word(gif, descriptor + 3) == 0);
    FUZZ_CHECK(word(gif, descriptor + 5) == width && word(gif, descriptor + 7) == height);
    FUZZ_CHECK(at(gif, descriptor + 9) == 0);  // no local table, not interlaced
    FUZZ_CHECK(at(gif, descriptor + 10) == 8); // LZW minimum code size
    FUZZ_CHECK(gif.endsWith(QByteArray("\0\x3b", 2)));
}

void checkDecoded(QByteArray gif, const std::vector<QRgb> &pixels, int width, int height)
{
    int error = 0;
    GifFileType *file = DGifOpen(&gif, readFromMemory, &error);
    FUZZ_CHECK(file);
    FUZZ_CHECK(DGifSlurp(file) == GIF_OK);
    FUZZ_CHECK(file->ImageCount == 1 && file->ExtensionBlockCount == 0);
    FUZZ_CHECK(file->SColorMap && file->SColorMap->ColorCount == kTableSize);
    const SavedImage &image = file->SavedImages[0];
    FUZZ_CHECK(image.ExtensionBlockCount == 0 && !image.ImageDesc.ColorMap);
    FUZZ_CHECK(!image.ImageDesc.Interlace);
    FUZZ_CHECK(image.ImageDesc.Width == width && image.ImageDesc.Height == height);

    std::size_t distinct = 0;
    const std::vector<QRgb> palette = expectedPalette(pixels, &distinct);
    for (int i = 0; i < kTableSize; ++i) {
        const GifColorType c = file->SColorMap->Colors[i];
        const QRgb entry = qRgb(c.Red, c.Green, c.Blue) & 0xFFFFFF;
        FUZZ_CHECK(entry == (std::size_t(i) < palette.size() ? palette[std::size_t(i)] : kFiller));
    }
    std::unordered_map<QRgb, std::size_t> indexOf;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        auto known = indexOf.find(pixels[i]);
        if (known == indexOf.end())
            known = indexOf.emplace(pixels[i], nearest(pixels[i], palette)).first;
        FUZZ_CHECK(image.RasterBits[i] == known->second);
        if (distinct <= std::size_t(kTableSize))
            FUZZ_CHECK(palette[known->second] == pixels[i]);
    }
    FUZZ_CHECK(DGifCloseFile(file, &error) == GIF_OK);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const QImage image = pictureFrom(in);
    const QByteArray gif = gifio::encodeGif87a(image);
    if (image.width() == 0 || image.height() == 0) {
        FUZZ_CHECK(gif.isEmpty());
        return 0;
    }
    checkLayout(gif, image.width(), image.height());
    checkDecoded(gif, pixelsOf(image), image.width(), image.height());
    return 0;
}
