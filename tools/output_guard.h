#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace cli {

// Why writing `out` would destroy what `command` reads: `out` is one of the input files
// (links followed, hard links included), or a name inside an input folder that the group
// load would take for a respondent's file. Nothing when the output is safe from its inputs.
std::optional<QString> outputOntoInput(const QString &command, const QString &out,
                                       const QStringList &inputs);

} // namespace cli
