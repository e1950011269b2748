#pragma once

#include "profile_model.h"

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
    QFont font; // the labels' font, sized in the painter's units
};

// Each box runs from the lower to the upper quartile with the median across it, its whiskers
// to the lowest and highest score; the value axis runs from 0 to the decade above the highest
// score. Dots are left out beyond kSpreadDotLimit respondents, where they would only blot.
void paintScoreSpread(QPainter &painter, const QRectF &rect,
                      const std::vector<survey::ProfileScores> &respondents,
                      const SpreadStyle &style);

constexpr int kSpreadDotLimit = 300;

} // namespace plots
