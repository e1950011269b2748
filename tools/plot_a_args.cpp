#include "plot_a_args.h"

#include "cli_common.h"
#include "core/number_format.h"

namespace cli {
namespace {

const QString kScores = QStringLiteral("--scores");
const QString kCurrentColour = QStringLiteral("--current-colour");
const QString kPreferredColour = QStringLiteral("--preferred-colour");
const QString kOut = QStringLiteral("--out");

ArgsError usage(const QString &message)
{
    return {message, kExitUsage};
}

} // namespace

std::variant<ScoreFields, ArgsError> parseScores(const QString &value, QChar separator)
{
    const QStringList halves = value.split(QLatin1Char(';'));
    QStringList texts;
    for (const QString &half : halves)
        texts += half.split(QLatin1Char(','));
    if (halves.size() != 2 || texts.size() != kScoreCount)
        return usage(QStringLiteral("plot a: --scores needs four current and four preferred "
                                    "scores, as \"cA,cB,cC,cD;pA,pB,pC,pD\""));
    ScoreFields fields;
    for (int i = 0; i < kScoreCount; ++i) {
        const auto number = numfmt::parseFloat(texts[i].trimmed(), QLatin1Char('.'));
        if (!number)
            return ArgsError{QStringLiteral("plot a: score %1 ('%2') is not a number")
                                 .arg(QString::number(i + 1), texts[i]),
                             kExitBadData};
        fields[std::size_t(i)] = numfmt::formatFixed(*number, 5, 2, separator);
    }
    return fields;
}

std::variant<PlotAArgs, ArgsError> parsePlotAArgs(const QStringList &args, QChar separator)
{
    const auto scanned =
        scanArgs(QStringLiteral("plot a"), args, {kScores, kCurrentColour, kPreferredColour, kOut});
    if (const auto *error = std::get_if<QString>(&scanned))
        return usage(*error);
    const ScannedArgs &options = std::get<ScannedArgs>(scanned);
    if (!options.positionals.isEmpty())
        return usage(QStringLiteral("plot a: --scores draws no file or folder; unexpected argument "
                                    "'%1'")
                         .arg(options.positionals[0]));
    if (!options.values.contains(kScores) || !options.values.contains(kOut))
        return usage(QStringLiteral("usage: ") + QLatin1String(kPlotAScoresUsage));
    PlotAArgs result;
    result.out = options.values.value(kOut);
    if (result.out.isEmpty())
        return usage(QStringLiteral("plot a: --out needs a file name"));
    const auto format = pictureFormatFor(QStringLiteral("plot a"), result.out);
    if (const auto *error = std::get_if<QString>(&format))
        return usage(*error);
    result.format = std::get<PictureFormat>(format);

    const std::pair<const QString &, int &> colours[] = {
        {kCurrentColour, result.currentColour}, {kPreferredColour, result.preferredColour}};
    for (const auto &[name, index] : colours) {
        if (!options.values.contains(name))
            continue;
        const auto parsed = numfmt::parseInt32(options.values.value(name));
        if (!parsed)
            return usage(QStringLiteral("plot a: %1 needs a whole number, not '%2'")
                             .arg(name, options.values.value(name)));
        index = *parsed;
    }

    auto fields = parseScores(options.values.value(kScores), separator);
    if (const auto *error = std::get_if<ArgsError>(&fields))
        return *error;
    result.fields = std::get<ScoreFields>(fields);
    return result;
}

} // namespace cli
