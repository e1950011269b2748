#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Byte-exact standard streams for the subcommands: what they print is UTF-8 (or the raw
// Windows-1251 bytes asked for), whatever the locale, and line breaks are never translated.
namespace cli {

// Writes `bytes` to stdout; false if the stream failed.
bool writeStdout(const QByteArray &bytes);

// Reads at most `maxBytes` bytes from `path`, or from stdin when `path` is "-"; a longer
// input sets `tooLong`. Nothing if the input cannot be opened or read.
std::optional<QByteArray> readInput(const QString &path, qint64 maxBytes, bool *tooLong);

} // namespace cli
