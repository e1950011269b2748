#include "group_source.h"

#include "result_file.h"

#include <QFileInfo>

namespace survey {

std::variant<SurveyGroup, GroupError> loadFileOrGroup(const QString &path, const QByteArray &key16,
                                                      const ResultFileVisitor &visit)
{
    if (QFileInfo(path).isDir()) {
        auto loaded = loadGroup(path, key16, visit);
        if (auto *error = std::get_if<GroupError>(&loaded))
            return std::move(*error);
        GroupResult &group = std::get<GroupResult>(loaded);
        const int n = group.n;
        return SurveyGroup{std::move(group), QStringLiteral("Group"), groupInfoLine(n)};
    }
    QByteArray plain;
    const auto loaded = loadIndividualResult(path, key16, visit ? &plain : nullptr);
    if (const auto *error = std::get_if<LoadError>(&loaded))
        return GroupError{path, error->message, error->line};
    const auto &result = std::get<IndividualResult>(loaded);
    if (visit)
        visit(path, ResultText(plain), result.answers);
    SurveyGroup single{{}, result.code, result.info};
    single.group.n = 1;
    single.group.means = result.answers;
    single.group.scores = profileFromAnswers(result.answers);
    single.group.respondents = {single.group.scores};
    single.group.files = QStringList{path};
    return single;
}

} // namespace survey
