// ocai-cli plot a|b|c: the pictures the window saves after loading a FILE or DIR, and the
// profile diagram of given scores.
#include "core/number_format.h"
#include "documents/profile_pictures.h"
#include "plots/colour_for_index.h"
#include "plots/plot_a.h"
#include "tools/cli_common.h"
#include "tools/cli_group_args.h"
#include "tools/cli_io.h"
#include "tools/plot_a_args.h"

namespace cli {
namespace {

int writePicture(const QString &command, const QImage &picture, documents::PictureFormat format,
                 const QString &out)
{
    if (const QString problem = documents::pictureFontProblem(); !problem.isEmpty())
        return dataError(problem);
    const QByteArray bytes = documents::encodePicture(picture, format);
    if (bytes.isEmpty())
        return dataError(QStringLiteral("%1: не удаётся закодировать картинку").arg(command));
    if (const auto error = writeOutputFile(out, bytes))
        return dataError(*error);
    return kExitOk;
}

// The scores go into the fields as a load writes them, and are drawn from there.
int plotScores(const ParsedArgs &args)
{
    const QChar separator = numfmt::localeDecimalSeparator();
    const auto picture = readPictureOptions(args);
    if (const auto *error = std::get_if<QString>(&picture))
        return usageError(*error);
    const PictureOptions &plot = std::get<PictureOptions>(picture);
    const auto parsed = parseScores(args.value("scores"), separator);
    if (const auto *error = std::get_if<ArgsError>(&parsed))
        return error->exitCode == kExitUsage ? usageError(error->message)
                                             : dataError(error->message);
    const ScoreFields &given = std::get<ScoreFields>(parsed);

    plots::PlotAFields fields;
    std::copy(given.begin(), given.begin() + 4, fields.current.begin());
    std::copy(given.begin() + 4, given.end(), fields.preferred.begin());
    survey::ProfileScores scores{};
    bool drawn = false;
    const QImage canvas =
        plots::renderPlotA(plots::kPlotACanvas, fields, plots::ColorForIndex(plot.currentColour),
                           plots::ColorForIndex(plot.preferredColour), separator, scores, &drawn);
    if (!drawn)
        return dataError(QStringLiteral("plot a: оценки не читаются обратно как числа"));
    return writePicture(args.command(), canvas, plot.format, plot.out);
}

int plotLoaded(QChar letter, const ParsedArgs &args)
{
    const auto options = readPictureOptions(args);
    if (const auto *error = std::get_if<QString>(&options))
        return usageError(*error);
    const PictureOptions &plot = std::get<PictureOptions>(options);
    const auto loaded = documents::windowProfile(loadGroupArgument(args.operands[0]));
    if (const auto *error = std::get_if<survey::GroupError>(&loaded))
        return dataError(groupErrorText(*error));
    const documents::WindowProfile &profile = std::get<documents::WindowProfile>(loaded);
    const documents::PlotColours colours{plot.currentColour, plot.preferredColour};
    const QImage picture =
        letter == u'a'   ? documents::savedPlotA(profile, colours)
        : letter == u'b' ? documents::savedPlotB(profile, colours)
                         : documents::plotCChart(profile, plot.currentColour, args.isSet("marks"));
    return writePicture(args.command(), picture, plot.format, plot.out);
}

} // namespace

int runPlotA(const ParsedArgs &args)
{
    return args.isSet("scores") ? plotScores(args) : plotLoaded(u'a', args);
}

int runPlotB(const ParsedArgs &args)
{
    return plotLoaded(u'b', args);
}

int runPlotC(const ParsedArgs &args)
{
    return plotLoaded(u'c', args);
}

} // namespace cli
