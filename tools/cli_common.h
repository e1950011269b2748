#pragma once

#include <QString>
#include <QStringList>

// Shared conventions of the ocai-cli subcommands: one line on stderr, exit 2 for a usage
// error and 1 for bad data.
namespace cli {

constexpr int kExitOk = 0;
constexpr int kExitBadData = 1;
constexpr int kExitUsage = 2;

int usageError(const QString &message);
int dataError(const QString &message);

// Subcommands; `args` holds what follows the subcommand's name.
int runDecrypt(const QStringList &args);
int runEncrypt(const QStringList &args);
int runProfile(const QStringList &args);
int runPlot(const QStringList &args);
int runStats(const QStringList &args);
int runCompare(const QStringList &args);
int runSummary(const QStringList &args);

} // namespace cli
