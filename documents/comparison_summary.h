#pragma once

#include "documents/report_claims.h"
#include "documents/report_texts.h"
#include "survey/group_compare.h"

#include <QString>

// What a comparison of two groups may say, by the honest-claims rule: a difference is notable
// only when it is both at least 10 points and significant, and a significant but small one is
// said to be small. Groups are named by their names, never by letters.
namespace report {

// A difference is significant when its permutation p and, where it is defined, its Welch p
// are below 0.05.
bool significant(const survey::ScoreComparison &score);

// The claim on one of the eight differences.
Claim comparisonClaim(const survey::ScoreComparison &score);

// The claim in a table cell: «заметная», «небольшая», «не доказана», «нет».
QString claimCell(Claim claim);

// "большой", "средний", "малый", "пренебрежимый" эффект for Hedges' g.
QString effectWords(double g);

// The differences of `b` against `a` by claim in whole points, or that there are none.
QString comparisonSummary(const survey::GroupComparison &comparison, const Subject &a,
                          const Subject &b);

} // namespace report
