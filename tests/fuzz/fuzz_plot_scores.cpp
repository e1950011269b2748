// The arguments of `ocai-cli plot a`: the whole input as the value of --scores, and its
// lines as the arguments of a command of that shape. Accepted scores must be drawable: every
// field reads back as a number and is written the same way again; accepted arguments keep
// the command's rules.
#include "core/number_format.h"
#include "fuzz_check.h"
#include "tools/cli_command.h"
#include "tools/cli_common.h"
#include "tools/plot_a_args.h"

#include <cstdint>

using namespace cli;

namespace {

void checkFields(const ScoreFields &fields, QChar separator)
{
    for (const QString &field : fields) {
        FUZZ_CHECK(field.size() >= 5);
        FUZZ_CHECK(field.at(field.size() - 3) == separator);
        const auto value = numfmt::parseFloat(field, separator);
        FUZZ_CHECK(value.has_value());
        FUZZ_CHECK(numfmt::formatFixed(*value, 5, 2, separator) == field);
    }
}

void checkError(const ArgsError &error)
{
    FUZZ_CHECK(!error.message.isEmpty());
    FUZZ_CHECK(error.exitCode == kExitUsage || error.exitCode == kExitBadData);
}

const CommandSpec kPlotShape{"plot a",
                             {{"scores", "S", ValueKind::Text, ""},
                              {"current-colour", "N", ValueKind::Colour, ""},
                              {"marks", "", ValueKind::Flag, ""},
                              {"out", "FILE", ValueKind::Path, "", true}},
                             "(FILE|DIR)",
                             1,
                             1,
                             "",
                             nullptr,
                             "scores"};

void checkParsed(const ParsedArgs &args)
{
    if (args.help)
        return;
    FUZZ_CHECK(!args.value("out").isEmpty());
    FUZZ_CHECK(args.operands.size() == (args.isSet("scores") ? 0 : 1));
    for (const QString &operand : args.operands)
        FUZZ_CHECK(!operand.isEmpty());
    if (args.isSet("current-colour")) {
        const auto colour = numfmt::parseInt32(args.value("current-colour"));
        FUZZ_CHECK(colour && *colour >= 0 && *colour <= 4);
    }
    FUZZ_CHECK(!args.isSet("marks") || args.value("marks").isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        const auto scores = parseScores(text, separator);
        if (const auto *error = std::get_if<ArgsError>(&scores))
            checkError(*error);
        else
            checkFields(std::get<ScoreFields>(scores), separator);
    }
    const auto parsed = parseCommand(kPlotShape, text.split(QLatin1Char('\n')));
    if (const auto *error = std::get_if<QString>(&parsed))
        FUZZ_CHECK(error->startsWith(QLatin1String("plot a: ")));
    else
        checkParsed(std::get<ParsedArgs>(parsed));
    return 0;
}
