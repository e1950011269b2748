// ocai-cli plot a|b|c: the pictures the window saves after loading a FILE or DIR, and the
// profile diagram of given scores.
#include "cli_common.h"
#include "cli_group_args.h"
#include "cli_io.h"
#include "colour_for_index.h"
#include "core/number_format.h"
#include "plot_a.h"
#include "plot_a_args.h"
#include "plot_args.h"
#include "window_pictures.h"

namespace cli {
namespace {

int writePicture(const QString &command, const QImage &picture, PictureFormat format,
                 const QString &out)
{
    const QByteArray bytes = encodePicture(picture, format);
    if (bytes.isEmpty())
        return dataError(QStringLiteral("%1: the picture cannot be encoded").arg(command));
    if (const auto error = writeOutputFile(out, bytes))
        return dataError(*error);
    return kExitOk;
}

bool givesScores(const QStringList &args)
{
    for (const QString &arg : args) {
        if (arg == QLatin1String("--"))
            return false;
        if (arg == QLatin1String("--scores") || arg.startsWith(QLatin1String("--scores=")))
            return true;
    }
    return false;
}

// The scores go into the fields as a load writes them, and are drawn from there.
int plotScores(const QStringList &args)
{
    const QChar separator = numfmt::localeDecimalSeparator();
    const auto parsed = parsePlotAArgs(args, separator);
    if (const auto *error = std::get_if<ArgsError>(&parsed))
        return error->exitCode == kExitUsage ? usageError(error->message)
                                             : dataError(error->message);
    const PlotAArgs &plot = std::get<PlotAArgs>(parsed);

    plots::PlotAFields fields;
    std::copy(plot.fields.begin(), plot.fields.begin() + 4, fields.current.begin());
    std::copy(plot.fields.begin() + 4, plot.fields.end(), fields.preferred.begin());
    survey::ProfileScores scores{};
    bool drawn = false;
    const QImage canvas = plots::renderPlotA(
        QSize(kPlotAWidth, kPlotAHeight), fields, plots::ColorForIndex(plot.currentColour),
        plots::ColorForIndex(plot.preferredColour), separator, scores, &drawn);
    if (!drawn)
        return dataError(QStringLiteral("plot a: the scores do not read back as numbers"));
    return writePicture(QStringLiteral("plot a"), canvas, plot.format, plot.out);
}

int plotLoaded(QChar letter, const QStringList &args)
{
    const auto parsed = parsePlotArgs(letter, args);
    if (const auto *error = std::get_if<ArgsError>(&parsed))
        return usageError(error->message);
    const PlotArgs &plot = std::get<PlotArgs>(parsed);
    const auto loaded = windowProfile(loadGroupArgument(plot.source));
    if (const auto *error = std::get_if<survey::GroupError>(&loaded))
        return dataError(groupErrorText(*error));
    const WindowProfile &profile = std::get<WindowProfile>(loaded);
    const PlotColours colours{plot.currentColour, plot.preferredColour};
    const QImage picture = letter == u'a'   ? savedPlotA(profile, colours)
                           : letter == u'b' ? savedPlotB(profile, colours)
                                            : plotCChart(profile, plot.currentColour, plot.marks);
    return writePicture(QStringLiteral("plot ") + letter, picture, plot.format, plot.out);
}

} // namespace

int runPlot(const QStringList &args)
{
    const QString plotUsages =
        QStringLiteral("usage: %1 | %2 | %3 | %4")
            .arg(QLatin1String(kPlotAUsage), QLatin1String(kPlotAScoresUsage),
                 QLatin1String(kPlotBUsage), QLatin1String(kPlotCUsage));
    if (args.isEmpty())
        return usageError(plotUsages);
    const QString letter = args[0];
    if (letter != QLatin1String("a") && letter != QLatin1String("b") &&
        letter != QLatin1String("c"))
        return usageError(
            QStringLiteral("plot: unknown plot '%1' (a, b or c); %2").arg(letter, plotUsages));
    const QStringList rest = args.mid(1);
    if (letter == QLatin1String("a") && givesScores(rest))
        return plotScores(rest);
    return plotLoaded(letter[0], rest);
}

} // namespace cli
