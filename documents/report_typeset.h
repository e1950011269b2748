#pragma once

#include "documents/report_document.h"

#include <QByteArray>
#include <QFont>

// Typesets a report with Qt's text layout onto A4 pages: headings, tables that break across
// pages, pictures as vector drawings and every page's footer with its number.
namespace report {

// The PDF file's bytes, fonts embedded; empty if the document cannot be made.
QByteArray typesetPdf(const Document &document);

// Whether the report's text font, or a font the system falls back to, has a glyph for `c`.
bool canTypeset(char32_t c);

// The report's text font at `points`.
QFont reportFont(double points, bool bold = false);

} // namespace report
