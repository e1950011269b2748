#include "documents/export_data.h"

#include "survey/profile_load.h"
#include "survey/result_file.h"
#include "survey/unit_pc1.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace documents {

QString groupName(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isDir())
        return info.completeBaseName();
    // "dept/", "." and ".." name the folder itself; the root has no name.
    return QFileInfo(QDir::cleanPath(info.absoluteFilePath())).fileName();
}

namespace {

// A spreadsheet cell holds at most 32767 characters, and no line of a result file can hold
// more: the cipher writes two letters per byte, so a whole plain text stays within that.
static_assert(survey::kMaxCipherTextLength / 2 <= 32767);

// The files of a source in the order the group takes them.
std::variant<QStringList, survey::GroupError> sourceFiles(const survey::GroupSource &source)
{
    if (!source.files.isEmpty())
        return source.files;
    if (QFileInfo(source.path).isDir())
        return survey::groupFiles(source.path);
    return QStringList{source.path};
}

} // namespace

void computeStatistics(ExportGroup &group, survey::MeanKind mean, std::uint64_t seed)
{
    group.statistics = survey::groupStatistics(group.result, mean, seed);
}

std::variant<ExportGroup, survey::GroupError>
loadExportGroup(const survey::GroupSource &source, survey::MeanKind mean, std::uint64_t seed)
{
    auto files = sourceFiles(source);
    if (const auto *error = std::get_if<survey::GroupError>(&files))
        return *error;
    ExportGroup group;
    group.path = QDir::toNativeSeparators(source.path);
    group.name = groupName(source.path);
    const bool folder = QFileInfo(source.path).isDir() || !source.files.isEmpty();
    static const QByteArray key = survey::programKey();
    survey::GroupBuilder builder;
    std::optional<survey::GroupError> firstFailure;
    for (const QString &file : std::get<QStringList>(files)) {
        RespondentRow row;
        row.fileName = QFileInfo(file).fileName();
        const auto keep = [&row](const QString &, const survey::ResultText &text,
                                 const survey::AnswerTable &answers) {
            for (std::size_t i = 0; i < kRespondentTextLines.size(); ++i)
                row.texts[i] = text.lineText(kRespondentTextLines[i]);
            row.answers = answers;
            row.scores = survey::profileFromAnswers(answers);
        };
        const auto loaded = survey::loadProfile(file, key, survey::LoadAs::File, keep);
        if (const auto *error = std::get_if<survey::GroupError>(&loaded)) {
            if (!firstFailure)
                firstFailure = *error;
            group.leftOut.push_back({row.fileName, error->text()});
            continue;
        }
        const survey::LoadedProfile &profile = std::get<survey::LoadedProfile>(loaded);
        const QStringList &warnings = profile.warnings.at(0);
        if (!warnings.isEmpty())
            group.warned.push_back({row.fileName, warnings.join(QStringLiteral("; "))});
        group.code = profile.code;
        group.info = profile.info;
        builder.add(row.answers, file, row.code());
        group.respondents.push_back(std::move(row));
    }
    if (!firstFailure && builder.n() == 0)
        return survey::GroupError{source.path,
                                  QStringLiteral("В папке «%1» нет файлов результатов «%2».")
                                      .arg(QDir::toNativeSeparators(source.path),
                                           QLatin1String(survey::kGroupFilePattern))};
    if (builder.n() == 0)
        return *firstFailure;
    group.result = builder.take();
    group.respondent = !folder;
    if (folder) {
        group.code = QStringLiteral("Group");
        group.info = survey::groupInfoLine(group.result.n);
    }
    computeStatistics(group, mean, seed);
    return group;
}

} // namespace documents
