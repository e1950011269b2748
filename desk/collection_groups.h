#pragma once

#include "desk/survey_folder.h"

#include <QString>
#include <QStringList>
#include <variant>

// Which links a collection of answers gets: one per group of the survey, and the new groups the
// consultant names; the survey folder's own link only when the consultant asks for it.
namespace desk {

struct CollectionPlan {
    QString folder;       // the survey folder
    QString groups;       // every subfolder as the consultant may edit them: "A, B", those served
                          // before in the order first served, then the others by name
    QStringList unlisted; // subfolders whose names a list of groups cannot hold
    QStringList linked;   // the groups with a link of the folder, in the order first served
                          // ("" the folder itself): those left out of a start answer "stopped"
    quint16 port;         // the port of the folder's own link; 0 when it has none yet
    QString linkProblem;  // why the folder's link cannot be used: only a new one will do
    QString linkNotice;   // what starting will do to the folder's earlier links, when it voids them
};

CollectionPlan collectionPlan(const QString &folder);

// The links' groups for the names typed: "" for the survey folder itself, first, when asked for
// or when no name is typed; each name checked as `ocai-cli serve --groups` checks its own, and
// none may be the excluded folder, whose answers would count as excluded. Or why not, in
// Russian.
std::variant<QStringList, QString> collectionGroups(const QString &typed, bool folderLink);

} // namespace desk
