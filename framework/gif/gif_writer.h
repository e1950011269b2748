#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Pictures written as GIF87a files: one image in a 256-entry global colour table.
namespace gifio {

// The largest width and height written; larger pictures are refused.
constexpr int kMaxGifSide = 16384;

// Why the picture cannot be written (empty, or wider or higher than kMaxGifSide), or an empty
// string when it can.
QString gifPictureProblem(const QImage &image);

// The whole file: "GIF87a"; logical screen of the picture's size, packed byte 0xF7, background 0,
// aspect 0; a global colour table of 256 entries, the palette of reduceColours followed by
// (128, 128, 128) fillers; no extension block; one image at (0, 0) of the picture's size, not
// interlaced, no local table; LZW data with minimum code size 8; the trailer. Empty when the
// picture is refused or the encoder fails.
QByteArray encodeGif87a(const QImage &image);

// encodeGif87a written through QSaveFile: an earlier file of that name is replaced only when the
// new one is complete. False and a message naming the file on failure.
bool saveGif87a(const QImage &image, const QString &path, QString *errorMessage);

} // namespace gifio
