#pragma once

#include "tools/cli_command.h"

#include <QString>
#include <vector>

// Shared conventions of the ocai-cli commands: one line on stderr, exit 2 for a usage error
// and 1 for bad data.
namespace cli {

constexpr int kExitOk = 0;
constexpr int kExitBadData = 1;
constexpr int kExitUsage = 2;

// Print "ocai-cli: " and the message, control characters escaped, as one line on stderr
// and return the exit status.
int usageError(const QString &message);
int dataError(const QString &message);

// Every command, in the order `ocai-cli --help` lists them.
const std::vector<CommandSpec> &commandTable();

// The commands' run functions, each given its checked arguments.
int runDecrypt(const ParsedArgs &args);
int runEncrypt(const ParsedArgs &args);
int runProfile(const ParsedArgs &args);
int runPlotA(const ParsedArgs &args);
int runPlotB(const ParsedArgs &args);
int runPlotC(const ParsedArgs &args);
int runReport(const ParsedArgs &args);
int runPdf(const ParsedArgs &args);
int runStats(const ParsedArgs &args);
int runCompare(const ParsedArgs &args);
int runSummary(const ParsedArgs &args);
int runExport(const ParsedArgs &args);
int runCheck(const ParsedArgs &args);
int runServe(const ParsedArgs &args);

} // namespace cli
