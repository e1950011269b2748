// ocai-cli profile: a FILE or DIR loaded as the "Data" or "Group" command loads it, scores
// printed.
#include "documents/profile_pictures.h"
#include "tools/cli_common.h"
#include "tools/cli_group_args.h"
#include "tools/cli_io.h"

namespace cli {
namespace {

QString scoreList(const survey::ProfileMeans &scores, int first)
{
    QStringList texts;
    for (int k = 0; k < survey::kTypeCount; ++k)
        texts << survey::formatMean(scores[std::size_t(first + k)], 2);
    return texts.join(QLatin1Char(' '));
}

} // namespace

int runProfile(const ParsedArgs &args)
{
    const GroupOptions options = groupOptions(args);
    const auto loaded = documents::windowProfile(loadGroupArgument(args.operands[0]), options.mean);
    if (const auto *error = std::get_if<survey::GroupError>(&loaded))
        return dataError(groupErrorText(*error));
    const documents::WindowProfile &profile = std::get<documents::WindowProfile>(loaded);
    // A line break in a damaged file's code would forge a line of its own.
    const QString report = QStringLiteral("code: %1\ninfo: %2\ncurrent: %3\npreferred: %4\n")
                               .arg(escapeControls(profile.code), escapeControls(profile.info),
                                    scoreList(profile.loadScores, 0),
                                    scoreList(profile.loadScores, survey::kTypeCount));
    return finishOutput(report.toUtf8());
}

} // namespace cli
