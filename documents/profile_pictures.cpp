#include "documents/profile_pictures.h"

#include "charts/fonts.h"
#include "core/number_format.h"
#include "documents/plot_pictures.h"
#include "gif/gif_writer.h"
#include "plots/colour_for_index.h"
#include "plots/text_cell.h"
#include "survey/resource.h"

#include <QBuffer>
#include <QLocale>

namespace documents {

std::variant<WindowProfile, survey::GroupError>
windowProfile(std::variant<survey::LoadedProfile, survey::GroupError> loaded, survey::MeanKind mean)
{
    if (auto *error = std::get_if<survey::GroupError>(&loaded))
        return std::move(*error);
    survey::LoadedProfile &source = std::get<survey::LoadedProfile>(loaded);
    WindowProfile profile;
    profile.code = std::move(source.code);
    profile.info = std::move(source.info);
    profile.mean = mean;
    profile.group = std::move(source.group);
    profile.loadScores = survey::groupMeans(profile.group, mean);
    profile.separator = numfmt::localeDecimalSeparator();
    profile.fields = plots::scoreFields(profile.loadScores, profile.separator);
    const auto parsed = plots::parseScoreFields(profile.fields, profile.separator);
    if (!std::holds_alternative<survey::ProfileScores>(parsed))
        return survey::GroupError{profile.group.files.value(0),
                                  QStringLiteral("оценки не читаются обратно как числа")};
    profile.scores = std::get<survey::ProfileScores>(parsed);
    return profile;
}

QImage plotACanvas(const WindowProfile &profile, const PlotColours &colours)
{
    survey::ProfileScores drawn{};
    return plots::renderPlotA(plots::kPlotACanvas, profile.fields,
                              plots::ColorForIndex(colours.current),
                              plots::ColorForIndex(colours.preferred), profile.separator, drawn);
}

QImage savedPlotA(const WindowProfile &profile, const PlotColours &colours)
{
    return documents::savedPlotAPicture(profile.info, plotACanvas(profile, colours));
}

QImage savedPlotB(const WindowProfile &profile, const PlotColours &colours)
{
    return documents::savedPlotBPicture(profile.info, profile.group.means,
                                        plots::ColorForIndex(colours.current),
                                        plots::ColorForIndex(colours.preferred), QLocale());
}

QImage plotCChart(const WindowProfile &profile, int currentColour, bool marks)
{
    return documents::differenceChartPicture(profile.scores, plots::ColorForIndex(currentColour),
                                             marks, QLocale());
}

QString pictureFontProblem()
{
    // Plot A's own words and figures: every picture's text is drawn in its font.
    const plots::PlotAStyle style;
    QString texts = style.currentCaption + style.preferredCaption + QStringLiteral("0123456789,.");
    for (int type = 0; type < 4; ++type)
        texts += survey::typeLabel(type);
    for (const bool bold : {false, true}) {
        if (const QString problem = ui::fontProblem(plots::plotFont(16, bold), texts);
            !problem.isEmpty())
            return QStringLiteral("Рисунок не составлен: ") + problem;
    }
    return {};
}

QByteArray encodePicture(const QImage &picture, PictureFormat format)
{
    if (format == PictureFormat::Gif)
        return gifio::encodeGif87a(picture);
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        return QByteArray();
    return png;
}

} // namespace documents
