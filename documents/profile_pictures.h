#pragma once

#include "documents/picture_format.h"
#include "plots/plot_a.h"
#include "plots/start_colours.h"
#include "survey/group_mean.h"
#include "survey/profile_load.h"

#include <QByteArray>
#include <QChar>
#include <QImage>
#include <QString>
#include <variant>

// What the window shows after loading a FILE or DIR, and the pictures it saves then, drawn
// without a screen.
namespace documents {

struct WindowProfile {
    QString code; // ceCode: the respondent's code, or "Group"
    QString info; // ceInfo: the file's information line, or the group line
    survey::MeanKind mean = survey::MeanKind::Arithmetic;
    survey::GroupResult group;       // AnswerTable is group.means; a FILE is a group of one
    survey::ProfileMeans loadScores; // the profile the load computes
    QChar separator;                 // the locale's decimal separator of the score fields
    plots::PlotAFields fields;       // the score fields: "%5.2f" with `separator`
    survey::ProfileScores scores{};  // as the Plot A drawing parses the fields back: two decimals
};

// The window after `loaded` (survey::loadProfile's result, passed on when it failed). The
// profile is survey::groupProfile of `mean`: for a DIR arithmetic is the window's; for a FILE
// (a group of one) both are the file's scores, but geometric counts a type score of 0 as 0.5
// and scales each state's four to sum 100.
std::variant<WindowProfile, survey::GroupError>
windowProfile(std::variant<survey::LoadedProfile, survey::GroupError> loaded,
              survey::MeanKind mean = survey::MeanKind::Arithmetic);

// Colour chooser indexes (see plots::ColorForIndex), as the window starts.
struct PlotColours {
    int current = plots::kStartCurrentColour;
    int preferred = plots::kStartPreferredColour;
};

// The Plot A canvas, 686 x 672, drawn from the score fields.
QImage plotACanvas(const WindowProfile &profile, const PlotColours &colours);

// What "Save" writes with Plot A on show: the information strip over the canvas, 686 x 698.
QImage savedPlotA(const WindowProfile &profile, const PlotColours &colours);

// What "Save" writes with Plot B on show: the strip over the six question charts, 686 x 543.
QImage savedPlotB(const WindowProfile &profile, const PlotColours &colours);

// The "Plot C" command's chart after the load: the whole profile's differences of the
// two-decimal scores in the current colour, 334 x 353.
QImage plotCChart(const WindowProfile &profile, int currentColour, bool marks);

// Why no picture can be drawn: their font has no glyph for their own texts (a machine with none
// of the fonts they are drawn in), in Russian; empty when they can.
QString pictureFontProblem();

// The picture as the file bytes of `format`; empty if it cannot be encoded.
QByteArray encodePicture(const QImage &picture, PictureFormat format);

} // namespace documents
