#pragma once

#include <QByteArray>
#include <QString>

// Windows-1251 (Cyrillic), the single-byte code page of every text the program reads,
// writes or shows. Qt's converters depend on ICU for it, so the table is our own.
namespace textcodec {

// Bytes to text. The one unassigned byte (0x98) becomes U+FFFD.
QString fromWindows1251(const QByteArray &bytes);

// Text to bytes. A character outside the code page becomes '?'.
QByteArray toWindows1251(const QString &text);

// True when every character of the text has a Windows-1251 byte.
bool isWindows1251(const QString &text);

} // namespace textcodec
