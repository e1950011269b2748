#pragma once

#include "survey/group_mean.h"
#include "survey/profile_model.h"

#include <QChar>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <array>
#include <variant>

// The profile diagram: four quadrants, one per culture type, with a kite for the current
// and one for the preferred scores, drawn pixel-exactly onto an image.
namespace plots {

// The window's Plot A canvas; the saved pictures and the reports draw Plot A at this size.
constexpr QSize kPlotACanvas(686, 672);

// The score fields' texts as they stand, in the order A, B, C, D.
struct PlotAFields {
    std::array<QString, 4> current;
    std::array<QString, 4> preferred;
};

// The eight fields as a load writes them: each score "%5.2f" with `separator`, rounded on
// its exact value.
PlotAFields scoreFields(const survey::ProfileMeans &scores, QChar separator);

// The eight fields read with `separator` as decimal separator: the scores, or the index 0..7
// (current A..D, then preferred A..D) of the first text that is not a number.
std::variant<survey::ProfileScores, int> parseScoreFields(const PlotAFields &fields,
                                                          QChar separator);

// Repaints the whole canvas (any size; the window's is 686 x 672) and stores the eight
// parsed field values in `scores`. A text that is not a number stops the drawing right
// after the canvas has been erased to its white field and frame, with `scores` holding
// the values parsed before it; the result is then false.
bool drawPlotA(QImage &canvas, const PlotAFields &fields, const QColor &currentColour,
               const QColor &preferredColour, QChar separator, survey::ProfileScores &scores);

// The colours of the two kites and their captions.
struct PlotAStyle {
    QColor current;
    QColor preferred;
    QString currentCaption = QStringLiteral("Текущее");
    QString preferredCaption = QStringLiteral("Предполагаемое");
    // A printed page draws the preferred kite dashed (state_strokes.h); the window solid.
    bool preferredDashed = false;
};

class PlotSurface;

// The drawing of drawPlotA on a `size` canvas already erased, from scores already parsed:
// the same strokes and texts on any surface.
void paintPlotA(PlotSurface &canvas, QSize size, const PlotAFields &fields,
                const survey::ProfileScores &scores, const PlotAStyle &style);

// A new RGB32 canvas of `size` with the drawing on it; `drawn` (if given) receives the
// result of drawPlotA.
QImage renderPlotA(QSize size, const PlotAFields &fields, const QColor &currentColour,
                   const QColor &preferredColour, QChar separator, survey::ProfileScores &scores,
                   bool *drawn = nullptr);

} // namespace plots
