#pragma once

#include "survey_folder.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <variant>
#include <vector>

// The documents of the desk, made by the same code as ocai-cli's from the groups the desk has
// loaded: nothing here draws or computes a figure of its own. No widgets, so that they run off
// the user-interface thread.
namespace desk {

// The bytes of a document, or why it cannot be made (in Russian).
using DocumentBytes = std::variant<QByteArray, QString>;

// What the consultant writes on the report's first page.
struct ReportTitle {
    QString organisation;
    QString caption; // the survey's own words: "Опрос персонала, декабрь 2026"
};

// The seed of every resampled figure: the same survey gives the same document.
constexpr unsigned kSeed = 1;

DocumentBytes profilePdf(const Group &group, const ReportTitle &title,
                         const QDate &date = QDate::currentDate());
DocumentBytes comparisonPdf(const Group &a, const Group &b,
                            const QDate &date = QDate::currentDate());
DocumentBytes workbook(const std::vector<Group> &groups);
// The text report of "Save Data": the group's mean answers and scores.
DocumentBytes textReport(const Group &group, const QDate &date = QDate::currentDate());

// Why `group` gives no figures, or an empty text.
QString emptyGroupProblem(const Group &group);

} // namespace desk
