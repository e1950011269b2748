#pragma once

#include "desk/survey_folder.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>

// Bringing a loaded survey up to date at the cost of what changed: the folders the file
// system named are listed again, and only the groups whose files changed are read again.
namespace desk {

// What a rescan lists again: everything, or the groups named by their folders.
struct RescanScope {
    bool everything = false;
    QSet<QString> groups; // absolute

    static RescanScope all() { return {true, {}}; }
    bool isEmpty() const { return !everything && groups.isEmpty(); }
    bool covers(const QString &group) const { return everything || groups.contains(group); }
    void add(const RescanScope &other);
};

// The group folder that a notice about `folder` concerns: a group's excluded folder stands
// for the group.
QString noticedGroup(const QString &folder);

// `previous` (of the same folder, or null) brought up to date within `scope`. A group outside
// it is kept as it was; one inside is loaded again only when its listing changed, and then
// its unchanged files are not read again. With the survey folder itself in scope its
// subfolders are listed again for groups that came or went, and put in `listed`. Null when
// nothing changed or `cancel` was set.
std::shared_ptr<const Survey> refreshSurvey(const QString &folder, const Survey *previous,
                                            const RescanScope &scope,
                                            const std::atomic_bool *cancel = nullptr,
                                            QStringList *listed = nullptr);

// Every group of `folder`; `previous` (the last load of the same folder) spares reading
// unchanged files again.
Survey loadSurvey(const QString &folder, const Survey *previous = nullptr,
                  const std::atomic_bool *cancel = nullptr);

// The folders whose changes the survey needs to hear of: the folders that may be groups
// (`candidates`: an empty one may become a group) and each group's excluded folder.
QStringList watchedFolders(const Survey &survey, const QStringList &candidates);

} // namespace desk
