#pragma once

#include "desk/survey_folder.h"

#include <QString>
#include <QStringList>
#include <variant>

// Which links a collection of answers gets: one per group of the survey, the folder's own
// files being a group of their own, and the new groups the consultant names.
namespace desk {

struct CollectionPlan {
    QString folder;      // the survey folder
    QString groups;      // its subfolder groups, as the consultant may edit them: "A, B"
    bool ownAnswers;     // the folder itself holds answers: its link is always there
    quint16 port;        // the port of the folder's own link; 0 when it has none yet
    QString linkProblem; // why the folder's link cannot be used: only a new one will do
};

CollectionPlan collectionPlan(const QString &folder, const Survey *survey);

// The links' groups for the names typed: "" for the survey folder itself, first, when it holds
// answers or when no name is typed; each name checked as `ocai-cli serve --groups` checks its
// own, and none may be the excluded folder, whose answers would count as excluded. Or why not,
// in Russian.
std::variant<QStringList, QString> collectionGroups(const QString &typed, bool ownAnswers);

} // namespace desk
