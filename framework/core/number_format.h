#pragma once

#include <QChar>
#include <QString>
#include <QtGlobal>
#include <optional>

// Number conversion with the behaviour users of the program know from its result files
// and score fields: the locale's decimal separator, and "%w.df" that rounds halves away
// from zero on the decimal value (8.125 gives "8.13", where C's printf gives "8.12").
namespace numfmt {

// printf-like "%<width>.<decimals>f": right-aligned in at least `width` characters; a
// negative value that rounds to zero keeps its sign, as in C ("%4.0f" of -0.4 is "  -0").
QString formatFixed(double value, int width, int decimals, QChar separator);

// Text to floating point: optional blanks, optional sign, digits with `separator` as the
// decimal separator, an optional exponent ("e" or "E", optional sign, digits), optional
// blanks, nothing else. Empty or malformed text, or a value out of range, gives nothing.
std::optional<double> parseFloat(const QString &text, QChar separator);

// Text to a 32-bit signed integer: optional leading blanks, optional sign, digits and
// nothing after them. Out-of-range values give nothing.
std::optional<qint32> parseInt32(const QString &text);

// Nearest integer, ties to even, of a value computed in extended precision. Values
// beyond +-limit are clamped first, so that absurd inputs cannot overflow.
int roundTiesEven(long double value, int limit = 1 << 24);

// The decimal separator of the user's locale (QLocale's default).
QChar localeDecimalSeparator();

} // namespace numfmt
