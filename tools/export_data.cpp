#include "export_data.h"

#include "group_source.h"
#include "unit_pc1.h"

#include <QDir>
#include <QFileInfo>

namespace cli {
namespace {

QString groupName(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isDir())
        return info.completeBaseName();
    // "dept/", "." and ".." name the folder itself; the root has no name.
    return QFileInfo(QDir::cleanPath(info.absoluteFilePath())).fileName();
}

// `text` as a cell can hold it; a surrogate pair is never split.
QString cellText(const QString &text, bool &cut)
{
    cut = text.size() > kMaxCellText;
    if (!cut)
        return text;
    qsizetype keep = kMaxCellText;
    if (text.at(keep - 1).isHighSurrogate())
        --keep;
    return text.left(keep);
}

} // namespace

std::variant<ExportGroup, survey::GroupError>
loadExportGroup(const QString &path, survey::MeanKind mean, std::uint64_t seed)
{
    ExportGroup group;
    group.path = QDir::toNativeSeparators(path);
    group.name = groupName(path);
    const auto keep = [&group](const QString &file, const survey::ResultText &text,
                               const survey::AnswerTable &answers) {
        RespondentRow row;
        row.fileName = QFileInfo(file).fileName();
        for (std::size_t i = 0; i < kRespondentTextLines.size(); ++i) {
            bool cut = false;
            row.texts[i] = cellText(text.lineText(kRespondentTextLines[i]), cut);
            if (cut)
                group.notes << QStringLiteral("%1: line %2 is cut to the %3 characters a cell "
                                              "holds")
                                   .arg(QDir::toNativeSeparators(file))
                                   .arg(kRespondentTextLines[i] + 1)
                                   .arg(kMaxCellText);
        }
        row.answers = answers;
        row.scores = survey::profileFromAnswers(answers);
        group.respondents.push_back(std::move(row));
    };
    const auto loaded =
        survey::loadFileOrGroup(path, survey::pc1KeyBytes(survey::Pc1KeyText), keep);
    if (const auto *error = std::get_if<survey::GroupError>(&loaded))
        return *error;
    group.statistics =
        survey::groupStatistics(std::get<survey::SurveyGroup>(loaded).group, mean, seed);
    return group;
}

} // namespace cli
