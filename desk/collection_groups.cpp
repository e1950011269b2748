#include "collection_groups.h"

#include "web/group_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace desk {
namespace {

// The port the folder's link file keeps; 0 when it has none or the file is not one.
quint16 savedPort(const QString &folder)
{
    QFile file(QDir(folder).filePath(QStringLiteral(".ocai-link")));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return 0;
    const int port = QJsonDocument::fromJson(file.read(4096)).object().value("port").toInt();
    return port > 0 && port <= 65535 ? quint16(port) : 0;
}

} // namespace

CollectionPlan collectionPlan(const QString &folder, const Survey *survey)
{
    CollectionPlan plan{QDir(folder).absolutePath(), {}, false, savedPort(folder)};
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
