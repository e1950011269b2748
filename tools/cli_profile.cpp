// ocai-cli profile: one result file loaded as the "Data" command loads it, scores printed.
#include "cli_common.h"
#include "cli_io.h"
#include "core/number_format.h"
#include "profile_model.h"
#include "result_file.h"
#include "unit_pc1.h"

#include <QDir>

namespace cli {
namespace {

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
    // One file name, after "--" when it begins with "-".
    const bool afterDashes = args.value(0) == QLatin1String("--");
    const QStringList names = afterDashes ? args.mid(1) : args;
    if (names.size() != 1 ||
        (!afterDashes && names[0].startsWith(QLatin1Char('-')) && names[0].size() > 1))
        return usageError(QStringLiteral("usage: ") + QLatin1String(kProfileUsage));
    const QString path = names[0];

    const auto loaded = survey::loadIndividualResult(path, survey::pc1KeyBytes(survey::Pc1KeyText));
    if (const auto *error = std::get_if<survey::LoadError>(&loaded)) {
        if (error->line == 0)
            return dataError(error->message);
        return dataError(
            QStringLiteral("%1:%2: %3")
                .arg(QDir::toNativeSeparators(path), QString::number(error->line), error->message));
    }
    const auto &result = std::get<survey::IndividualResult>(loaded);
    const survey::ProfileScores scores = survey::profileFromAnswers(result.answers);
    const QString report = QStringLiteral("code: %1\ninfo: %2\ncurrent: %3\npreferred: %4\n")
                               .arg(result.code, result.info, scoreList(scores, 0),
                                    scoreList(scores, survey::kTypeCount));
    if (!writeStdout(report.toUtf8()))
        return dataError(QStringLiteral("cannot write the output"));
    return kExitOk;
}

} // namespace cli
