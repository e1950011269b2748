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

// What the spreadsheet export takes from one FILE or DIR argument: every respondent's texts
// and answers in the group's file order, and the group's figures as `stats` computes them.
namespace documents {

// The lines of the decrypted text a respondent's row shows, as they stand: code, free text,
// date, start and duration.
constexpr std::array<int, 5> kRespondentTextLines = {1, 2, 0, 4, 8};

struct RespondentRow {
    QString fileName;
    std::array<QString, kRespondentTextLines.size()> texts;
    survey::AnswerTable answers{};
    survey::ProfileScores scores{}; // the respondent's own profile
};

struct ExportGroup {
    QString path; // the argument (a folder for its FILEs), with the platform's separators
    QString name; // the folder's own name (a FILE's without its extension), for its sheet
    std::vector<RespondentRow> respondents;
    survey::AnswerTable means{}; // the group's cell-by-cell mean table
    survey::GroupStatistics statistics;
};

// Loads `source` with the program's key; all or nothing, as the other group commands load.
std::variant<ExportGroup, survey::GroupError>
loadExportGroup(const survey::GroupSource &source, survey::MeanKind mean, std::uint64_t seed);

} // namespace documents
