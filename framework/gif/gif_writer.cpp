#include "gif_writer.h"
#include "colour_reduction.h"
#include "core/safe_write.h"

#include <QDir>

#include <gif_lib.h>

namespace gifio {

namespace {

constexpr int kTableSize = 256;
constexpr int kColourResolution = 8;
constexpr GifColorType kUnusedEntry{128, 128, 128};

int appendToBuffer(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

// The screen descriptor with the global colour table; giflib keeps its own copy of the table.
bool putScreen(GifFileType *gif, const IndexedImage &picture)
{
    ColorMapObject *table = GifMakeMapObject(kTableSize, nullptr);
    if (!table)
        return false;
    for (int i = 0; i < kTableSize; ++i) {
        if (i < picture.palette.size()) {
            const QRgb colour = picture.palette[i];
            table->Colors[i] = {GifByteType(qRed(colour)), GifByteType(qGreen(colour)),
                                GifByteType(qBlue(colour))};
        } else {
            table->Colors[i] = kUnusedEntry;
        }
    }
    const bool ok = EGifPutScreenDesc(gif, picture.width, picture.height, kColourResolution, 0,
                                      table) == GIF_OK;
    GifFreeMapObject(table);
    return ok;
}

bool putImage(GifFileType *gif, IndexedImage &picture)
{
    if (EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) != GIF_OK)
        return false;
    auto *row = reinterpret_cast<GifPixelType *>(picture.indices.data());
    for (int y = 0; y < picture.height; ++y, row += picture.width) {
        if (EGifPutLine(gif, row, picture.width) != GIF_OK)
            return false;
    }
    return true;
}

} // namespace

QString gifPictureProblem(const QImage &image)
{
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return QStringLiteral("the picture is empty");
    if (image.width() > kMaxGifSide || image.height() > kMaxGifSide)
        return QStringLiteral("the picture of %1 x %2 pixels is larger than %3 x %3")
            .arg(image.width())
            .arg(image.height())
            .arg(kMaxGifSide);
    return QString();
}

QByteArray encodeGif87a(const QImage &image)
{
    if (!gifPictureProblem(image).isEmpty())
        return QByteArray();
    IndexedImage picture = reduceColours(image);
    if (picture.palette.isEmpty())
        return QByteArray();

    QByteArray bytes;
    bytes.reserve(picture.indices.size() / 4 + 1024);
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, appendToBuffer, &error);
    if (!gif)
        return QByteArray();
    EGifSetGifVersion(gif, false);
    const bool written = putScreen(gif, picture) && putImage(gif, picture);
    // Writes the trailer and frees the handle, also after a failure.
    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    return written && closed ? bytes : QByteArray();
}

bool saveGif87a(const QImage &image, const QString &path, QString *errorMessage)
{
    const auto fail = [&](const QString &reason) {
        if (errorMessage)
            *errorMessage = QStringLiteral("Cannot write file %1: %2")
                                .arg(QDir::toNativeSeparators(path), reason);
        return false;
    };
    const QString problem = gifPictureProblem(image);
    if (!problem.isEmpty())
        return fail(problem);
    const QByteArray bytes = encodeGif87a(image);
    if (bytes.isEmpty())
        return fail(QStringLiteral("the GIF encoder failed"));

    if (const auto reason = safewrite::replaceFile(path, bytes))
        return fail(*reason);
    return true;
}

} // namespace gifio
