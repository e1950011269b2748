#include "survey/group_sources.h"

#include "survey/group_result.h"
#include "survey/unit_pc1.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace survey {

std::vector<GroupSource> groupSources(const QStringList &operands)
{
    std::vector<GroupSource> sources;
    QHash<QString, std::size_t> folderSource; // a folder's absolute path -> its FILEs' source
    QSet<QString> named;
    for (const QString &operand : operands) {
        const QFileInfo info(operand);
        if (info.isDir()) {
            sources.push_back({operand, {}});
            continue;
        }
        if (named.contains(QDir::cleanPath(info.absoluteFilePath())))
            continue;
        named.insert(QDir::cleanPath(info.absoluteFilePath()));
        const QString folder = QDir::cleanPath(info.absolutePath());
        const auto found = folderSource.constFind(folder);
        if (found == folderSource.constEnd()) {
            folderSource.insert(folder, sources.size());
            sources.push_back({operand, {operand}});
        } else {
            GroupSource &source = sources[*found];
            if (source.files.size() == 1)
                source.path = QFileInfo(source.files.first()).path();
            source.files << operand;
        }
    }
    // A FILE alone stays a respondent of his own, named by his code.
    for (GroupSource &source : sources)
        if (source.files.size() == 1)
            source.files.clear();
    return sources;
}

std::variant<survey::LoadedProfile, survey::GroupError>
loadGroupSource(const GroupSource &source, const survey::ResultFileVisitor &visit)
{
    const QByteArray key = survey::programKey();
    if (source.files.isEmpty())
        return survey::loadProfile(source.path, key, survey::LoadAs::FileOrFolder, visit);
    survey::LoadedProfile profile;
    auto loaded = survey::loadGroupFiles(source.files, key, visit);
    if (auto *error = std::get_if<survey::GroupError>(&loaded))
        return std::move(*error);
    profile.group = std::move(std::get<survey::GroupResult>(loaded));
    profile.code = QStringLiteral("Group");
    profile.info = survey::groupInfoLine(profile.group.n, profile.group.people());
    return profile;
}

} // namespace survey
