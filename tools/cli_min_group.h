#pragma once

#include "tools/cli_command.h"

#include <QString>
#include <variant>

// --min-group of the commands whose documents go to a client (pdf, export).
namespace cli {

extern const OptionSpec kMinGroupOption;

// The anonymity floor --min-group gives, documents::kDefaultMinGroup when absent; a message
// naming `command` when it is not a whole number from 1 to documents::kMaxMinGroup.
std::variant<int, QString> minGroupOption(const ParsedArgs &args, const QString &command);

} // namespace cli
