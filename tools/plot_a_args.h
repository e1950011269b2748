#pragma once

#include "tools/cli_args.h"

#include <QChar>
#include <QString>
#include <array>
#include <variant>

// The scores `ocai-cli plot a --scores` draws, parsed apart from the drawing so that hostile
// texts can be tried in bulk.
namespace cli {

constexpr int kScoreCount = 8;

// Score field texts, current A..D then preferred A..D.
using ScoreFields = std::array<QString, kScoreCount>;

// "cA,cB,cC,cD;pA,pB,pC,pD", numbers with "." decimals and blanks allowed around them, to
// the eight field texts ("%5.2f", as a load writes them) with `separator`.
std::variant<ScoreFields, ArgsError> parseScores(const QString &value, QChar separator);

} // namespace cli
