#pragma once

#include "documents/document_outcome.h"
#include "documents/report_document.h"

#include <QByteArray>
#include <QFont>

// Typesets a report with Qt's text layout onto A4 pages: headings, tables that break across
// pages, pictures as vector drawings and every page's footer with its number.
namespace report {

using documents::Made;

// The PDF file's bytes, fonts embedded. `cancel` is asked before the layout and before each
// page.
Made typesetPdf(const Document &document, const documents::CancelCheck &cancel = {});

// Whether the report's text font, or a font the system falls back to, has a glyph for `c`.
bool canTypeset(char32_t c);

// The report's text font at `points`.
QFont reportFont(double points, bool bold = false);

} // namespace report
