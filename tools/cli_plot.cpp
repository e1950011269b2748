// ocai-cli plot a: the profile diagram drawn as the window draws it, saved as PNG.
#include "cli_common.h"
#include "cli_io.h"
#include "colour_for_index.h"
#include "core/number_format.h"
#include "plot_a.h"
#include "plot_a_args.h"

#include <QBuffer>

namespace cli {
namespace {

// The window's image control.
const QSize kPlotASize(686, 672);

} // namespace

int runPlot(const QStringList &args)
{
    if (args.isEmpty())
        return usageError(QStringLiteral("usage: ") + QLatin1String(kPlotAUsage));
    if (args[0] != QLatin1String("a"))
        return usageError(QStringLiteral("plot: unknown plot '%1' (only 'a'); usage: %2")
                              .arg(args[0], QLatin1String(kPlotAUsage)));
    // The scores go into the fields as a load writes them, and are drawn from there.
    const QChar separator = numfmt::localeDecimalSeparator();
    const auto parsed = parsePlotAArgs(args.mid(1), separator);
    if (const auto *error = std::get_if<ArgsError>(&parsed))
        return error->exitCode == kExitUsage ? usageError(error->message)
                                             : dataError(error->message);
    const PlotAArgs &plot = std::get<PlotAArgs>(parsed);

    plots::PlotAFields fields;
    std::copy(plot.fields.begin(), plot.fields.begin() + 4, fields.current.begin());
    std::copy(plot.fields.begin() + 4, plot.fields.end(), fields.preferred.begin());
    survey::ProfileScores scores{};
    bool drawn = false;
    const QImage canvas =
        plots::renderPlotA(kPlotASize, fields, plots::ColorForIndex(plot.currentColour),
                           plots::ColorForIndex(plot.preferredColour), separator, scores, &drawn);
    if (!drawn)
        return dataError(QStringLiteral("plot a: the scores do not read back as numbers"));

    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !canvas.save(&buffer, "PNG"))
        return dataError(QStringLiteral("plot a: the image cannot be encoded as PNG"));
    if (const auto error = writeOutputFile(plot.out, png))
        return dataError(*error);
    return kExitOk;
}

} // namespace cli
