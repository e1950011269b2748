#include "plot_a_args.h"

#include "cli_common.h"
#include "core/number_format.h"

namespace cli {
namespace {

const QString kScores = QStringLiteral("--scores");

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
    const QString command = QStringLiteral("plot a");
    const auto scanned = scanArgs(
        command, args, {{kScores, kCurrentColourOption, kPreferredColourOption, kOutOption}});
    if (const auto *error = std::get_if<QString>(&scanned))
        return usage(*error);
    const ScannedArgs &options = std::get<ScannedArgs>(scanned);
    if (!options.positionals.isEmpty())
        return usage(QStringLiteral("plot a: --scores draws no file or folder; unexpected argument "
                                    "'%1'")
                         .arg(options.positionals[0]));
    if (!options.values.contains(kScores) || !options.values.contains(kOutOption))
        return usage(QStringLiteral("usage: ") + QLatin1String(kPlotAScoresUsage));
    const auto picture = readPictureOptions(command, options);
    if (const auto *error = std::get_if<QString>(&picture))
        return usage(*error);

    PlotAArgs result;
    static_cast<PictureOptions &>(result) = std::get<PictureOptions>(picture);
    auto fields = parseScores(options.values.value(kScores), separator);
    if (const auto *error = std::get_if<ArgsError>(&fields))
        return *error;
    result.fields = std::get<ScoreFields>(fields);
    return result;
}

} // namespace cli
