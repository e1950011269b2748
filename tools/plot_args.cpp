#include "plot_args.h"

#include "cli_common.h"

namespace cli {
namespace {

const QString kMarks = QStringLiteral("--marks");

ArgsError usage(const QString &message)
{
    return {message, kExitUsage};
}

const char *usageLine(QChar plot)
{
    return plot == u'a' ? kPlotAUsage : plot == u'b' ? kPlotBUsage : kPlotCUsage;
}

} // namespace

std::variant<PlotArgs, ArgsError> parsePlotArgs(QChar plot, const QStringList &args)
{
    const QString command = QStringLiteral("plot ") + plot;
    const bool plotC = plot == u'c';
    ScanRules rules;
    rules.valueOptions = QStringList{kCurrentColourOption, kOutOption};
    if (plotC)
        rules.flagOptions = QStringList{kMarks};
    else
        rules.valueOptions << kPreferredColourOption;
    const auto scanned = scanArgs(command, args, rules);
    if (const auto *error = std::get_if<QString>(&scanned))
        return usage(*error);
    const ScannedArgs &options = std::get<ScannedArgs>(scanned);
    if (options.positionals.size() != 1 || !options.values.contains(kOutOption))
        return usage(QStringLiteral("usage: ") + QLatin1String(usageLine(plot)));
    if (options.positionals[0].isEmpty())
        return usage(command + QStringLiteral(": an empty path"));
    const auto picture = readPictureOptions(command, options);
    if (const auto *error = std::get_if<QString>(&picture))
        return usage(*error);

    PlotArgs result;
    static_cast<PictureOptions &>(result) = std::get<PictureOptions>(picture);
    result.source = options.positionals[0];
    result.marks = options.flags.contains(kMarks);
    return result;
}

} // namespace cli
