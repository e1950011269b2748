#pragma once

#include "documents/export_data.h"
#include "documents/report_document.h"

#include <vector>

// What a report says of the files behind its figures: those left out because they cannot be
// read, and those counted although their reading warned.
namespace report {

struct FileNotes {
    std::vector<documents::FileNote> leftOut;
    std::vector<documents::FileNote> warned;

    bool empty() const { return leftOut.empty() && warned.empty(); }
};

FileNotes fileNotes(const documents::ExportGroup &group);

// The counts for the first page, "Не читаются и не вошли в расчёт: 2 файла…"; empty when
// there is nothing to say.
QString fileNotesLine(const FileNotes &notes);

// The same lists as plain lines for a screen: a heading line, then "file — reason" lines.
QString fileNotesText(const FileNotes &notes);

// The lists with each file's reason, the file names prefixed by `prefix` ("A: ").
void addFileNotes(Document &d, const QList<QPair<QString, FileNotes>> &notes);

} // namespace report
