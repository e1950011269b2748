#include "desk/survey_refresh.h"

#include <QDir>
#include <QFileInfo>
#include <variant>

namespace desk {
namespace {

QString unavailable(const QString &folder)
{
    return QStringLiteral("Папка «%1» недоступна: её удалили, переименовали, закрыли права на "
                          "чтение или отключили сетевой диск.")
        .arg(QDir::toNativeSeparators(folder));
}

const Group *groupOf(const Survey *survey, const QString &folder)
{
    if (survey)
        for (const Group &group : survey->groups)
            if (group.folder == folder)
                return &group;
    return nullptr;
}

// `folder`'s group read again, its files unchanged since `old` taken from it unread.
Group reload(const QString &folder, const Group *old, const std::atomic_bool *cancel)
{
    LoadCache cache;
    if (old)
        for (const Respondent &respondent : old->respondents)
            cache.insert(respondent.path, &respondent);
    Group group = loadGroup(folder, QFileInfo(folder).fileName(), cache, cancel);
    // A subfolder that cannot be listed may hold answers: it is shown, not passed over.
    group.problem = folderProblem(folder);
    return group;
}

} // namespace

void RescanScope::add(const RescanScope &other)
{
    everything = everything || other.everything;
    groups.unite(other.groups);
}

QString noticedGroup(const QString &folder)
{
    QDir dir(folder);
    if (dir.dirName() == excludedFolderName())
        dir.cdUp();
    return dir.absolutePath();
}

std::shared_ptr<const Survey> refreshSurvey(const QString &folder, const Survey *previous,
                                            const RescanScope &asked,
                                            const std::atomic_bool *cancel, QStringList *listed)
{
    auto survey = std::make_shared<Survey>();
    survey->folder = QDir(folder).absolutePath();
    if (previous && previous->folder != survey->folder)
        previous = nullptr;
    const RescanScope scope = previous ? asked : RescanScope::all();
    const QFileInfo root(survey->folder);
    if (!root.isDir() || !root.isReadable()) {
        survey->problem = unavailable(survey->folder);
        if (previous && previous->problem == survey->problem)
            return nullptr;
        return survey;
    }
    // The survey folder is listed again when named, and for a subfolder that is no group yet.
    bool listAll = !previous || scope.covers(survey->folder) || !previous->problem.isEmpty();
    for (const QString &group : scope.groups)
        listAll = listAll || !groupOf(previous, group);
    QStringList folders;
    if (listAll) {
        folders = candidateFolders(survey->folder);
        if (listed)
            *listed = folders;
    } else {
        for (const Group &group : previous->groups)
            folders << group.folder;
    }
    // Each group either kept as it was or loaded again; nothing is copied before it is known
    // that something changed.
    std::vector<std::variant<const Group *, Group>> groups;
    bool changed = !previous || !previous->problem.isEmpty();
    for (const QString &groupFolder : std::as_const(folders)) {
        if (cancel && *cancel)
            return nullptr;
        const Group *old = groupOf(previous, groupFolder);
        if (old && (!scope.covers(groupFolder) ||
                    (old->problem == folderProblem(groupFolder) && sameListing(*old)))) {
            groups.emplace_back(old);
            continue;
        }
        Group group = reload(groupFolder, old, cancel);
        if (group.respondents.empty() && group.problem.isEmpty()) {
            changed = changed || old; // a group whose files all left
            continue;
        }
        changed = true;
        groups.emplace_back(std::move(group));
    }
    if (cancel && *cancel)
        return nullptr;
    // The same groups kept, none loaded again, none gone: nothing to show.
    if (!changed && groups.size() != previous->groups.size())
        changed = true;
    if (!changed)
        return nullptr;
    survey->groups.reserve(groups.size());
    for (auto &group : groups) {
        if (const auto *kept = std::get_if<const Group *>(&group))
            survey->groups.push_back(**kept);
        else
            survey->groups.push_back(std::move(std::get<Group>(group)));
    }
    return survey;
}

Survey loadSurvey(const QString &folder, const Survey *previous, const std::atomic_bool *cancel)
{
    if (auto loaded = refreshSurvey(folder, previous, RescanScope::all(), cancel))
        return *loaded;
    return previous && !(cancel && *cancel) ? *previous : Survey{};
}

QStringList watchedFolders(const Survey &survey, const QStringList &candidates)
{
    QStringList folders = candidates;
    for (const Group &group : survey.groups) {
        const QString excluded = QDir(group.folder).filePath(excludedFolderName());
        if (QFileInfo(excluded).isDir())
            folders << excluded;
    }
    return folders;
}

} // namespace desk
