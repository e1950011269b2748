#pragma once

class QFont;
class QString;

namespace ui {

// The window's designed fonts are Windows fonts; elsewhere they map to metric-compatible
// or close free fonts.
void installFontSubstitutions();

// Where the system lacks Liberation Sans, Liberation Serif or DejaVu Sans, adds the free fonts
// shipped in the folder "fonts" beside the program (the Windows zip's), so that a document looks
// the same on every machine. The programs call it at start; the tests, whose platform font
// folder holds them, do not.
void addProgramFonts();

// The characters of `text` that the font drawing it has no glyph of, each once and in order;
// blanks and control characters need none. Empty when every one is there.
QString missingGlyphs(const QFont &font, const QString &text);

// Why `font` cannot draw `text` (in Russian, for "… не составлен: " to precede): the glyphs it
// lacks, the font drawn instead of a missing one, and where the fonts belong. Empty when it can.
QString fontProblem(const QFont &font, const QString &text);

} // namespace ui
