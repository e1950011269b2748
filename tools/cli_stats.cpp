// ocai-cli stats: how a group's respondents spread around the group profile.
#include "documents/statistics_report.h"
#include "survey/group_statistics.h"
#include "tools/cli_common.h"
#include "tools/cli_group_args.h"
#include "tools/cli_io.h"

#include <QDir>
#include <QJsonDocument>

namespace cli {

int runStats(const ParsedArgs &args)
{
    const GroupOptions options = groupOptions(args);
    const QString path = args.operands[0];
    const auto loaded = loadGroupArgument(path);
    if (const auto *error = std::get_if<survey::GroupError>(&loaded))
        return dataError(groupErrorText(*error));
    const survey::GroupStatistics statistics = survey::groupStatistics(
        std::get<survey::LoadedProfile>(loaded).group, options.mean, options.seed);
    switch (options.format) {
    case OutputFormat::Csv:
        return finishOutput(documents::statisticsCsv(statistics));
    case OutputFormat::Json:
        return finishOutput(QJsonDocument(documents::statisticsJson(statistics)).toJson());
    case OutputFormat::Text:
        break;
    }
    return finishOutput(
        documents::statisticsText(statistics, escapeControls(QDir::toNativeSeparators(path)))
            .toUtf8());
}

} // namespace cli
