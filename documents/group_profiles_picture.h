#pragma once

#include "documents/report_document.h"
#include "survey/group_mean.h"

#include <QStringList>
#include <vector>

// Several groups' profiles on one diagram: a panel for the current state and one for the
// preferred, each type a cluster of one bar per group. Each group has its own fill, from solid
// black through hatching to white, so that a greyscale print keeps the groups apart; the legend
// names each group in full, wrapped where long.
namespace report {

Picture groupProfilesPicture(const QStringList &names,
                             const std::vector<survey::ProfileMeans> &profiles, double widthMm);

// Each group's profile in a small panel of its own, three to a row on one scale, its name
// wrapped above it: current as solid bars, preferred as white bars with a dashed outline, as
// every document draws the two states. The scale runs to `top` (0: as the profiles need), so
// that several such pictures can share it.
Picture groupPanelsPicture(const QStringList &names,
                           const std::vector<survey::ProfileMeans> &profiles, double widthMm,
                           double top = 0);

// The scale's top the profiles need: their highest score rounded up to ten.
double profilesScaleTop(const std::vector<survey::ProfileMeans> &profiles);

} // namespace report
