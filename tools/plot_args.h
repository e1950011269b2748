#pragma once

#include "cli_args.h"

#include <QString>
#include <QStringList>
#include <variant>

// The arguments of `ocai-cli plot a|b|c` for a FILE or DIR loaded as the window loads it.
namespace cli {

// The preferred colour is not for Plot C, which has one colour.
struct PlotArgs : PictureOptions {
    QString source;     // the FILE or DIR
    bool marks = false; // Plot C's value marks
};

// What follows the plot's letter; --marks only for c, --preferred-colour not for c.
std::variant<PlotArgs, ArgsError> parsePlotArgs(QChar plot, const QStringList &args);

} // namespace cli
