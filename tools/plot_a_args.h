#pragma once

#include "cli_args.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <array>
#include <variant>

// The arguments of `ocai-cli plot a`, parsed apart from the drawing so that hostile
// argument texts can be tried in bulk.
namespace cli {

constexpr int kScoreCount = 8;

// Score field texts, current A..D then preferred A..D.
using ScoreFields = std::array<QString, kScoreCount>;

struct PlotAArgs : PictureOptions {
    // The fields as a load writes them: "%5.2f" with the caller's decimal separator.
    ScoreFields fields;
};

// "cA,cB,cC,cD;pA,pB,pC,pD", numbers with "." decimals and blanks allowed around them, to
// the eight field texts written with `separator`.
std::variant<ScoreFields, ArgsError> parseScores(const QString &value, QChar separator);

// What follows "plot a" when it draws given scores: "--name value" or "--name=value"
// options, then optionally "--"; no file or folder.
std::variant<PlotAArgs, ArgsError> parsePlotAArgs(const QStringList &args, QChar separator);

} // namespace cli
