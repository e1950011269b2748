#include "desk/collection_groups.h"

#include "web/group_names.h"
#include "web/link_file.h"

#include <QDir>

namespace desk {

CollectionPlan collectionPlan(const QString &folder, const Survey *survey)
{
    CollectionPlan plan{QDir(folder).absolutePath(), {}, false, 0, {}};
    const auto link = web::readFolderLink(folder);
    if (const auto *problem = std::get_if<QString>(&link))
        plan.linkProblem = *problem;
    else if (const auto &saved = std::get<std::optional<web::FolderLink>>(link))
        plan.port = saved->port;
    QStringList names;
    if (survey)
        for (const Group &group : survey->groups) {
            if (group.folder == plan.folder)
                plan.ownAnswers = true;
            else
                names << QDir(group.folder).dirName();
        }
    plan.groups = names.join(QStringLiteral(", "));
    return plan;
}

std::variant<QStringList, QString> collectionGroups(const QString &typed, bool ownAnswers)
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
    if (ownAnswers || groups.isEmpty())
        groups.prepend(QString());
    return groups;
}

} // namespace desk
