#include "desk/collection_groups.h"

#include "web/group_names.h"
#include "web/link_file.h"

#include <QDir>

namespace desk {
namespace {

// Whether the name comes back whole from a list of groups: parseGroupList splits at commas and
// drops blanks at either end.
bool listable(const QString &name)
{
    return web::groupNameProblem(name).isEmpty() && !name.contains(u',') && name.trimmed() == name;
}

} // namespace

CollectionPlan collectionPlan(const QString &folder)
{
    CollectionPlan plan{QDir(folder).absolutePath(), {}, {}, {}, 0, {}, {}};
    const auto read = web::readFolderLink(folder);
    std::optional<web::FolderLink> link;
    if (const auto *problem = std::get_if<QString>(&read))
        plan.linkProblem = *problem;
    else
        link = std::get<std::optional<web::FolderLink>>(read);
    if (link) {
        plan.port = link->port;
        if (link->numberedLinks)
            plan.linkNotice = web::numberedLinksNotice(plan.folder);
        for (const web::GroupLink &served : link->links)
            plan.linked << served.group;
    }
    QStringList names;
    for (const QString &path : candidateFolders(plan.folder).mid(1)) {
        const QString name = QDir(path).dirName();
        (listable(name) ? names : plan.unlisted) << name;
    }
    // Each link keeps its group whatever the order; the order first served only keeps the
    // consultant's list as the projector showed it.
    QStringList ordered;
    for (const QString &served : std::as_const(plan.linked))
        if (names.contains(served))
            ordered << served;
    for (const QString &name : std::as_const(names))
        if (!ordered.contains(name))
            ordered << name;
    plan.groups = ordered.join(QStringLiteral(", "));
    return plan;
}

std::variant<QStringList, QString> collectionGroups(const QString &typed, bool folderLink)
{
    QStringList groups;
    if (!typed.trimmed().isEmpty()) {
        auto parsed = web::parseGroupList(typed);
        if (const auto *problem = std::get_if<QString>(&parsed))
            return *problem;
        groups = std::get<QStringList>(std::move(parsed));
    }
    for (const QString &group : std::as_const(groups))
        if (group.toCaseFolded() == excludedFolderName().toCaseFolded())
            return QStringLiteral("«%1» — папка исключённых файлов, а не группа.").arg(group);
    if (folderLink || groups.isEmpty())
        groups.prepend(QString());
    return groups;
}

} // namespace desk
