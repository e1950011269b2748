#pragma once

#include "documents/export_data.h"
#include "survey/group_result.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <atomic>
#include <variant>
#include <vector>

// A survey as the desk sees it: a folder whose own result files are one group and whose
// subfolders holding result files are the others. Unlike the group load, a damaged file stops
// nothing: it is listed with its reason and left out of the figures.
namespace desk {

// The subfolder of a group where excluded files wait; never a group itself.
QString excludedFolderName();

struct Respondent {
    QString path;                 // absolute
    documents::RespondentRow row; // the file's texts, answers and own profile
    QString problem;              // why the file cannot be read; empty for a good one
    QStringList warnings;         // what its reading let through, in the consultant's words
    bool excluded = false;        // lies in the group's excluded folder
    // The name of the group's first counted file of the same respondent code, when this counted
    // file repeats it (survey::codeRepeats); the file still counts, and only the anonymity floor
    // takes the two for one person.
    QString repeatOf;
    QDateTime modified; // as seen when loaded, to notice a rewritten file
    qint64 size = 0;

    bool counts() const { return problem.isEmpty() && !excluded; }
};

struct Group {
    QString folder; // absolute
    QString name;
    std::vector<Respondent> respondents; // the group's files in name order, then the excluded
    // The counted respondents (readable, not excluded) as one group: what the figures show.
    survey::GroupResult result;
    QString problem; // why the folder itself cannot be listed, in Russian

    int damaged() const;  // counted files that cannot be read; excluded ones are only excluded
    int warned() const;   // counted files their reading warns of
    int warnings() const; // over every listed file, excluded ones too
    int repeats() const;  // counted files that repeat a code (Respondent::repeatOf)
};

struct Survey {
    QString folder;
    std::vector<Group> groups;
    QString problem; // why the folder cannot be listed (gone, a network drive lost), in Russian

    int respondents() const; // counted, over every group
};

// The folders of the groups of `survey`: itself when it holds result files, then each
// subfolder holding them (the excluded folder aside), in name order.
QStringList groupFolders(const QString &survey);

// The folders that may be groups: the survey's own, then its subfolders but the excluded one,
// in name order.
QStringList candidateFolders(const QString &survey);

// The result files of `folder` as every load takes them (survey::resultFilePaths).
QStringList resultFiles(const QString &folder);

// Files whose size and time have not changed since the last load are taken from it unread:
// each path's respondent of that load.
using LoadCache = QHash<QString, const Respondent *>;

// Why `folder` cannot be listed, in Russian; empty when it can.
QString folderProblem(const QString &folder);

// Whether `group`'s folders still list the same files, each of the same size and time, as
// when it was loaded: a listing, no file read.
bool sameListing(const Group &group);

// Every result file of `folder` and of its excluded folder. Stops early, leaving the group
// incomplete, when `cancel` is set.
Group loadGroup(const QString &folder, const QString &name, const LoadCache &cache = {},
                const std::atomic_bool *cancel = nullptr);

// The respondents of several groups as one ("Все вместе").
Group combinedGroup(const std::vector<Group> &groups, const QString &name);

// Moves a group's file into its excluded folder (made when missing), or an excluded file back
// into its group. A name already taken there gives the first free "<name>-<k>OCAI.cry";
// nothing is ever replaced or deleted. The new path, or the reason in Russian.
struct MoveError {
    QString message;
};
std::variant<QString, MoveError> excludeFile(const QString &path);
std::variant<QString, MoveError> returnFile(const QString &path);

} // namespace desk
