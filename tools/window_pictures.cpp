#include "window_pictures.h"

#include "colour_for_index.h"
#include "gif/gif_writer.h"
#include "plot_pictures.h"

#include <QBuffer>
#include <QLocale>

namespace cli {

QImage plotACanvas(const WindowProfile &profile, const PlotColours &colours)
{
    survey::ProfileScores drawn{};
    return plots::renderPlotA(QSize(kPlotAWidth, kPlotAHeight), profile.fields,
                              plots::ColorForIndex(colours.current),
                              plots::ColorForIndex(colours.preferred), profile.separator, drawn);
}

QImage savedPlotA(const WindowProfile &profile, const PlotColours &colours)
{
    return plots::savedPlotAPicture(profile.info, plotACanvas(profile, colours));
}

QImage savedPlotB(const WindowProfile &profile, const PlotColours &colours)
{
    return plots::savedPlotBPicture(profile.info, profile.group.means,
                                    plots::ColorForIndex(colours.current),
                                    plots::ColorForIndex(colours.preferred), QLocale());
}

QImage plotCChart(const WindowProfile &profile, int currentColour, bool marks)
{
    return plots::differenceChartPicture(profile.scores, plots::ColorForIndex(currentColour), marks,
                                         QLocale());
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

} // namespace cli
