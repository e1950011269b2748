#pragma once

#include <QByteArray>
#include <QString>

// PC1 stream cipher with a 128-bit key, in the letter envelope of the result files: every
// plain byte is written as two letters "a".."p", high nibble first.
namespace survey {

// The program's key as text: the viewer's key holder shows it, and the questionnaire program
// encrypts with it.
QString programKeyText();

// The program's key: pc1KeyBytes(programKeyText()).
QByteArray programKey();

// Windows-1251 bytes of the first 16 characters of `keyText`, zero-filled to 16 bytes.
QByteArray pc1KeyBytes(const QString &keyText);

// Decrypts the letter text `cipherText` with the key `key16` (first 16 bytes used, missing
// ones 0). Characters outside 'a'..'p' count as 0; they are taken in pairs, so a text of
// fewer than two characters gives nothing and an odd last character is unused. The plain
// text ends at its first zero byte. Each call starts from a fresh state. Any length is
// decrypted; result files themselves never exceed kMaxCipherTextLength (result_file.h).
QByteArray Pc1Decrypt(const QByteArray &key16, const QByteArray &cipherText);

// The inverse, for producing test files: two letters per plain byte, no line break.
QByteArray Pc1Encrypt(const QByteArray &key16, const QByteArray &plain);

} // namespace survey
