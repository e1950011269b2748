#pragma once

#include "group_mean.h"
#include "profile_load.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// What the group subcommands (stats, compare, summary) share: their options, loading a FILE
// or DIR argument, and the texts that explain the averages.
namespace cli {

enum class OutputFormat { Text, Csv, Json };

struct GroupOptions {
    QStringList paths;
    OutputFormat format = OutputFormat::Text;
    survey::MeanKind mean = survey::MeanKind::Arithmetic;
    std::uint64_t seed = 1;
    QString out; // --out, where the rules take it
    bool help = false;
};

struct GroupOptionRules {
    QString command;       // for messages: "stats"
    QStringList formats;   // accepted --format names, the first the default; none: no --format
    bool takesSeed = true; // --seed N, 0 to 2^63 - 1
    int minPaths = 1, maxPaths = 1; // -1: no upper bound
    bool takesOut = false;          // --out FILE, then required
};

// "--name value" or "--name=value" for --format, --mean, --seed and --out; "--help" or "-h";
// "--" ends the options. An error text for a usage error, else an empty string.
QString parseGroupOptions(const QStringList &args, const GroupOptionRules &rules,
                          GroupOptions &options);

// parseGroupOptions as a command starts: nothing when the command goes on with `options`, else
// its exit status once the usage error (`usageHint` appended) or the help (`help`, then
// kMeanHelp) is printed.
std::optional<int> parseGroupCommand(const QStringList &args, const GroupOptionRules &rules,
                                     const QString &usageHint, const char *help,
                                     GroupOptions &options);

// A group load's failure as one line: the message, prefixed by "FILE:LINE: " where a line
// of a file is known (the other messages name their file or folder already), then ": " and
// the reason where there is one.
QString groupErrorText(const survey::GroupError &error);

// The program's key applied to survey::loadProfile.
std::variant<survey::LoadedProfile, survey::GroupError> loadGroupArgument(const QString &path);

// How --mean works, for the help texts.
extern const char kMeanHelp[];

// Writes the finished output; exit status kExitOk, or a data error if stdout failed.
int finishOutput(const QByteArray &bytes);

} // namespace cli
