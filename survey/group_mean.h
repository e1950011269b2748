#pragma once

#include "survey/exact_mean.h"
#include "survey/group_result.h"
#include "survey/profile_model.h"

#include <QString>
#include <optional>
#include <vector>

// The two ways of averaging respondents into a group profile. Both are averages on a scale:
// the arithmetic mean of the scores themselves, or the compositional (geometric) mean, which
// averages each respondent's centred log-ratios and maps the result back to four scores per
// state that sum to 100. Resampling and tests work on the same scale.
namespace survey {

enum class MeanKind { Arithmetic, Geometric };

// "arithmetic" or "geometric"; nothing for another name.
std::optional<MeanKind> meanKindFromName(const QString &name);
QString meanKindName(MeanKind kind);
// The Russian caption of the reports: "арифметическое", "геометрическое (композиционное)".
QString meanKindCaption(MeanKind kind);

// A score of 0 (or, in damaged data, below 0) has no logarithm: it counts as this.
constexpr double kGeometricZeroScore = 0.5;

// One respondent's scores on the averaging scale: unchanged (arithmetic), or for each state
// log(score) minus the mean log of that state's four scores (geometric).
ProfileScores scaledScores(const ProfileScores &scores, MeanKind kind);

// The profile whose scale values are `scaleMeans`: unchanged (arithmetic), or for each state
// exp of the four values, scaled to sum 100 (geometric).
ProfileScores profileFromScaleMeans(const ProfileScores &scaleMeans, MeanKind kind);

// The mean of the respondents on the scale of `kind`, mapped back; zeros for none.
ProfileScores meanProfile(const std::vector<ProfileScores> &respondents, MeanKind kind);

// A profile as figures to print: current A-D, then preferred A-D.
using ProfileMeans = std::array<Mean, 2 * kTypeCount>;
// One state's four, A-D.
using StateMeans = std::array<Mean, kTypeCount>;

// The group's profile: the window's scores, exact fractions of the point totals
// (arithmetic), or the compositional mean of the respondents (geometric).
ProfileMeans groupMeans(const GroupResult &group, MeanKind kind);

// The values of groupMeans.
ProfileScores groupProfile(const GroupResult &group, MeanKind kind);

} // namespace survey
