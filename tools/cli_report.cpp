// ocai-cli report: the text report "Save Data" writes after loading a FILE or DIR.
#include "cli_args.h"
#include "cli_common.h"
#include "cli_group_args.h"
#include "cli_io.h"
#include "report.h"
#include "window_pictures.h"

#include <QDate>
#include <QDir>
#include <QLocale>

namespace cli {

int runReport(const QStringList &args)
{
    const auto scanned = scanArgs(QStringLiteral("report"), args, {{kOutOption}});
    if (const auto *error = std::get_if<QString>(&scanned))
        return usageError(*error + QStringLiteral("; usage: ") + QLatin1String(kReportUsage));
    const ScannedArgs &options = std::get<ScannedArgs>(scanned);
    if (options.positionals.size() != 1 || options.positionals[0].isEmpty() ||
        options.values.value(kOutOption).isEmpty())
        return usageError(QStringLiteral("usage: ") + QLatin1String(kReportUsage));

    const QString path = options.positionals[0];
    const auto loaded = windowProfile(loadGroupArgument(path));
    if (const auto *error = std::get_if<survey::GroupError>(&loaded))
        return dataError(groupErrorText(*error));
    const WindowProfile &profile = std::get<WindowProfile>(loaded);
    // The window saves nothing, silently, when every point is 0; here the user learns why.
    if (!survey::answersPresent(profile.group.means))
        return dataError(QStringLiteral("report: %1 holds no answers (every point is 0); "
                                        "nothing is written")
                             .arg(QDir::toNativeSeparators(path)));

    survey::ReportInput input;
    input.date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    input.code = profile.code;
    input.info = profile.info;
    input.scores = profile.scores;
    input.answers = profile.group.means;
    if (const auto error =
            writeOutputFile(options.values.value(kOutOption), survey::reportText(input)))
        return dataError(*error);
    return kExitOk;
}

} // namespace cli
