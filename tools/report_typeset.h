#pragma once

#include "report_document.h"

#include <QByteArray>

// Typesets a report with Qt's text layout onto A4 pages: headings, tables that break across
// pages, pictures as vector drawings and every page's footer with its number.
namespace report {

// The PDF file's bytes, fonts embedded; empty if the document cannot be made.
QByteArray typesetPdf(const Document &document);

} // namespace report
