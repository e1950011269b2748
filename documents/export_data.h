#pragma once

#include "survey/group_mean.h"
#include "survey/group_result.h"
#include "survey/group_sources.h"
#include "survey/group_statistics.h"

#include <QString>
#include <array>
#include <cstdint>
#include <variant>
#include <vector>

// What every document of a group is made from, whoever loaded it (ocai-cli from a FILE or DIR
// argument, the desk from its survey folder): every respondent's texts and answers in the
// group's file order, the group's figures, and the files the figures leave out or keep with a
// warning.
namespace documents {

// The lines of the decrypted text a respondent's row shows, as they stand: code, free text,
// date, start and duration.
constexpr std::array<int, 5> kRespondentTextLines = {1, 2, 0, 4, 8};

struct RespondentRow {
    QString fileName;
    std::array<QString, kRespondentTextLines.size()> texts;
    survey::AnswerTable answers{};
    survey::ProfileScores scores{}; // the respondent's own profile

    const QString &code() const { return texts[0]; } // line 1 of the file
};

// A file the documents name: one left out because it cannot be read, or one counted although
// its reading warned. `reason` is in the consultant's words, several joined by "; ".
struct FileNote {
    QString file; // the name as the consultant knows it
    QString reason;
};

struct ExportGroup {
    QString path; // the argument (a folder for its FILEs), with the platform's separators
    QString name; // the folder's own name (a FILE's without its extension), for its sheet
    // A single FILE: the PDF names the respondent by `code` and shows `info`.
    bool respondent = false;
    QString code;
    QString info;
    std::vector<RespondentRow> respondents;
    survey::GroupResult result; // the counted respondents as one group
    survey::GroupStatistics statistics;
    std::vector<FileNote> leftOut; // damaged files, not counted
    std::vector<FileNote> warned;  // counted files whose reading warned
};

// A group's name from its argument: a folder's own name, a FILE's without its extension.
QString groupName(const QString &path);

// The statistics of `group.result` for the documents: the one place they are computed.
void computeStatistics(ExportGroup &group, survey::MeanKind mean, std::uint64_t seed);

// Loads `source` with the program's key. A file that cannot be read is left out and listed
// with its reason, so that one damaged file does not stop a survey's documents; only a source
// with no readable file at all (or a folder that cannot be listed) fails, with the first
// file's failure.
std::variant<ExportGroup, survey::GroupError>
loadExportGroup(const survey::GroupSource &source, survey::MeanKind mean, std::uint64_t seed);

} // namespace documents
