#include "documents/export_data.h"

#include "survey/result_file.h"

#include <QDir>
#include <QFileInfo>

namespace documents {
namespace {

QString groupName(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isDir())
        return info.completeBaseName();
    // "dept/", "." and ".." name the folder itself; the root has no name.
    return QFileInfo(QDir::cleanPath(info.absoluteFilePath())).fileName();
}

// A spreadsheet cell holds at most 32767 characters, and no line of a result file can hold
// more: the cipher writes two letters per byte, so a whole plain text stays within that.
static_assert(survey::kMaxCipherTextLength / 2 <= 32767);

} // namespace

std::variant<ExportGroup, survey::GroupError>
loadExportGroup(const survey::GroupSource &source, survey::MeanKind mean, std::uint64_t seed)
{
    ExportGroup group;
    group.path = QDir::toNativeSeparators(source.path);
    group.name = groupName(source.path);
    const auto keep = [&group](const QString &file, const survey::ResultText &text,
                               const survey::AnswerTable &answers) {
        RespondentRow row;
        row.fileName = QFileInfo(file).fileName();
        for (std::size_t i = 0; i < kRespondentTextLines.size(); ++i)
            row.texts[i] = text.lineText(kRespondentTextLines[i]);
        row.answers = answers;
        row.scores = survey::profileFromAnswers(answers);
        group.respondents.push_back(std::move(row));
    };
    const auto loaded = survey::loadGroupSource(source, keep);
    if (const auto *error = std::get_if<survey::GroupError>(&loaded))
        return *error;
    const survey::GroupResult &result = std::get<survey::LoadedProfile>(loaded).group;
    group.means = result.means;
    group.statistics = survey::groupStatistics(result, mean, seed);
    return group;
}

} // namespace documents
