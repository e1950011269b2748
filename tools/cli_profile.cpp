// ocai-cli profile: a FILE or DIR loaded as the "Data" or "Group" command loads it, scores
// printed.
#include "cli_common.h"
#include "cli_group_args.h"
#include "core/number_format.h"
#include "window_pictures.h"

namespace cli {
namespace {

const char kProfileHelp[] =
    "usage: ocai-cli profile [--mean arithmetic|geometric] [--] (FILE|DIR)\n"
    "Four lines: the code (\"Group\" for a DIR), the information line, the current and the\n"
    "preferred scores A B C D with two decimals and \".\". A DIR is every \"*OCAI.cry\" file\n"
    "in it, averaged as the window's \"Group\" command does.\n"
    "For a FILE both means give the file's own scores, except that geometric counts a type\n"
    "score of 0 as 0.5 and scales the four of each state to sum 100.\n";

QString scoreList(const survey::ProfileScores &scores, int first)
{
    QStringList texts;
    for (int k = 0; k < survey::kTypeCount; ++k)
        texts << numfmt::formatFixed(scores[std::size_t(first + k)], 0, 2, QLatin1Char('.'));
    return texts.join(QLatin1Char(' '));
}

} // namespace

int runProfile(const QStringList &args)
{
    GroupOptions options;
    GroupOptionRules rules{QStringLiteral("profile"), {}};
    rules.takesSeed = false;
    if (const auto done = parseGroupCommand(
            args, rules, QStringLiteral("; usage: ") + QLatin1String(kProfileUsage), kProfileHelp,
            options))
        return *done;

    const auto loaded = windowProfile(loadGroupArgument(options.paths[0]), options.mean);
    if (const auto *error = std::get_if<survey::GroupError>(&loaded))
        return dataError(groupErrorText(*error));
    const WindowProfile &profile = std::get<WindowProfile>(loaded);
    const QString report = QStringLiteral("code: %1\ninfo: %2\ncurrent: %3\npreferred: %4\n")
                               .arg(profile.code, profile.info, scoreList(profile.loadScores, 0),
                                    scoreList(profile.loadScores, survey::kTypeCount));
    return finishOutput(report.toUtf8());
}

} // namespace cli
