#pragma once

#include "documents/export_data.h"
#include "survey/group_mean.h"
#include "survey/profile_load.h"
#include "tools/cli_command.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// What the group subcommands (stats, compare, summary) share: their options, loading a FILE
// or DIR argument, and the texts that explain the averages.
namespace cli {

enum class OutputFormat { Text, Csv, Json };

struct GroupOptions {
    OutputFormat format = OutputFormat::Text;
    survey::MeanKind mean = survey::MeanKind::Arithmetic;
    std::uint64_t seed = 1;
};

// --format (the first of its choices when not given), --mean and --seed, as the parser let
// them through.
GroupOptions groupOptions(const ParsedArgs &args);

// A group load's failure as one line: the message, prefixed by "FILE:LINE: " where a line
// of a file is known (the other messages name their file or folder already), then ": " and
// the reason where there is one.
QString groupErrorText(const survey::GroupError &error);

// The program's key applied to survey::loadProfile.
std::variant<survey::LoadedProfile, survey::GroupError> loadGroupArgument(const QString &path);

// Names on stderr each file `groups` left out, "pdf: left out FILE: reason", one line each;
// whether there was any. The document itself names them too.
bool reportLeftOut(const QString &command, const std::vector<documents::ExportGroup> &groups);

// Writes the finished output; exit status kExitOk, or a data error if stdout failed.
int finishOutput(const QByteArray &bytes);

} // namespace cli
