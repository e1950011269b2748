#include "documents/xlsx_text.h"

#include "documents/statistics_report.h"
#include "documents/typography.h"

#include <QDate>
#include <QRegularExpression>

namespace documents {

bool isUnfitForXml(char32_t code)
{
    return QChar::isSurrogate(code) || QChar::isNonCharacter(code);
}

QString mapCodePoints(const QString &text, const CodePointMap &map)
{
    QString mapped;
    mapped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text.at(i);
        if (unit.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            mapped +=
                map(QChar::surrogateToUcs4(unit, text.at(i + 1)), QStringView(text).mid(i, 2));
            ++i;
        } else {
            mapped += map(unit.unicode(), QStringView(text).mid(i, 1));
        }
    }
    return mapped;
}

std::optional<double> spreadsheetDate(const QString &text)
{
    const QDate date = QDate::fromString(text.trimmed(), QStringLiteral("d.M.yyyy"));
    if (!date.isValid() || date < QDate(1900, 3, 1))
        return std::nullopt;
    return double(QDate(1899, 12, 30).daysTo(date));
}

std::optional<double> spreadsheetTime(const QString &text, bool clock)
{
    static const QRegularExpression time(QStringLiteral("^(\\d{1,4}):([0-5]\\d)(?::([0-5]\\d))?$"));
    const QRegularExpressionMatch match = time.match(text.trimmed());
    if (!match.hasMatch() || (clock && match.captured(1).toInt() >= 24))
        return std::nullopt;
    const int seconds = match.captured(1).toInt() * 3600 + match.captured(2).toInt() * 60 +
                        match.captured(3).toInt();
    return seconds / 86400.0;
}

QString dominantTypesText(const std::vector<int> &types)
{
    if (types.size() == std::size_t(survey::kTypeCount))
        return QStringLiteral("нет: все четыре типа равны");
    QStringList labels;
    for (int type : types)
        labels << typeLabel(type);
    return labels.join(QStringLiteral(" = "));
}

} // namespace documents
