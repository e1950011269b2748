#include "survey/profile_load.h"

#include "survey/result_file.h"

#include <QFileInfo>
#include <optional>

namespace survey {
namespace {

std::optional<GroupError> loadFolder(const QString &folder, const QByteArray &key16,
                                     const ResultFileVisitor &visit, LoadedProfile &profile)
{
    auto loaded = loadGroup(folder, key16, visit);
    if (auto *error = std::get_if<GroupError>(&loaded))
        return std::move(*error);
    profile.group = std::move(std::get<GroupResult>(loaded));
    profile.code = QStringLiteral("Group");
    profile.info = groupInfoLine(profile.group.n);
    return std::nullopt;
}

std::optional<GroupError> loadFile(const QString &path, const QByteArray &key16,
                                   const ResultFileVisitor &visit, LoadedProfile &profile)
{
    QByteArray plain;
    auto loaded = loadIndividualResult(path, key16, &plain);
    if (const auto *error = std::get_if<LoadError>(&loaded))
        return GroupError{path, error->message, error->line, error->reason};
    IndividualResult &result = std::get<IndividualResult>(loaded);
    visit(path, ResultText(plain), result.answers);
    profile.code = std::move(result.code);
    profile.info = std::move(result.info);
    GroupBuilder one;
    one.add(result.answers, path, profile.code);
    profile.group = one.take();
    return std::nullopt;
}

} // namespace

std::variant<LoadedProfile, GroupError> loadProfile(const QString &path, const QByteArray &key16,
                                                    LoadAs as, const ResultFileVisitor &visit)
{
    const bool folder =
        as == LoadAs::Folder || (as == LoadAs::FileOrFolder && QFileInfo(path).isDir());
    LoadedProfile profile;
    const ResultFileVisitor noteWarnings = [&](const QString &file, const ResultText &text,
                                               const AnswerTable &answers) {
        profile.warnings.push_back(readWarnings(text, answers));
        if (visit)
            visit(file, text, answers);
    };
    auto error = folder ? loadFolder(path, key16, noteWarnings, profile)
                        : loadFile(path, key16, noteWarnings, profile);
    if (error)
        return std::move(*error);
    return profile;
}

} // namespace survey
