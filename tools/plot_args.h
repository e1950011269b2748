#pragma once

#include "cli_args.h"

#include <QString>
#include <QStringList>
#include <variant>

// The arguments of `ocai-cli plot a|b|c` for a FILE or DIR loaded as the window loads it.
namespace cli {

struct PlotArgs {
    QChar plot;     // 'a', 'b' or 'c'
    QString source; // the FILE or DIR
    QString out;    // --out
    PictureFormat format = PictureFormat::Png;
    int currentColour = 1;   // the choosers' selection after start-up: red
    int preferredColour = 3; // and blue (not for Plot C, which has one colour)
    bool marks = false;      // Plot C's value marks
};

// What follows the plot's letter; --marks only for c, --preferred-colour not for c.
std::variant<PlotArgs, ArgsError> parsePlotArgs(QChar plot, const QStringList &args);

} // namespace cli
