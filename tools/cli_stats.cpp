// ocai-cli stats: how a group's respondents spread around the group profile.
#include "cli_common.h"
#include "cli_group_args.h"
#include "group_statistics.h"
#include "statistics_report.h"

#include <QDir>
#include <QJsonDocument>

namespace cli {
namespace {

const char kStatsHelp[] =
    "usage: ocai-cli stats (FILE|DIR) [--format text|csv|json] [--seed N]\n"
    "                      [--mean arithmetic|geometric]\n"
    "Statistics of a group: every \"*OCAI.cry\" file of DIR is a respondent; a FILE is a group\n"
    "of one. For each type and state: the mean (the group profile), the sample standard\n"
    "deviation (n - 1), minimum, maximum and a 95 % percentile bootstrap interval of the mean\n"
    "(2000 resamples of whole respondents, seeded by --seed, default 1: the same figures on\n"
    "every run). Then preferred - current per type, flagged at 10 points or more; the dominant\n"
    "type of each state (ties named together) and its lead over the second; and for each\n"
    "question of the mean table its dominant current type and the mean absolute difference\n"
    "of its four current points from the arithmetic current profile.\n"
    "Text is Russian; csv (key,value) and json carry the same figures in full precision.\n";

} // namespace

int runStats(const QStringList &args)
{
    GroupOptions options;
    const GroupOptionRules rules{
        QStringLiteral("stats"),
        {QStringLiteral("text"), QStringLiteral("csv"), QStringLiteral("json")}};
    if (const auto done = parseGroupCommand(
            args, rules, QStringLiteral("; see ocai-cli stats --help"), kStatsHelp, options))
        return *done;

    const QString path = options.paths[0];
    const auto loaded = loadGroupArgument(path);
    if (const auto *error = std::get_if<survey::GroupError>(&loaded))
        return dataError(groupErrorText(*error));
    const survey::GroupStatistics statistics = survey::groupStatistics(
        std::get<survey::LoadedProfile>(loaded).group, options.mean, options.seed);
    switch (options.format) {
    case OutputFormat::Csv:
        return finishOutput(survey::statisticsCsv(statistics));
    case OutputFormat::Json:
        return finishOutput(QJsonDocument(survey::statisticsJson(statistics)).toJson());
    case OutputFormat::Text:
        break;
    }
    return finishOutput(
        survey::statisticsText(statistics, QDir::toNativeSeparators(path)).toUtf8());
}

} // namespace cli
