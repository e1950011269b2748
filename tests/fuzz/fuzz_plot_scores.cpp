// The arguments of `ocai-cli plot a`: the whole input as the value of --scores, and its
// lines as the arguments after "plot a". What is accepted must be drawable: every field
// reads back as a number and is written the same way again.
#include "cli_common.h"
#include "core/number_format.h"
#include "fuzz_check.h"
#include "plot_a_args.h"

#include <QFileInfo>
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

        const auto args = parsePlotAArgs(text.split(QLatin1Char('\n')), separator);
        if (const auto *error = std::get_if<ArgsError>(&args)) {
            checkError(*error);
            continue;
        }
        const PlotAArgs &plot = std::get<PlotAArgs>(args);
        const QString suffix = QFileInfo(plot.out).suffix().toLower();
        FUZZ_CHECK(suffix == (plot.format == PictureFormat::Png ? QLatin1String("png")
                                                                : QLatin1String("gif")));
        checkFields(plot.fields, separator);
    }
    return 0;
}
