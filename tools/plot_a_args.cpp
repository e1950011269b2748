#include "tools/plot_a_args.h"

#include "core/number_format.h"
#include "tools/cli_common.h"

namespace cli {

std::variant<ScoreFields, ArgsError> parseScores(const QString &value, QChar separator)
{
    const QStringList halves = value.split(QLatin1Char(';'));
    QStringList texts;
    for (const QString &half : halves) {
        const QStringList four = half.split(QLatin1Char(','));
        if (four.size() != kScoreCount / 2)
            break;
        texts += four;
    }
    if (halves.size() != 2 || texts.size() != kScoreCount)
        return ArgsError{QStringLiteral("plot a: в --scores нужны четыре текущие и четыре желаемые "
                                        "оценки: \"cA,cB,cC,cD;pA,pB,pC,pD\""),
                         kExitUsage};
    ScoreFields fields;
    for (int i = 0; i < kScoreCount; ++i) {
        const auto number = numfmt::parseFloat(texts[i].trimmed(), QLatin1Char('.'));
        if (!number)
            return ArgsError{QStringLiteral("plot a: оценка %1 ('%2') — не число")
                                 .arg(QString::number(i + 1), texts[i]),
                             kExitBadData};
        fields[std::size_t(i)] = numfmt::formatFixed(*number, 5, 2, separator);
    }
    return fields;
}

} // namespace cli
