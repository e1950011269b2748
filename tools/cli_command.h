#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

// The declarative side of the ocai-cli commands: each command is one table entry (its
// options, its operands, the text its --help adds) and one run function. Parsing, the usage
// lines of `ocai-cli --help` and each command's --help come from the same entry.
namespace cli {

// How an option's value is checked before the command runs.
enum class ValueKind {
    Flag,   // takes no value
    Text,   // any text
    Path,   // a file name: not empty
    Choice, // one of the '|'-separated words of the value name
    Colour, // a colour chooser's item index, 0 to 4
    Seed,   // a whole number from 0 to 2^63 - 1
};

struct OptionSpec {
    const char *name;        // the long name without dashes: "out"
    const char *valueName;   // as the usage shows it: "FILE", "text|csv|json"; empty for a flag
    ValueKind kind;          //
    const char *description; // one line for --help
    bool required = false;
    const char *explanation = nullptr; // what --help adds after the command's own text
};

struct ParsedArgs;

struct CommandSpec {
    const char *name; // "stats", or two words: "plot a"
    std::vector<OptionSpec> options;
    const char *operands; // as the usage shows them: "(FILE|DIR)", "[FILE|-]"; empty for none
    int minOperands = 1;  //
    int maxOperands = 1;  // -1: no upper bound
    const char *about;    // what --help says after the options
    int (*run)(const ParsedArgs &args);
    // An option that, given, stands in place of the operands (a second form of the command).
    const char *replacesOperands = nullptr;
};

// The arguments of one command, checked against its entry.
struct ParsedArgs {
    const CommandSpec *spec = nullptr;
    QMap<QString, QString> values; // option name without dashes -> value ("" for a flag)
    QStringList operands;          // in order; everything after "--" among them
    bool help = false;             // "--help" or "-h" given

    QString command() const { return QLatin1String(spec->name); }
    bool isSet(const char *name) const { return values.contains(QLatin1String(name)); }
    QString value(const char *name) const { return values.value(QLatin1String(name)); }
};

// The arguments after the command's name: "--name value" or "--name=value", once each; "--"
// ends the options and "-" alone is an operand. A message naming the command and the first
// fault otherwise. With --help the options are checked but not the operands.
std::variant<ParsedArgs, QString> parseCommand(const CommandSpec &spec, const QStringList &args);

// "ocai-cli report --out FILE [--] (FILE|DIR)": one line per form of the command.
QStringList usageLines(const CommandSpec &spec);

// The usage lines, the options with their descriptions and the command's `about` text.
QByteArray commandHelp(const CommandSpec &spec);

// "; usage: " and the usage lines, for the end of a usage error.
QString usageHint(const CommandSpec &spec);

} // namespace cli
