#pragma once

#include "group_mean.h"
#include "group_result.h"
#include "plot_a.h"

#include <QChar>
#include <QString>
#include <variant>

// A FILE or DIR loaded as the window's "Data" or "Group" command loads it, up to the Plot A
// drawing that ends the load: what the pictures, the report and the PDF are made of.
namespace cli {

struct WindowProfile {
    QString code; // ceCode: the respondent's code, or "Group"
    QString info; // ceInfo: the file's information line, or the group line
    survey::MeanKind mean = survey::MeanKind::Arithmetic;
    survey::GroupResult group;          // AnswerTable is group.means; a FILE is a group of one
    survey::ProfileScores loadScores{}; // the profile the load computes
    QChar separator;                    // the locale's decimal separator of the score fields
    plots::PlotAFields fields;          // the score fields: "%5.2f" with `separator`
    survey::ProfileScores scores{}; // as the Plot A drawing parses the fields back: two decimals
};

// Loads `path` with the program's key. The profile is survey::groupProfile of `mean`: for a
// DIR arithmetic is the window's; for a FILE (a group of one) both are the file's scores, but
// geometric counts a type score of 0 as 0.5 and scales each state's four to sum 100.
std::variant<WindowProfile, survey::GroupError>
loadWindowProfile(const QString &path, survey::MeanKind mean = survey::MeanKind::Arithmetic);

// The window's Plot A canvas size.
constexpr int kPlotAWidth = 686;
constexpr int kPlotAHeight = 672;

} // namespace cli
