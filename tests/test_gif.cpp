#include "gif/colour_reduction.h"
#include "gif/gif_writer.h"
#include "result_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <csignal>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif
#include <vector>

namespace {

// A picture of `colours.size()` colours where colour i covers counts[i] pixels, in a scrambled
// but fixed order; a last row left short is filled up from the first pixels.
QImage pictureOf(const std::vector<QRgb> &colours, const std::vector<int> &counts, int width,
                 QImage::Format format = QImage::Format_RGB32)
{
    std::vector<QRgb> pixels;
    for (std::size_t i = 0; i < colours.size(); ++i)
        pixels.insert(pixels.end(), std::size_t(counts[i]), colours[i]);
    quint32 seed = 12345;
    for (std::size_t i = pixels.size(); i > 1; --i) {
        seed = seed * 1103515245u + 12345u;
        std::swap(pixels[i - 1], pixels[(seed >> 8) % i]);
    }
    const int height = int((pixels.size() + std::size_t(width) - 1) / std::size_t(width));
    QImage image(width, height, format);
    for (std::size_t i = 0; i < std::size_t(width) * std::size_t(height); ++i)
        image.setPixel(int(i) % width, int(i) / width, pixels[i % pixels.size()]);
    return image;
}

// `n` distinct colours (n <= 65536).
std::vector<QRgb> distinctColours(int n)
{
    std::vector<QRgb> colours;
    for (int i = 0; i < n; ++i)
        colours.push_back(qRgb((i * 37) & 0xFF, (i * 11 + i / 256 * 5) & 0xFF, (i * 101) & 0xFF));
    return colours;
}

// What giflib reads back from a file: the global table and the first image.
struct DecodedGif {
    bool ok = false;
    int imageCount = 0, extensionBlocks = 0, colourResolution = 0;
    bool interlaced = true, localTable = true;
    std::vector<QRgb> table;
    QImage pixels;
};

DecodedGif decode(GifFileType *gif)
{
    DecodedGif out;
    if (gif && DGifSlurp(gif) == GIF_OK && gif->SColorMap && gif->ImageCount >= 1) {
        const SavedImage &image = gif->SavedImages[0];
        out = {true,
               gif->ImageCount,
               gif->ExtensionBlockCount + image.ExtensionBlockCount,
               gif->SColorResolution,
               image.ImageDesc.Interlace,
               image.ImageDesc.ColorMap != nullptr,
               {},
               QImage(image.ImageDesc.Width, image.ImageDesc.Height, QImage::Format_RGB32)};
        for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
            const GifColorType c = gif->SColorMap->Colors[i];
            out.table.push_back(qRgb(c.Red, c.Green, c.Blue));
        }
        for (int i = 0; i < image.ImageDesc.Width * image.ImageDesc.Height; ++i)
            out.pixels.setPixel(i % image.ImageDesc.Width, i / image.ImageDesc.Width,
                                out.table[image.RasterBits[i]]);
    }
    int error = 0;
    if (gif)
        DGifCloseFile(gif, &error);
    return out;
}

int readFromMemory(GifFileType *gif, GifByteType *to, int length)
{
    auto *rest = static_cast<QByteArray *>(gif->UserData);
    const int n = int(qMin<qsizetype>(length, rest->size()));
    memcpy(to, rest->constData(), size_t(n));
    rest->remove(0, n);
    return n;
}

DecodedGif decodeBytes(QByteArray bytes)
{
    int error = 0;
    return decode(DGifOpen(&bytes, readFromMemory, &error));
}

QImage opaque(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

quint8 at(const QByteArray &bytes, int i)
{
    return quint8(bytes.at(i));
}

int word(const QByteArray &bytes, int i)
{
    return at(bytes, i) | at(bytes, i + 1) << 8;
}

} // namespace

TEST(GifWriter, FileLayoutByteForByte)
{
    struct Case {
        int width, height;
    };
    for (const Case c : {Case{1, 1}, Case{3, 2}, Case{686, 698}, Case{300, 1}}) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        QImage image(c.width, c.height, QImage::Format_RGB32);
        image.fill(qRgb(10, 20, 30));
        const QByteArray gif = gifio::encodeGif87a(image);
        ASSERT_GT(gif.size(), 13 + 768 + 10 + 1 + 1);
        EXPECT_EQ(gif.left(6), QByteArray("GIF87a"));
        EXPECT_EQ(word(gif, 6), c.width);
        EXPECT_EQ(word(gif, 8), c.height);
        EXPECT_EQ(at(gif, 10), 0xF7);
        EXPECT_EQ(at(gif, 11), 0); // background
        EXPECT_EQ(at(gif, 12), 0); // aspect
        EXPECT_EQ(gif.mid(13, 3), QByteArray("\x0A\x14\x1E", 3));
        for (int entry = 1; entry < 256; ++entry)
            ASSERT_EQ(gif.mid(13 + 3 * entry, 3), QByteArray("\x80\x80\x80", 3)) << entry;
        // The image separator follows the table at once: no 0x21 extension before it.
        const int descriptor = 13 + 768;
        EXPECT_EQ(at(gif, descriptor), 0x2C);
        EXPECT_EQ(word(gif, descriptor + 1), 0);
        EXPECT_EQ(word(gif, descriptor + 3), 0);
        EXPECT_EQ(word(gif, descriptor + 5), c.width);
        EXPECT_EQ(word(gif, descriptor + 7), c.height);
        EXPECT_EQ(at(gif, descriptor + 9), 0x00); // no local table, not interlaced
        EXPECT_EQ(at(gif, descriptor + 10), 8);   // LZW minimum code size
        EXPECT_EQ(at(gif, gif.size() - 1), 0x3B);
        EXPECT_EQ(at(gif, gif.size() - 2), 0x00); // the data's block terminator

        const DecodedGif back = decodeBytes(gif);
        ASSERT_TRUE(back.ok);
        EXPECT_EQ(back.imageCount, 1);
        EXPECT_EQ(back.extensionBlocks, 0);
        EXPECT_EQ(back.colourResolution, 8);
        EXPECT_FALSE(back.interlaced);
        EXPECT_FALSE(back.localTable);
    }
}

TEST(GifWriter, PaletteMostFrequentFirstThenFiller)
{
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255),
               grey = qRgb(128, 128, 128);
    struct Case {
        std::vector<QRgb> colours;
        std::vector<int> counts;
        std::vector<QRgb> palette;
    };
    const Case cases[] = {
        {{red, green, blue}, {1, 5, 3}, {green, blue, red}},
        {{blue, red}, {7, 2}, {blue, red}},
        // Equal counts: the smaller RGB value first, whatever the order in the picture.
        {{red, green, blue}, {4, 4, 4}, {blue, green, red}},
        // A grey used by the picture is a palette entry like any other.
        {{grey, red}, {2, 10}, {red, grey}},
    };
    for (const Case &c : cases) {
        const QImage image = pictureOf(c.colours, c.counts, 3);
        const gifio::IndexedImage reduced = gifio::reduceColours(image);
        EXPECT_EQ(std::vector<QRgb>(reduced.palette.begin(), reduced.palette.end()), c.palette);
        const DecodedGif back = decodeBytes(gifio::encodeGif87a(image));
        ASSERT_TRUE(back.ok);
        ASSERT_EQ(back.table.size(), 256u);
        for (std::size_t i = 0; i < 256; ++i)
            EXPECT_EQ(back.table[i], i < c.palette.size() ? c.palette[i] : grey) << i;
    }
}

TEST(GifWriter, FewColoursComeBackPixelForPixel)
{
    struct Case {
        int colours;
        QImage::Format format;
    };
    const Case cases[] = {{1, QImage::Format_RGB32},   {4, QImage::Format_RGB32},
                          {256, QImage::Format_RGB32}, {4, QImage::Format_ARGB32},
                          {4, QImage::Format_RGB888},  {256, QImage::Format_ARGB32_Premultiplied}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.colours << " colours, format " << c.format);
        const std::vector<QRgb> colours = distinctColours(c.colours);
        std::vector<int> counts;
        for (int i = 0; i < c.colours; ++i)
            counts.push_back(1 + (i * 7) % 13);
        const QImage image = pictureOf(colours, counts, 37, c.format);
        const DecodedGif back = decodeBytes(gifio::encodeGif87a(image));
        ASSERT_TRUE(back.ok);
        EXPECT_EQ(back.pixels, opaque(image));
    }
}

TEST(GifWriter, AlphaIsIgnored)
{
    QImage solid(5, 4, QImage::Format_RGB32);
    solid.fill(qRgb(1, 2, 3));
    QImage clear(5, 4, QImage::Format_ARGB32);
    clear.fill(qRgba(1, 2, 3, 0));
    clear.setPixel(2, 2, qRgba(1, 2, 3, 200));
    EXPECT_EQ(gifio::encodeGif87a(clear), gifio::encodeGif87a(solid));
}

TEST(GifWriter, ManyColoursTakeTheFirstNearestEntry)
{
    for (const int n : {257, 300, 60000}) {
        SCOPED_TRACE(n);
        const std::vector<QRgb> colours = distinctColours(n);
        std::vector<int> counts;
        for (int i = 0; i < n; ++i)
            counts.push_back(1 + (i * 13) % 5);
        counts[std::size_t(n / 2)] = 500; // the most frequent colour is entry 0
        const QImage image = pictureOf(colours, counts, 97);
        const gifio::IndexedImage reduced = gifio::reduceColours(image);
        ASSERT_EQ(reduced.palette.size(), 256);
        EXPECT_EQ(reduced.palette[0], colours[std::size_t(n / 2)]);
        const std::vector<QRgb> palette(reduced.palette.begin(), reduced.palette.end());
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                const int chosen = quint8(reduced.indices.at(y * image.width() + x));
                const int best = distance(pixel, palette[std::size_t(chosen)]);
                for (int j = 0; j < 256; ++j) {
                    const int other = distance(pixel, palette[std::size_t(j)]);
                    ASSERT_TRUE(j < chosen ? other > best : other >= best)
                        << "pixel " << x << "," << y << " entry " << j;
                }
            }
        }
        if (n == 300) {
            const DecodedGif back = decodeBytes(gifio::encodeGif87a(image));
            ASSERT_TRUE(back.ok);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    ASSERT_EQ(back.pixels.pixel(x, y),
                              palette[quint8(reduced.indices.at(y * image.width() + x))]);
        }
    }
}

TEST(GifWriter, RefusesEmptyAndHugePictures)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("big.gif"));
    struct Case {
        QImage image;
        const char *reason;
    };
    const Case cases[] = {
        {QImage(), "empty"},
        {QImage(0, 5, QImage::Format_RGB32), "empty"},
        {QImage(gifio::kMaxGifSide + 1, 1, QImage::Format_RGB32), "16385 x 1"},
        {QImage(1, gifio::kMaxGifSide + 1, QImage::Format_RGB32), "1 x 16385"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reason);
        EXPECT_TRUE(gifio::encodeGif87a(c.image).isEmpty());
        QString message;
        EXPECT_FALSE(gifio::saveGif87a(c.image, path, &message));
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path))) << message.toStdString();
        EXPECT_TRUE(message.contains(QLatin1String(c.reason))) << message.toStdString();
        EXPECT_FALSE(QFile::exists(path));
    }
    EXPECT_TRUE(gifio::reduceColours(QImage()).palette.isEmpty());
    QImage largest(gifio::kMaxGifSide, 1, QImage::Format_RGB32);
    largest.fill(Qt::white);
    EXPECT_FALSE(gifio::encodeGif87a(largest).isEmpty());
}

namespace {

QImage samplePicture()
{
    return pictureOf({qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 0, 0)}, {900, 200, 100}, 40);
}

} // namespace

TEST(SaveGif, ReplacesAnExistingFileWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("OCAI Plot A .gif"));
    ASSERT_TRUE(testfiles::writeFile(path, QByteArray(100000, 'x')));
    QString message;
    ASSERT_TRUE(gifio::saveGif87a(samplePicture(), path, &message)) << message.toStdString();
    EXPECT_EQ(testfiles::contentsOf(path), gifio::encodeGif87a(samplePicture()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"OCAI Plot A .gif"}));

    int error = 0;
    const DecodedGif back = decode(DGifOpenFileName(QFile::encodeName(path).constData(), &error));
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.pixels, samplePicture());
}

TEST(SaveGif, FailuresNameTheFileAndLeaveWhatWasThere)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missingFolder = dir.filePath(QStringLiteral("Results/plot.gif"));
    const QString folder = dir.filePath(QStringLiteral("folder.gif"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.gif")));
    for (const QString &path : {missingFolder, folder}) {
        SCOPED_TRACE(path.toStdString());
        QString message;
        EXPECT_FALSE(gifio::saveGif87a(samplePicture(), path, &message));
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path))) << message.toStdString();
    }
    EXPECT_FALSE(QDir(dir.path()).exists(QStringLiteral("Results")));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"folder.gif"}));
}

#ifdef Q_OS_UNIX
TEST(SaveGif, FailedWriteKeepsTheEarlierFile)
{
    // A file size limit makes the write fail for every user, root included.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("plot.gif"));
    const QByteArray earlier("earlier picture");
    ASSERT_TRUE(testfiles::writeFile(path, earlier));
    const QImage picture = pictureOf(distinctColours(256), std::vector<int>(256, 20), 64);
    ASSERT_GT(gifio::encodeGif87a(picture).size(), 2000);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString message;
    const bool written = gifio::saveGif87a(picture, path, &message);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path))) << message.toStdString();
    EXPECT_EQ(testfiles::contentsOf(path), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"plot.gif"}));
}
#endif
