#include "plot_args.h"

#include "cli_common.h"
#include "core/number_format.h"

namespace cli {
namespace {

const QString kCurrentColour = QStringLiteral("--current-colour");
const QString kPreferredColour = QStringLiteral("--preferred-colour");
const QString kOut = QStringLiteral("--out");
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
    const QStringList valueOptions = plotC ? QStringList{kCurrentColour, kOut}
                                           : QStringList{kCurrentColour, kPreferredColour, kOut};
    const auto scanned =
        scanArgs(command, args, valueOptions, plotC ? QStringList{kMarks} : QStringList{});
    if (const auto *error = std::get_if<QString>(&scanned))
        return usage(*error);
    const ScannedArgs &options = std::get<ScannedArgs>(scanned);
    if (options.positionals.size() != 1 || !options.values.contains(kOut))
        return usage(QStringLiteral("usage: ") + QLatin1String(usageLine(plot)));

    PlotArgs result;
    result.plot = plot;
    result.source = options.positionals[0];
    result.out = options.values.value(kOut);
    result.marks = options.flags.contains(kMarks);
    if (result.source.isEmpty())
        return usage(command + QStringLiteral(": an empty path"));
    if (result.out.isEmpty())
        return usage(command + QStringLiteral(": --out needs a file name"));
    const auto format = pictureFormatFor(command, result.out);
    if (const auto *error = std::get_if<QString>(&format))
        return usage(*error);
    result.format = std::get<PictureFormat>(format);

    const std::pair<const QString &, int &> colours[] = {
        {kCurrentColour, result.currentColour}, {kPreferredColour, result.preferredColour}};
    for (const auto &[name, index] : colours) {
        if (!options.values.contains(name))
            continue;
        const auto parsed = numfmt::parseInt32(options.values.value(name));
        if (!parsed)
            return usage(QStringLiteral("%1: %2 needs a whole number, not '%3'")
                             .arg(command, name, options.values.value(name)));
        index = *parsed;
    }
    return result;
}

} // namespace cli
