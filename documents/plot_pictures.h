#pragma once

#include "plots/plot_a.h"
#include "survey/profile_model.h"

#include <QColor>
#include <QImage>
#include <QLocale>
#include <QRect>
#include <QString>
#include <array>

// The pictures the window's "Save" captures from the screen, drawn without a screen: the
// information strip above the plot, Plot A and Plot B as saved, and the difference chart.
namespace documents {

// The layout the window and these pictures share: a saved plot is the strip above the plot
// area; Plot B is saved down to the row where the question memo begins.
constexpr int kInfoStripHeight = 26;
constexpr int kPlotBSavedRows = 517;
inline const QColor kPlotLetterColour(128, 0, 0); // maroon
// The six question charts on the Plot B panel, question 1 to 6.
inline const std::array<QRect, 6> kQuestionChartPlaces = {
    QRect(2, 2, 228, 257),   QRect(231, 2, 227, 257),   QRect(459, 2, 227, 257),
    QRect(2, 259, 228, 257), QRect(231, 259, 227, 257), QRect(459, 259, 227, 257)};

// The 26-pixel strip above a saved plot: button-face background, the information line
// in (0, 2, 672, 21) as the window shows it (information_line.h), and the lower part of the
// plot letter at (674, -4).
QImage informationStrip(const QString &info, const QString &plotLetter,
                        int width = plots::kPlotACanvas.width());

// Strip + Plot A canvas (686 x 672) -> 686 x 698.
QImage savedPlotAPicture(const QString &info, const QImage &plotACanvas);

// Strip + the top 517 rows of the Plot B panel with its six question charts -> 686 x 543.
QImage savedPlotBPicture(const QString &info, const survey::AnswerTable &answers,
                         const QColor &nowColour, const QColor &futureColour,
                         const QLocale &locale = QLocale());

// The whole-profile difference chart at 334 x 353, with its letter "C".
QImage differenceChartPicture(const survey::ProfileScores &scores, const QColor &colour, bool marks,
                              const QLocale &locale = QLocale());

} // namespace documents
