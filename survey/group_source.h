#pragma once

#include "group_result.h"

#include <QByteArray>
#include <QString>
#include <variant>

// A group named on a command line: a folder of result files, or one file as a group of one.
namespace survey {

struct SurveyGroup {
    GroupResult group;
    QString code; // "Group", or the file's respondent code
    QString info; // groupInfoLine(n), or the file's information line
};

// loadGroup for a folder; for anything else the single result file, loaded as the "Data"
// command loads it, with its answers as the mean table. `visit` sees each file taken.
std::variant<SurveyGroup, GroupError> loadFileOrGroup(const QString &path, const QByteArray &key16,
                                                      const ResultFileVisitor &visit = {});

} // namespace survey
