#pragma once

#include "survey/profile_model.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <vector>

// How far the respondents' own scores lie apart: for each culture type a box of the current
// and one of the preferred scores side by side, with every respondent as a dot. Vector
// drawing on any painter, so that a page and a window show the same.
namespace plots {

struct SpreadStyle {
    QColor current;
    QColor preferred;
    QString currentCaption;
    QString preferredCaption;
    QFont font;          // the labels' font, sized in the painter's units
    double scaleTop = 0; // the value axis's end; 0: spreadScaleTop of the respondents
};

// The decade above the highest score, 10 to 100: the same for charts to be compared.
double spreadScaleTop(const std::vector<survey::ProfileScores> &respondents);

// Each box runs from the lower to the upper quartile with the median across it, its whiskers
// to the lowest and highest score; the value axis runs from 0 to the style's scaleTop. Dots are
// left out beyond kSpreadDotLimit respondents, where they would only blot.
void paintScoreSpread(QPainter &painter, const QRectF &rect,
                      const std::vector<survey::ProfileScores> &respondents,
                      const SpreadStyle &style);

constexpr int kSpreadDotLimit = 300;

} // namespace plots
