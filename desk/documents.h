#pragma once

#include "desk/survey_folder.h"
#include "documents/anonymity.h"
#include "documents/document_outcome.h"
#include "documents/export_data.h"
#include "documents/report_notes.h"

#include <QDate>
#include <QString>
#include <vector>

// The documents of the desk: the groups it has loaded, handed to the same document code as
// ocai-cli's (documents/group_documents.h, documents/xlsx_workbook.h), so that a folder gives
// the same document from either. No widgets, so that they run off the user-interface thread.
namespace desk {

using documents::CancelCheck;
using documents::Made;

// What the consultant sets for a survey's documents: the words of a report's first page and
// of every sheet's head, and what the client may see.
struct ReportTitle {
    QString organisation;
    QString caption; // the survey's own words: "Опрос персонала, декабрь 2026"
    int minGroup = documents::kDefaultMinGroup; // smaller groups are held back
    bool freeText = false; // the respondents' own line (names, positions) in the workbook
};

// The seed of every resampled figure: the same survey gives the same document, and the same
// as ocai-cli's default.
constexpr unsigned kSeed = 1;

// A group as the documents take it: its counted respondents and figures, the damaged files it
// leaves out and the counted ones with warnings.
documents::ExportGroup documentGroup(const Group &group);
// The damaged files a group leaves out and its counted files with warnings; files the
// consultant excluded are his own choice and not named.
report::FileNotes fileNotes(const Group &group);

Made profilePdf(const Group &group, const ReportTitle &title,
                const QDate &date = QDate::currentDate(), const CancelCheck &cancel = {});
Made comparisonPdf(const Group &a, const Group &b, const ReportTitle &title,
                   const QDate &date = QDate::currentDate(), const CancelCheck &cancel = {});
// One report of three or more groups; those below the anonymity floor are held back.
Made organisationPdf(const std::vector<Group> &groups, const ReportTitle &title,
                     const QDate &date = QDate::currentDate(), const CancelCheck &cancel = {});
Made workbook(const std::vector<Group> &groups, const ReportTitle &title,
              const CancelCheck &cancel = {});
// The text report of "Save Data": the group's mean answers and scores.
Made textReport(const Group &group, const QDate &date = QDate::currentDate());

// Why a PDF of `groups` is not made: a group under the floor, said why; or an empty text.
QString heldBackProblem(const std::vector<const Group *> &groups, int minGroup);

// Why each PDF would be refused under the floor `minGroup`, or an empty text: known from the
// groups alone, so that the window says it before it asks where to save.
QString profileRefusal(const Group &group, int minGroup);
QString comparisonRefusal(const Group &a, const Group &b, int minGroup);
// The organisation report holds its small groups back, and is refused only when none is left.
QString organisationRefusal(const std::vector<Group> &groups, int minGroup);
// The workbook holds its small groups back too, and is refused only without a readable answer.
QString workbookRefusal(const std::vector<Group> &groups);

// Why `group` gives no figures, or an empty text.
QString emptyGroupProblem(const Group &group);

// «N = 6», marked small by the people the anonymity floor counts, where codes repeat.
QString sizeText(const Group &group);

} // namespace desk
