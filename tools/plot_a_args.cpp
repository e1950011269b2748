#include "plot_a_args.h"

#include "cli_common.h"
#include "core/number_format.h"

#include <QFileInfo>
#include <QMap>

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

// "--name value" or "--name=value" pairs up to "--"; an error text when something else
// turns up.
QString parseOptions(const QStringList &args, QMap<QString, QString> &options)
{
    const QStringList known = {kScores, kCurrentColour, kPreferredColour, kOut};
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--")) {
            if (i + 1 < args.size())
                return QStringLiteral("plot a: unexpected argument '%1'").arg(args[i + 1]);
            break;
        }
        QString name = args[i], value;
        const int equals = name.indexOf(QLatin1Char('='));
        const bool inlineValue = name.startsWith(QLatin1String("--")) && equals > 0;
        if (inlineValue) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        if (!known.contains(name))
            return QStringLiteral("plot a: unknown option '%1'").arg(args[i]);
        if (options.contains(name))
            return QStringLiteral("plot a: %1 given twice").arg(name);
        if (!inlineValue) {
            if (i + 1 >= args.size())
                return QStringLiteral("plot a: %1 needs a value").arg(name);
            value = args[++i];
        }
        options.insert(name, value);
    }
    return QString();
}

// Only PNG is written yet; the extension says which format the user expects.
QString refuseExtension(const QString &out)
{
    const QString suffix = QFileInfo(out).suffix();
    if (suffix.compare(QLatin1String("png"), Qt::CaseInsensitive) == 0)
        return QString();
    if (suffix.isEmpty())
        return QStringLiteral("plot a: --out '%1' has no extension; only .png is written").arg(out);
    return QStringLiteral("plot a: --out '%1': the extension '.%2' is not written; only .png is")
        .arg(out, suffix);
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
    QMap<QString, QString> options;
    if (const QString error = parseOptions(args, options); !error.isEmpty())
        return usage(error);
    if (!options.contains(kScores) || !options.contains(kOut))
        return usage(QStringLiteral("usage: ") + QLatin1String(kPlotAUsage));
    PlotAArgs result;
    result.out = options.value(kOut);
    if (result.out.isEmpty())
        return usage(QStringLiteral("plot a: --out needs a file name"));
    if (const QString error = refuseExtension(result.out); !error.isEmpty())
        return usage(error);

    const std::pair<const QString &, int &> colours[] = {
        {kCurrentColour, result.currentColour}, {kPreferredColour, result.preferredColour}};
    for (const auto &[name, index] : colours) {
        if (!options.contains(name))
            continue;
        const auto parsed = numfmt::parseInt32(options.value(name));
        if (!parsed)
            return usage(QStringLiteral("plot a: %1 needs a whole number, not '%2'")
                             .arg(name, options.value(name)));
        index = *parsed;
    }

    auto fields = parseScores(options.value(kScores), separator);
    if (const auto *error = std::get_if<ArgsError>(&fields))
        return *error;
    result.fields = std::get<ScoreFields>(fields);
    return result;
}

} // namespace cli
